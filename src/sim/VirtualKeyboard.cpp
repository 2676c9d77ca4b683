#include "sim/VirtualKeyboard.h"

#include <algorithm>

#include "link/Commands.h"

namespace solvane {
namespace {

constexpr std::uint16_t kOtherVendorId = 0x046D;
constexpr std::uint16_t kOtherProductId = 0xC077;

std::string InterfacePath(std::uint16_t vendor, std::uint16_t product, int number) {
    char text[64];
    std::snprintf(text, sizeof text, "virtual:%04x:%04x:%02d", vendor, product, number);
    return text;
}

std::uint8_t Parameter(const FeatureReport& report, std::size_t n) {
    return report[kFeatureFirstParameterOffset + n - 1];
}

// Reply bytes are numbered as in the report: byte k is index k - 1.
std::uint8_t& ReplyAt(FeatureReply& reply, std::size_t reportByte) { return reply[reportByte - 1]; }

}  // namespace

VirtualKeyboard::VirtualKeyboard(VirtualKeyboardOptions options)
    : m_options(std::move(options)), m_flash(FactoryFlash(m_options.factoryKeyMap)) {
    m_interfaces = {
        {{InterfacePath(KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, 0), KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, 0}, true, false},
        {{InterfacePath(KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, 1), KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, 1}, true, false},
        {{InterfacePath(kOtherVendorId, kOtherProductId, 0), kOtherVendorId, kOtherProductId, 0}, true, false},
        {{KeyboardInterfacePath(), KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, KEYBOARD_INTERFACE_NUMBER}, true, true},
    };
    if (m_options.stateFile && std::filesystem::exists(*m_options.stateFile)) {
        auto loaded = LoadFlashFile(*m_options.stateFile);
        if (loaded) {
            m_flash = loaded.value();
        } else {
            // Start from the factory state rather than from a file we do not understand; the
            // file is left as it is until the flash changes.
            m_stateFileStatus = loaded.status();
        }
    }
}

std::string VirtualKeyboard::KeyboardInterfacePath() {
    return InterfacePath(KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, KEYBOARD_INTERFACE_NUMBER);
}

std::vector<HidInterfaceInfo> VirtualKeyboard::Enumerate() {
    std::scoped_lock lock(m_mutex);
    std::vector<HidInterfaceInfo> result;
    if (m_unplugged) {
        return result;
    }
    for (const auto& entry : m_interfaces) {
        result.push_back(entry.info);
    }
    return result;
}

HidHandle VirtualKeyboard::Open(const std::string& path) {
    std::scoped_lock lock(m_mutex);
    if (m_unplugged) {
        return kNoHandle;
    }
    const auto it = std::find_if(m_interfaces.begin(), m_interfaces.end(),
                                 [&](const VirtualInterface& e) { return e.info.path == path; });
    if (it == m_interfaces.end() || !it->openable) {
        return kNoHandle;
    }
    const HidHandle handle = m_nextHandle++;
    m_openHandles.emplace(handle, path);
    return handle;
}

void VirtualKeyboard::Close(HidHandle handle) {
    std::scoped_lock lock(m_mutex);
    m_openHandles.erase(handle);
}

bool VirtualKeyboard::IsKeyboardHandle(HidHandle handle) const {
    const auto open = m_openHandles.find(handle);
    if (open == m_openHandles.end()) {
        return false;
    }
    return std::any_of(m_interfaces.begin(), m_interfaces.end(), [&](const VirtualInterface& e) {
        return e.isKeyboard && e.info.path == open->second;
    });
}

bool VirtualKeyboard::SetFeature(HidHandle handle, const FeatureReport& report) {
    std::scoped_lock lock(m_mutex);
    if (m_unplugged || !m_openHandles.contains(handle)) {
        return false;
    }
    if (IsKeyboardHandle(handle) && !m_silent) {
        Execute(report);
    }
    return true;
}

bool VirtualKeyboard::GetFeature(HidHandle handle, FeatureReport& report) {
    std::scoped_lock lock(m_mutex);
    if (m_unplugged || m_silent || !m_openHandles.contains(handle)) {
        return false;
    }
    report[kFeatureReportIdOffset] = 0;
    if (!IsKeyboardHandle(handle)) {
        std::fill(report.begin() + 1, report.end(), 0);
        return true;
    }
    if (m_garbage) {
        FillGarbage(m_reply);
    }
    std::copy(m_reply.begin(), m_reply.end(), report.begin() + 1);
    return true;
}

bool VirtualKeyboard::WriteReport(HidHandle handle, const DataReport& report) {
    std::scoped_lock lock(m_mutex);
    if (m_unplugged || !m_openHandles.contains(handle)) {
        return false;
    }
    if (IsKeyboardHandle(handle) && !m_silent) {
        TakeOutput(report);
    }
    return true;
}

ReadOutcome VirtualKeyboard::ReadReport(HidHandle handle, DataReport& report, int timeoutMs) {
    {
        std::scoped_lock lock(m_mutex);
        if (m_unplugged || !m_openHandles.contains(handle)) {
            return ReadOutcome::Failed;
        }
        const bool lost = m_inputLimit && m_inputDelivered >= *m_inputLimit;
        if (!m_input.empty() && !m_silent && !lost) {
            report = m_input.front();
            m_input.pop_front();
            ++m_inputDelivered;
            return ReadOutcome::Received;
        }
    }
    if (m_options.waitForTimeout) {
        m_options.waitForTimeout(timeoutMs);
    }
    return ReadOutcome::TimedOut;
}

void VirtualKeyboard::Execute(const FeatureReport& report) {
    // A report with a wrong checksum is dropped, as the keyboard does.
    if (report[kFeatureChecksumOffset] != FeatureChecksum(report)) {
        return;
    }
    // A new command ends whatever transfer the previous one announced.
    m_input.clear();
    m_pending = PendingWrite::None;
    m_reply.fill(0);
    const std::uint8_t command = report[kFeatureCommandOffset];
    ReplyAt(m_reply, 1) = command;
    switch (command) {
        case CMD_GET_VERSION:
            ReplyAt(m_reply, 2) = m_flash.firmware.major;
            ReplyAt(m_reply, 3) = m_flash.firmware.minor;
            break;
        case CMD_GET_REPORT_RATE:
            ReplyAt(m_reply, 2) = m_flash.reportRateStep;
            break;
        case CMD_GET_KEY_RESPONSE:
            ReplyAt(m_reply, 2) = m_flash.keyResponse;
            break;
        case CMD_GET_LIGHTING:
            ReplyAt(m_reply, 3) = m_flash.ledEffect;
            ReplyAt(m_reply, 4) = m_flash.ledSpeedByte;
            ReplyAt(m_reply, 5) = m_flash.ledBrightness;
            ReplyAt(m_reply, 6) = m_flash.lightingAux;
            ReplyAt(m_reply, 7) = m_flash.ledDirection;
            break;
        case CMD_GET_GAME_MODE:
            ReplyAt(m_reply, 2) = m_flash.gameMode;
            break;
        case CMD_GET_KEY_MAP:
            QueueInput(m_flash.keyMap);
            break;
        case CMD_GET_KEY_ENABLE:
            QueueInput(m_flash.keyEnable);
            break;
        case CMD_GET_MACRO_BLOCK:
            if (Parameter(report, 2) < image::kMacroBlockCount) {
                QueueInput(m_flash.macroBlocks[Parameter(report, 2)]);
            }
            break;
        case CMD_SET_REPORT_RATE:
            m_flash.reportRateStep = Parameter(report, 1);
            CommitFlash();
            break;
        case CMD_SET_KEY_RESPONSE:
            m_flash.keyResponse = Parameter(report, 1);
            CommitFlash();
            break;
        case CMD_SET_LIGHTING:
            m_flash.ledEffect = Parameter(report, 2);
            m_flash.ledSpeedByte = Parameter(report, 3);
            m_flash.ledBrightness = Parameter(report, 4);
            m_flash.lightingAux = Parameter(report, 5);
            m_flash.ledDirection = Parameter(report, 6);
            CommitFlash();
            break;
        case CMD_SET_GAME_MODE:
            m_flash.gameMode = Parameter(report, 1);
            CommitFlash();
            break;
        case CMD_SET_KEY_MAP:
            m_pending = PendingWrite::KeyMap;
            m_pendingExpected = image::kKeyMapBlockSize;
            break;
        case CMD_SET_KEY_ENABLE:
            m_pending = PendingWrite::KeyEnable;
            m_pendingExpected = image::kKeyEnableBitmapSize;
            break;
        case CMD_SET_MACRO_BLOCK:
            if (Parameter(report, 2) < image::kMacroBlockCount) {
                m_pending = PendingWrite::MacroBlock;
                m_pendingBlock = Parameter(report, 2);
                m_pendingExpected = image::kMacroBlockSize;
            }
            break;
        case CMD_FACTORY_RESET:
            if (Parameter(report, 1) == kFactoryResetParameter) {
                const FirmwareVersion firmware = m_flash.firmware;
                m_flash = FactoryFlash(m_options.factoryKeyMap);
                m_flash.firmware = firmware;
                CommitFlash();
            }
            break;
        default:
            break;
    }
    m_pendingBytes.clear();
}

void VirtualKeyboard::QueueInput(std::span<const std::uint8_t> block) {
    for (std::size_t offset = 0; offset < block.size(); offset += kDataPayloadSize) {
        DataReport report{};
        const std::size_t count = std::min(kDataPayloadSize, block.size() - offset);
        std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(offset), count,
                    report.begin() + kDataPayloadOffset);
        if (m_garbage) {
            FillGarbage(std::span(report).subspan(kDataPayloadOffset));
        }
        m_input.push_back(report);
    }
}

void VirtualKeyboard::TakeOutput(const DataReport& report) {
    if (m_pending == PendingWrite::None) {
        return;
    }
    const std::size_t count = std::min(kDataPayloadSize, m_pendingExpected - m_pendingBytes.size());
    m_pendingBytes.insert(m_pendingBytes.end(), report.begin() + kDataPayloadOffset,
                          report.begin() + static_cast<std::ptrdiff_t>(kDataPayloadOffset + count));
    if (m_pendingBytes.size() < m_pendingExpected) {
        return;
    }
    switch (m_pending) {
        case PendingWrite::KeyMap:
            std::copy(m_pendingBytes.begin(), m_pendingBytes.end(), m_flash.keyMap.begin());
            break;
        case PendingWrite::KeyEnable:
            std::copy(m_pendingBytes.begin(), m_pendingBytes.end(), m_flash.keyEnable.begin());
            break;
        case PendingWrite::MacroBlock:
            std::copy(m_pendingBytes.begin(), m_pendingBytes.end(),
                      m_flash.macroBlocks[m_pendingBlock].begin());
            break;
        case PendingWrite::None:
            break;
    }
    m_pending = PendingWrite::None;
    m_pendingBytes.clear();
    CommitFlash();
}

void VirtualKeyboard::CommitFlash() {
    if (m_options.stateFile) {
        m_lastSaveStatus = SaveFlashFile(*m_options.stateFile, m_flash);
    }
}

void VirtualKeyboard::FillGarbage(std::span<std::uint8_t> bytes) {
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(m_random());
    }
}

Status VirtualKeyboard::lastSaveStatus() const {
    std::scoped_lock lock(m_mutex);
    return m_lastSaveStatus;
}

KeyboardFlash VirtualKeyboard::flash() const {
    std::scoped_lock lock(m_mutex);
    return m_flash;
}

void VirtualKeyboard::setFlash(const KeyboardFlash& flash) {
    std::scoped_lock lock(m_mutex);
    m_flash = flash;
    CommitFlash();
}

void VirtualKeyboard::setInterfaces(std::vector<VirtualInterface> interfaces) {
    std::scoped_lock lock(m_mutex);
    m_interfaces = std::move(interfaces);
}

void VirtualKeyboard::setUnplugged(bool on) {
    std::scoped_lock lock(m_mutex);
    m_unplugged = on;
    if (on) {
        m_openHandles.clear();
        m_input.clear();
    }
}

void VirtualKeyboard::setSilent(bool on) {
    std::scoped_lock lock(m_mutex);
    m_silent = on;
}

void VirtualKeyboard::setGarbage(bool on) {
    std::scoped_lock lock(m_mutex);
    m_garbage = on;
}

void VirtualKeyboard::setInputReportLimit(std::optional<std::size_t> count) {
    std::scoped_lock lock(m_mutex);
    m_inputLimit = count;
    m_inputDelivered = 0;
}

}  // namespace solvane
