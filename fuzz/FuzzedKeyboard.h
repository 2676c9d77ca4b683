#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/HidTransport.h"

namespace solvane::fuzz {

// A keyboard whose every answer comes from the fuzzer's bytes: whether a call fails, what a
// reply holds, whether an input report arrives, times out or the device is gone. When the bytes
// run out it falls silent (nothing more arrives), as an unplugged or hung keyboard would.
class FuzzedKeyboard final : public HidTransport {
public:
    explicit FuzzedKeyboard(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::vector<HidInterfaceInfo> Enumerate() override;
    HidHandle Open(const std::string& path) override;
    void Close(HidHandle handle) override;
    bool SetFeature(HidHandle handle, const FeatureReport& report) override;
    bool GetFeature(HidHandle handle, FeatureReport& report) override;
    bool WriteReport(HidHandle handle, const DataReport& report) override;
    ReadOutcome ReadReport(HidHandle handle, DataReport& report, int timeoutMs) override;

    // Calls that failed or timed out, and calls made after the first of them, since the last
    // ResetCounts.
    std::size_t failures() const { return m_failures; }
    std::size_t callsAfterFailure() const { return m_callsAfterFailure; }
    std::size_t timeouts() const { return m_timeouts; }
    void ResetCounts() { m_failures = m_callsAfterFailure = m_timeouts = 0; }

private:
    static constexpr HidHandle kHandle = 7;

    // Counts the call; false when the handle is not the open one.
    bool Usable(HidHandle handle);
    // For calls that send: false when the handle is unusable or the next control byte (one in
    // 64) says the device is gone.
    bool Accepted(HidHandle handle);
    std::uint8_t Next();
    void Fail() { ++m_failures; }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    bool m_open = false;
    std::size_t m_failures = 0;
    std::size_t m_callsAfterFailure = 0;
    std::size_t m_timeouts = 0;
};

}  // namespace solvane::fuzz
