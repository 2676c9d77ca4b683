#pragma once

#include <cstdint>

namespace solvane {

// Command codes. A read is the matching write with bit 7 set.
inline constexpr std::uint8_t CMD_GET_VERSION = 0x80;
inline constexpr std::uint8_t CMD_GET_REPORT_RATE = 0x81;
inline constexpr std::uint8_t CMD_GET_KEY_RESPONSE = 0x84;
inline constexpr std::uint8_t CMD_GET_LIGHTING = 0x88;
inline constexpr std::uint8_t CMD_GET_GAME_MODE = 0x89;
inline constexpr std::uint8_t CMD_GET_KEY_MAP = 0x8D;
inline constexpr std::uint8_t CMD_GET_KEY_ENABLE = 0x8E;
inline constexpr std::uint8_t CMD_GET_MACRO_BLOCK = 0x91;
inline constexpr std::uint8_t CMD_SET_REPORT_RATE = 0x01;
inline constexpr std::uint8_t CMD_SET_KEY_RESPONSE = 0x04;
inline constexpr std::uint8_t CMD_SET_LIGHTING = 0x08;
inline constexpr std::uint8_t CMD_SET_GAME_MODE = 0x09;
inline constexpr std::uint8_t CMD_SET_KEY_MAP = 0x0D;
inline constexpr std::uint8_t CMD_SET_KEY_ENABLE = 0x0E;
inline constexpr std::uint8_t CMD_SET_MACRO_BLOCK = 0x11;
inline constexpr std::uint8_t CMD_FACTORY_RESET = 0x13;

inline constexpr std::uint8_t kReadCommandBit = 0x80;
inline constexpr std::uint8_t kFactoryResetParameter = 0xFF;

// Data reports announced by the block commands (parameter 3).
inline constexpr std::uint8_t kKeyMapReportCount = 8;
inline constexpr std::uint8_t kKeyEnableByteCount = 0x15;
inline constexpr std::uint8_t kMacroBlockReportCount = 3;

// Pauses of the protocol, in milliseconds: the keyboard needs them to digest a command.
namespace pause_ms {
inline constexpr int kSingleRead = 10;           // after Set feature of 0x80/0x81/0x84/0x88, and after the reply of 0x80/0x81/0x84
inline constexpr int kGameModeRead = 5;          // after Set feature of 0x89
inline constexpr int kSingleWrite = 10;          // after 0x01, 0x04, 0x08
inline constexpr int kGameModeWrite = 20;        // after 0x09
inline constexpr int kKeyMapBefore = 50;         // 0x0D: before its data reports
inline constexpr int kKeyMapAfter = 60;          // 0x0D: after its data reports
inline constexpr int kKeyEnableBefore = 10;      // 0x0E: before its data report
inline constexpr int kMacroBeforeFirst = 1;      // 0x11: before report 0
inline constexpr int kMacroBeforeSecond = 1;     // 0x11: before report 1
inline constexpr int kMacroBeforeThird = 2;      // 0x11: before report 2
inline constexpr int kMacroAfter = 10;           // 0x11: after report 2
inline constexpr int kYield = 0;                 // a yield of the processor
// Pauses the sequences add between commands.
inline constexpr int kReadAllAfterGameMode = 10;
inline constexpr int kWriteAllAfterKeyMap = 50;
inline constexpr int kWriteAllAfterKeyEnable = 50;
inline constexpr int kWriteAllAfterMacroBlock = 60;
inline constexpr int kFactoryResetSettle = 300;
}  // namespace pause_ms

// How long one Read report waits for the keyboard before it counts as a time-out.
inline constexpr int kReadReportTimeoutMs = 1000;

}  // namespace solvane
