#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "keys/KeyMapEntry.h"
#include "link/HidTransport.h"
#include "link/Pause.h"
#include "sim/KeyboardFlash.h"

namespace solvane {

// One interface the virtual keyboard enumerates.
struct VirtualInterface {
    HidInterfaceInfo info;
    bool openable = true;
    bool isKeyboard = false;  // commands to this interface reach the keyboard's flash
};

struct VirtualKeyboardOptions {
    // When set, the flash is loaded from this file (factory state when it is missing) and
    // rewritten after every command that changes it.
    std::optional<std::filesystem::path> stateFile;
    // What the keyboard's key map holds after a factory reset.
    KeyMapBlock factoryKeyMap = FactoryKeyMap;
    // Waits out a read time-out; the default sleeps, tests record instead.
    PauseFunction waitForTimeout = SleepPause;
};

// A keyboard in software that answers the protocol like the real one: it keeps a flash,
// answers every read command, queues the input reports of a block read and takes the output
// reports of a block write. It enumerates as interfaces 0, 1 and 3 of the keyboard's USB device
// beside an unrelated device.
class VirtualKeyboard final : public HidTransport {
public:
    explicit VirtualKeyboard(VirtualKeyboardOptions options = {});

    std::vector<HidInterfaceInfo> Enumerate() override;
    HidHandle Open(const std::string& path) override;
    void Close(HidHandle handle) override;
    bool SetFeature(HidHandle handle, const FeatureReport& report) override;
    bool GetFeature(HidHandle handle, FeatureReport& report) override;
    bool WriteReport(HidHandle handle, const DataReport& report) override;
    ReadOutcome ReadReport(HidHandle handle, DataReport& report, int timeoutMs) override;

    // Why the state file could not be used when it was loaded (Ok when it was fine or absent).
    const Status& stateFileStatus() const { return m_stateFileStatus; }
    // Why the last rewrite of the state file failed (Ok when it succeeded).
    Status lastSaveStatus() const;

    KeyboardFlash flash() const;
    void setFlash(const KeyboardFlash& flash);

    // The enumerated interfaces; tests may replace them to stage discovery.
    void setInterfaces(std::vector<VirtualInterface> interfaces);
    static std::string KeyboardInterfacePath();

    // Fault switches.
    void setUnplugged(bool on);  // every call fails, open handles go stale
    void setSilent(bool on);     // commands are accepted and ignored; replies never come
    void setGarbage(bool on);    // replies and input reports carry random bytes
    // Input reports after the first `count` delivered are lost (nullopt: none is lost).
    void setInputReportLimit(std::optional<std::size_t> count);

private:
    enum class PendingWrite { None, KeyMap, KeyEnable, MacroBlock };

    bool IsKeyboardHandle(HidHandle handle) const;
    void Execute(const FeatureReport& report);
    void QueueInput(std::span<const std::uint8_t> block);
    void TakeOutput(const DataReport& report);
    void CommitFlash();
    void FillGarbage(std::span<std::uint8_t> bytes);

    mutable std::mutex m_mutex;
    VirtualKeyboardOptions m_options;
    std::vector<VirtualInterface> m_interfaces;
    std::map<HidHandle, std::string> m_openHandles;
    HidHandle m_nextHandle = 1;
    KeyboardFlash m_flash;
    Status m_stateFileStatus;
    Status m_lastSaveStatus;

    FeatureReply m_reply{};
    std::deque<DataReport> m_input;
    PendingWrite m_pending = PendingWrite::None;
    std::size_t m_pendingBlock = 0;
    std::vector<std::uint8_t> m_pendingBytes;
    std::size_t m_pendingExpected = 0;

    bool m_unplugged = false;
    bool m_silent = false;
    bool m_garbage = false;
    std::optional<std::size_t> m_inputLimit;
    std::size_t m_inputDelivered = 0;
    std::mt19937 m_random{0x5017A4Eu};
};

}  // namespace solvane
