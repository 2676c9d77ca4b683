#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/Result.h"
#include "keys/AssignmentDraft.h"
#include "keys/Configuration.h"
#include "link/HidTransport.h"
#include "link/DeviceChange.h"
#include "link/KeyboardLink.h"
#include "link/Pause.h"
#include "macros/MacroRecord.h"

namespace solvane {

struct AppFolders {
    std::filesystem::path program;  // read only: VER.bin, the skin, the updater
    std::filesystem::path data;     // written: keymap.bin, MacroDefine.bin, Configure/
};

// What the read-back worker fills on its own thread; the window takes it over when it is done.
struct ReadBackJob {
    DeviceImage image;
    FirmwareVersion firmware;
    Status status;
};

// What the window must do after a read-back was taken over.
struct ReadBackOutcome {
    Status saved;                     // keymap.bin rewritten, or why not
    bool offerFirmwareUpdate = false;
};

// Everything the application owns and the steps of its life that need no window: start-up,
// the read-back hand-over, device changes, save and factory reset. The window runs these on
// the thread the step belongs to and shows what they return.
class AppSession {
public:
    AppSession(HidTransport& transport, PauseFunction pause, AppFolders folders);
    ~AppSession();

    KeyboardLink& link() { return m_link; }
    Configuration& configuration() { return *m_configuration; }
    MacroStore& macros() { return *m_macros; }
    // What the key assignment dialog works on, between the key click and its OK.
    AssignmentDraft& draft() { return m_draft; }
    const AppFolders& folders() const { return m_folders; }
    FirmwareVersion driverVersion() const { return m_driverVersion; }
    std::filesystem::path keymapPath() const;
    std::filesystem::path macroPath() const;
    std::filesystem::path updaterPath() const;

    // VER.bin, the profile folder, MacroDefine.bin, the keyboard, keymap.bin. Returns the
    // problems worth telling the user (files that exist but could not be read or written).
    std::vector<Status> StartUp();

    // Whether the one read-back worker should start now (a keyboard is open and none ran yet).
    bool TakeReadBackTurn();
    // The worker's body, on its own thread: reads into `job` only.
    void RunReadBack(ReadBackJob& job);
    // On the window thread: takes the job's fields over.
    void TakeOverReadBack(const ReadBackJob& job);
    // WM_READBACK_DONE: after the keyboard's read-back (fromKeyboard) or a profile load.
    ReadBackOutcome ReadBackDone(bool fromKeyboard);

    // After a USB arrival has settled (off the window thread): when no keyboard was open,
    // discovery, open, and everything read into `readInto` (a copy of the image).
    ArrivalOutcome ReconnectAfterArrival(DeviceImage& readInto);
    // On the window thread, when the reconnect succeeded: the keyboard's values taken over; the
    // window then runs its arrival follow-up (sliders, repaint, firmware check).
    void TakeOverArrival(const DeviceImage& readBack);
    void Removed();

    // Save: the image as it will be sent (the Windows-key lock applied); the transfer then runs
    // on a copy off the window thread.
    DeviceImage PrepareSave();
    // Save, keyboard side (off the window thread): WriteAll, then one read to confirm that the
    // keyboard took it, since no write is ever answered.
    Status RunSave(DeviceImage& image);
    // Factory reset, keyboard side (off the window thread): reset and read back into `image`.
    Status RunFactoryReset(DeviceImage& image);
    // Factory reset, program side (window thread): take the keyboard's values over, then the
    // records, marks and bitmap, and keymap.bin.
    Status FinishFactoryReset(const DeviceImage& readBack);

    bool FirmwareUpdateOffered() const;

    // Milliseconds the link has paused so far, from any thread: how far a transfer has come.
    long long pausedMs() const { return m_pausedMs->load(); }

private:
    AppFolders m_folders;
    std::shared_ptr<std::atomic<long long>> m_pausedMs;
    KeyboardLink m_link;
    std::unique_ptr<Configuration> m_configuration;
    std::unique_ptr<MacroStore> m_macros;
    FirmwareVersion m_driverVersion;
    AssignmentDraft m_draft;
    bool m_readBackStarted = false;
};

}  // namespace solvane
