#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "common/Result.h"
#include "link/HidTransport.h"
#include "link/Pause.h"
#include "link/Reports.h"

namespace solvane {

inline constexpr std::uint16_t KEYBOARD_VENDOR_ID = 0x04D9;
inline constexpr std::uint16_t KEYBOARD_PRODUCT_ID = 0xA122;
// The keyboard's own interface among the USB device's HID interfaces ("mi_03" on Windows).
inline constexpr int KEYBOARD_INTERFACE_NUMBER = 3;

struct FirmwareVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    friend bool operator==(const FirmwareVersion&, const FirmwareVersion&) = default;
};

// The connection to the keyboard: the transport, the interface found by discovery, the open
// handle and the firmware version last read. One instance, owned by the application.
class KeyboardLink {
public:
    KeyboardLink(HidTransport& transport, PauseFunction pause);
    ~KeyboardLink();
    KeyboardLink(const KeyboardLink&) = delete;
    KeyboardLink& operator=(const KeyboardLink&) = delete;

    // Looks for the keyboard's interface. Sets KeyboardPath only when found; a failed discovery
    // keeps the previous path. Leaves no handle open.
    bool FindKeyboardPath();
    // Whether the last discovery saw the keyboard's interface but could not open it (on Linux:
    // no permission for its hidraw node).
    bool keyboardDenied() const { return m_keyboardDenied; }
    // KeyboardHandle = Open(KeyboardPath); closes a handle that was open before.
    bool OpenKeyboard();
    void CloseKeyboard();
    bool IsOpen() const { return m_keyboardHandle != kNoHandle; }

    const std::string& keyboardPath() const { return m_keyboardPath; }
    HidHandle keyboardHandle() const { return m_keyboardHandle; }
    FirmwareVersion firmwareVersion() const { return m_firmwareVersion; }
    void setFirmwareVersion(FirmwareVersion version) { m_firmwareVersion = version; }

    // Builds the checksummed command report and sends it with Set feature.
    Status SendCommand(std::uint8_t command, CommandParameters parameters = {});
    // Get feature; bytes 1..8 of the keyboard's reply to the last command.
    Result<FeatureReply> ReadReply();
    // Reads consecutive data reports into `block` (64 bytes each). `block` is changed only when
    // every report arrived.
    Status ReadDataReports(std::span<std::uint8_t> block);
    // One data report carrying `payload` (at most 64 bytes; the rest of the report is 0).
    Status WriteDataReport(std::span<const std::uint8_t> payload);
    void Pause(int milliseconds) const;

    // Held for the length of a transfer sequence, so a transfer started by the user waits for
    // one that is still running on another thread.
    std::unique_lock<std::mutex> LockForSequence() { return std::unique_lock(m_sequenceMutex); }

private:
    Status LostKeyboard(const char* what);

    HidTransport& m_transport;
    PauseFunction m_pause;
    std::string m_keyboardPath;
    HidHandle m_keyboardHandle = kNoHandle;
    bool m_keyboardDenied = false;
    FirmwareVersion m_firmwareVersion;
    std::mutex m_sequenceMutex;
};

}  // namespace solvane
