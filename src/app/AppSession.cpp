#include "app/AppSession.h"

#include <cstring>

#include "app/FirmwareCheck.h"
#include "keys/ConfigurationUpdates.h"
#include "keys/KeymapFile.h"
#include "link/CommandSet.h"
#include "link/DeviceChange.h"
#include "link/Sequences.h"
#include "macros/MacroFile.h"
#include "profiles/ProfileFiles.h"

namespace solvane {
namespace {

constexpr const char* kUpdaterName = "Solvane_Update";

}  // namespace

AppSession::AppSession(HidTransport& transport, PauseFunction pause, AppFolders folders)
    : m_folders(std::move(folders)),
      m_pausedMs(std::make_shared<std::atomic<long long>>(0)),
      m_link(transport,
             [pause = std::move(pause), paused = m_pausedMs](int ms) {
                 if (pause) {
                     pause(ms);
                 }
                 *paused += ms;
             }),
      m_configuration(std::make_unique<Configuration>()),
      m_macros(std::make_unique<MacroStore>()) {
    std::memset(static_cast<void*>(m_macros->data()), 0, sizeof(MacroStore));
}

AppSession::~AppSession() = default;

std::filesystem::path AppSession::keymapPath() const { return m_folders.data / keymap_file::kFileName; }
std::filesystem::path AppSession::macroPath() const { return m_folders.data / macro_file::kFileName; }
std::filesystem::path AppSession::updaterPath() const { return m_folders.program / kUpdaterName; }

std::vector<Status> AppSession::StartUp() {
    std::vector<Status> problems;
    auto note = [&](Status status) {
        if (!status.ok()) {
            problems.push_back(std::move(status));
        }
    };
    m_driverVersion = LoadDriverVersion(m_folders.program / ver_file::kFileName);
    note(PrepareProfileFolder(m_folders.data).status());
    note(LoadMacroFile(macroPath(), *m_macros));
    m_link.FindKeyboardPath();
    m_link.OpenKeyboard();
    Configuration& c = *m_configuration;
    c.marks.fill(0);
    note(LoadKeymapAtStartUp(keymapPath(), c.image, c.records));
    return problems;
}

bool AppSession::TakeReadBackTurn() {
    if (m_readBackStarted || !m_link.IsOpen()) {
        return false;
    }
    m_readBackStarted = true;
    return true;
}

void AppSession::RunReadBack(ReadBackJob& job) {
    job.status = ReadBackWorker(m_link, job.image, job.firmware);
}

void AppSession::TakeOverReadBack(const ReadBackJob& job) {
    m_configuration->image.TakeTransferableFields(job.image);
    if (job.status.ok()) {
        m_link.setFirmwareVersion(job.firmware);
    }
}

ReadBackOutcome AppSession::ReadBackDone(bool fromKeyboard) {
    ReadBackOutcome outcome;
    Configuration& c = *m_configuration;
    if (fromKeyboard) {
        // The keyboard's lighting once more, now that the read-back has settled it.
        GetLighting(m_link, c.image);
    }
    outcome.saved = CompleteReadBack(c, keymapPath());
    outcome.offerFirmwareUpdate = fromKeyboard && m_link.IsOpen() && FirmwareUpdateOffered();
    return outcome;
}

ArrivalOutcome AppSession::ReconnectAfterArrival(DeviceImage& readInto) {
    return solvane::ReconnectAfterArrival(m_link, readInto);
}

void AppSession::TakeOverArrival(const DeviceImage& readBack) {
    m_configuration->image.TakeTransferableFields(readBack);
}

void AppSession::Removed() { DisconnectOnRemoval(m_link); }

DeviceImage AppSession::PrepareSave() {
    ApplyWinLockToBitmap(m_configuration->image);
    return m_configuration->image;
}

Status AppSession::RunSave(DeviceImage& image) { return WriteAllConfirmed(m_link, image); }

Status AppSession::RunFactoryReset(DeviceImage& image) {
    if (auto status = FactoryResetSequence(m_link); !status) {
        return status;
    }
    return ReadAll(m_link, image);
}

Status AppSession::FinishFactoryReset(const DeviceImage& readBack) {
    Configuration& c = *m_configuration;
    c.image.TakeTransferableFields(readBack);
    return FactoryResetRecords(c, keymapPath());
}

bool AppSession::FirmwareUpdateOffered() const {
    return solvane::FirmwareUpdateOffered(m_driverVersion, m_link.firmwareVersion());
}

}  // namespace solvane
