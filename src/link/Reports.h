#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace solvane {

// The 9-byte command report: report ID 0, command code, six parameters, checksum.
inline constexpr std::size_t kFeatureReportSize = 9;
inline constexpr std::size_t kFeatureReportIdOffset = 0;
inline constexpr std::size_t kFeatureCommandOffset = 1;
inline constexpr std::size_t kFeatureFirstParameterOffset = 2;
inline constexpr std::size_t kFeatureParameterCount = 6;
inline constexpr std::size_t kFeatureChecksumOffset = 8;
using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;

// The 65-byte block report: report ID 0 and 64 bytes of a block.
inline constexpr std::size_t kDataReportSize = 65;
inline constexpr std::size_t kDataPayloadOffset = 1;
inline constexpr std::size_t kDataPayloadSize = 64;
using DataReport = std::array<std::uint8_t, kDataReportSize>;

// Bytes 1..8 of a reply to Get feature.
inline constexpr std::size_t kReplySize = 8;
using FeatureReply = std::array<std::uint8_t, kReplySize>;

// (0xFF - sum of bytes 1..7) mod 256, so that bytes 1..8 add up to 0xFF.
constexpr std::uint8_t FeatureChecksum(const FeatureReport& report) {
    unsigned sum = 0;
    for (std::size_t i = kFeatureCommandOffset; i < kFeatureChecksumOffset; ++i) {
        sum += report[i];
    }
    return static_cast<std::uint8_t>(0xFFu - sum);
}

struct CommandParameters {
    std::uint8_t p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0, p6 = 0;
};

constexpr FeatureReport MakeFeatureReport(std::uint8_t command, CommandParameters p = {}) {
    FeatureReport report{};
    report[kFeatureCommandOffset] = command;
    report[kFeatureFirstParameterOffset + 0] = p.p1;
    report[kFeatureFirstParameterOffset + 1] = p.p2;
    report[kFeatureFirstParameterOffset + 2] = p.p3;
    report[kFeatureFirstParameterOffset + 3] = p.p4;
    report[kFeatureFirstParameterOffset + 4] = p.p5;
    report[kFeatureFirstParameterOffset + 5] = p.p6;
    report[kFeatureChecksumOffset] = FeatureChecksum(report);
    return report;
}

}  // namespace solvane
