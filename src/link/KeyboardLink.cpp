#include "link/KeyboardLink.h"

#include <algorithm>
#include <vector>

#include "link/Commands.h"

namespace solvane {
namespace {

Status NoKeyboard() { return {ErrorCode::NoKeyboard, "no keyboard is connected"}; }

}  // namespace

KeyboardLink::KeyboardLink(HidTransport& transport, PauseFunction pause)
    : m_transport(transport), m_pause(std::move(pause)) {}

KeyboardLink::~KeyboardLink() { CloseKeyboard(); }

bool KeyboardLink::FindKeyboardPath() {
    m_keyboardDenied = false;
    for (const auto& candidate : m_transport.Enumerate()) {
        if (candidate.vendorId != KEYBOARD_VENDOR_ID || candidate.productId != KEYBOARD_PRODUCT_ID ||
            candidate.interfaceNumber != KEYBOARD_INTERFACE_NUMBER) {
            continue;
        }
        // An interface we cannot open is of no use; try the next one.
        const HidHandle probe = m_transport.Open(candidate.path);
        if (probe == kNoHandle) {
            m_keyboardDenied = true;
            continue;
        }
        m_transport.Close(probe);
        m_keyboardPath = candidate.path;
        m_keyboardDenied = false;
        return true;
    }
    return false;
}

bool KeyboardLink::OpenKeyboard() {
    CloseKeyboard();
    if (m_keyboardPath.empty()) {
        return false;
    }
    m_keyboardHandle = m_transport.Open(m_keyboardPath);
    return IsOpen();
}

void KeyboardLink::CloseKeyboard() {
    if (IsOpen()) {
        m_transport.Close(m_keyboardHandle);
        m_keyboardHandle = kNoHandle;
    }
}

Status KeyboardLink::LostKeyboard(const char* what) {
    return {ErrorCode::Disconnected, std::string("the keyboard did not take ") + what};
}

Status KeyboardLink::SendCommand(std::uint8_t command, CommandParameters parameters) {
    if (!IsOpen()) {
        return NoKeyboard();
    }
    if (!m_transport.SetFeature(m_keyboardHandle, MakeFeatureReport(command, parameters))) {
        return LostKeyboard("a command");
    }
    return Status::Ok();
}

Result<FeatureReply> KeyboardLink::ReadReply() {
    if (!IsOpen()) {
        return NoKeyboard();
    }
    FeatureReport buffer{};
    if (!m_transport.GetFeature(m_keyboardHandle, buffer)) {
        return Status{ErrorCode::Disconnected, "the keyboard did not answer a command"};
    }
    FeatureReply reply{};
    std::copy(buffer.begin() + 1, buffer.end(), reply.begin());
    return reply;
}

Status KeyboardLink::ReadDataReports(std::span<std::uint8_t> block) {
    if (!IsOpen()) {
        return NoKeyboard();
    }
    std::vector<std::uint8_t> received(block.size());
    for (std::size_t offset = 0; offset < block.size(); offset += kDataPayloadSize) {
        DataReport report{};
        switch (m_transport.ReadReport(m_keyboardHandle, report, kReadReportTimeoutMs)) {
            case ReadOutcome::Received:
                break;
            case ReadOutcome::TimedOut:
                return {ErrorCode::Timeout, "the keyboard stopped sending data"};
            case ReadOutcome::Failed:
                return {ErrorCode::Disconnected, "the keyboard went away while sending data"};
        }
        const std::size_t count = std::min(kDataPayloadSize, block.size() - offset);
        std::copy_n(report.begin() + kDataPayloadOffset, count, received.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    std::copy(received.begin(), received.end(), block.begin());
    return Status::Ok();
}

Status KeyboardLink::WriteDataReport(std::span<const std::uint8_t> payload) {
    if (!IsOpen()) {
        return NoKeyboard();
    }
    DataReport report{};
    std::copy_n(payload.begin(), std::min(payload.size(), kDataPayloadSize),
                report.begin() + kDataPayloadOffset);
    if (!m_transport.WriteReport(m_keyboardHandle, report)) {
        return LostKeyboard("data");
    }
    return Status::Ok();
}

void KeyboardLink::Pause(int milliseconds) const {
    if (m_pause) {
        m_pause(milliseconds);
    }
}

}  // namespace solvane
