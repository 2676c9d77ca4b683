#include "FuzzedKeyboard.h"

#include "link/KeyboardLink.h"

namespace solvane::fuzz {
namespace {

constexpr std::uint8_t kFailEvery = 0x3F;  // a control byte with these bits clear fails the call
const std::string kPath = "fuzzed:keyboard";

}  // namespace

std::vector<HidInterfaceInfo> FuzzedKeyboard::Enumerate() {
    return {{"fuzzed:other", KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, 0},
            {kPath, KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, KEYBOARD_INTERFACE_NUMBER}};
}

HidHandle FuzzedKeyboard::Open(const std::string& path) {
    if (path != kPath) {
        return kNoHandle;
    }
    m_open = true;
    return kHandle;
}

void FuzzedKeyboard::Close(HidHandle handle) {
    if (handle == kHandle) {
        m_open = false;
    }
}

std::uint8_t FuzzedKeyboard::Next() { return m_position < m_bytes.size() ? m_bytes[m_position++] : 0; }

bool FuzzedKeyboard::Usable(HidHandle handle) {
    if (m_failures != 0) {
        ++m_callsAfterFailure;
    }
    return handle == kHandle && m_open;
}

bool FuzzedKeyboard::Accepted(HidHandle handle) {
    // Out of bytes, a command or a report is still taken: only answers stop.
    if (!Usable(handle) || (m_position < m_bytes.size() && (Next() & kFailEvery) == 0)) {
        Fail();
        return false;
    }
    return true;
}

bool FuzzedKeyboard::SetFeature(HidHandle handle, const FeatureReport&) { return Accepted(handle); }

bool FuzzedKeyboard::GetFeature(HidHandle handle, FeatureReport& report) {
    if (!Usable(handle) || m_position >= m_bytes.size() || (Next() & kFailEvery) == 0) {
        Fail();
        return false;
    }
    for (auto& byte : report) {
        byte = Next();
    }
    return true;
}

bool FuzzedKeyboard::WriteReport(HidHandle handle, const DataReport&) { return Accepted(handle); }

ReadOutcome FuzzedKeyboard::ReadReport(HidHandle handle, DataReport& report, int) {
    if (!Usable(handle)) {
        Fail();
        return ReadOutcome::Failed;
    }
    const std::uint8_t control = m_position < m_bytes.size() ? Next() : 1;
    switch (control & kFailEvery) {
        case 0:
            Fail();
            return ReadOutcome::Failed;
        case 1:
            Fail();
            ++m_timeouts;
            return ReadOutcome::TimedOut;
        default:
            for (auto& byte : report) {
                byte = Next();
            }
            return ReadOutcome::Received;
    }
}

}  // namespace solvane::fuzz
