#include "cli/CliContext.h"

#include <ostream>
#include <system_error>

#include "keys/KeymapFile.h"
#include "macros/MacroFile.h"

namespace solvane {

CliContext::CliContext(const GlobalOptions& options, const CliEnvironment& environment,
                       std::ostream& out, std::ostream& err)
    : m_options(options), m_environment(environment), m_out(out), m_err(err) {}

CliContext::~CliContext() = default;

int CliContext::Fail(const std::string& message) {
    m_err << "solvane-cli: " << message << '\n';
    return kExitFailure;
}

int CliContext::UsageError(const std::string& message) {
    m_err << "solvane-cli: " << message << " (see solvane-cli --help)\n";
    return kExitUsage;
}

std::optional<std::filesystem::path> CliContext::DataFolder() {
    DataFolderSources sources = m_environment.dataFolder;
    sources.option = m_options.dataDir;
    auto folder = PrepareDataFolder(sources);
    if (!folder) {
        Fail(folder.status());
        return std::nullopt;
    }
    return folder.value();
}

std::optional<std::filesystem::path> CliContext::DataFile(const char* name) {
    auto folder = DataFolder();
    if (!folder) {
        return std::nullopt;
    }
    return *folder / name;
}

std::optional<std::filesystem::path> CliContext::KeymapPath() { return DataFile(keymap_file::kFileName); }

std::optional<std::filesystem::path> CliContext::MacroPath() { return DataFile(macro_file::kFileName); }

std::optional<std::filesystem::path> CliContext::LoadKeymap(Configuration& configuration,
                                                            MissingKeymap whenMissing) {
    auto path = KeymapPath();
    if (!path) {
        return std::nullopt;
    }
    std::error_code error;
    if (whenMissing == MissingKeymap::Refuse && !std::filesystem::exists(*path, error)) {
        Fail("there is no keymap.bin in " + path->parent_path().string() +
             " yet; run `solvane-cli read` first");
        return std::nullopt;
    }
    if (auto loaded = LoadKeymapAtStartUp(*path, configuration.image, configuration.records); !loaded) {
        Fail(loaded);
        return std::nullopt;
    }
    return path;
}

KeyboardLink* CliContext::ConnectKeyboard() {
    if (!m_link) {
        if (m_options.simulate) {
            VirtualKeyboardOptions sim;
            if (m_options.stateFile) {
                sim.stateFile = *m_options.stateFile;
            }
            sim.waitForTimeout = m_environment.readTimeoutWait;
            auto keyboard = std::make_unique<VirtualKeyboard>(std::move(sim));
            if (!keyboard->stateFileStatus().ok()) {
                m_err << "solvane-cli: warning: " << keyboard->stateFileStatus().message()
                      << "; starting from the factory state\n";
            }
            m_virtual = keyboard.get();
            m_device = std::move(keyboard);
        } else if (m_environment.hardware) {
            m_device = m_environment.hardware();
        }
        if (!m_device) {
            Fail("no keyboard found");
            return nullptr;
        }
        HidTransport* transport = m_device.get();
        PauseFunction pause = m_environment.pause;
        if (m_options.trace) {
            auto sink = [this](std::string_view line) { m_out << line << '\n'; };
            m_tracer = std::make_unique<TracingTransport>(*transport, sink);
            transport = m_tracer.get();
            pause = TracingPause(std::move(pause), sink);
        }
        m_link = std::make_unique<KeyboardLink>(*transport, std::move(pause));
    }
    if (!m_link->IsOpen() && !(m_link->FindKeyboardPath() && m_link->OpenKeyboard())) {
        Fail("no keyboard found");
        return nullptr;
    }
    return m_link.get();
}

Status CliContext::VirtualKeyboardSaveStatus() const {
    if (m_virtual == nullptr || m_virtual->lastSaveStatus().ok()) {
        return Status::Ok();
    }
    return {ErrorCode::FileError,
            "virtual keyboard state not saved: " + m_virtual->lastSaveStatus().message()};
}

}  // namespace solvane
