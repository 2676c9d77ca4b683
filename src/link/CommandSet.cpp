#include "link/CommandSet.h"

#include "link/Commands.h"

namespace solvane {
namespace {

// Offsets into the 8 reply bytes (reply byte k of the report is index k - 1).
constexpr std::size_t ReplyByte(std::size_t reportByte) { return reportByte - 1; }

// Set feature, pause, Get feature, and a second pause where the command has one.
Result<FeatureReply> SingleRead(KeyboardLink& link, std::uint8_t command, int pauseBefore,
                                int pauseAfter) {
    if (auto sent = link.SendCommand(command); !sent) {
        return sent;
    }
    link.Pause(pauseBefore);
    auto reply = link.ReadReply();
    if (reply && pauseAfter >= 0) {
        link.Pause(pauseAfter);
    }
    return reply;
}

constexpr int kNoPause = -1;

// Set feature announcing the block, Get feature as the keyboard's acknowledgement, then the
// announced data reports with no pauses.
Status BlockRead(KeyboardLink& link, std::uint8_t command, CommandParameters parameters,
                 std::span<std::uint8_t> block) {
    if (auto sent = link.SendCommand(command, parameters); !sent) {
        return sent;
    }
    if (auto ack = link.ReadReply(); !ack) {
        return ack.status();
    }
    return link.ReadDataReports(block);
}

Status SingleWrite(KeyboardLink& link, std::uint8_t command, CommandParameters parameters,
                   int pause) {
    if (auto sent = link.SendCommand(command, parameters); !sent) {
        return sent;
    }
    link.Pause(pause);
    return Status::Ok();
}

}  // namespace

Result<FirmwareVersion> GetVersion(KeyboardLink& link) {
    auto reply = SingleRead(link, CMD_GET_VERSION, pause_ms::kSingleRead, pause_ms::kSingleRead);
    if (!reply) {
        return reply.status();
    }
    return FirmwareVersion{reply.value()[ReplyByte(2)], reply.value()[ReplyByte(3)]};
}

Status GetReportRate(KeyboardLink& link, DeviceImage& image) {
    auto reply = SingleRead(link, CMD_GET_REPORT_RATE, pause_ms::kSingleRead, pause_ms::kSingleRead);
    if (reply) {
        image.setReportRateStep(reply.value()[ReplyByte(2)]);
    }
    return reply.status();
}

Status GetKeyResponse(KeyboardLink& link, DeviceImage& image) {
    auto reply = SingleRead(link, CMD_GET_KEY_RESPONSE, pause_ms::kSingleRead, pause_ms::kSingleRead);
    if (reply) {
        image.setKeyResponse(reply.value()[ReplyByte(2)]);
    }
    return reply.status();
}

Status GetLighting(KeyboardLink& link, DeviceImage& image) {
    auto reply = SingleRead(link, CMD_GET_LIGHTING, pause_ms::kSingleRead, kNoPause);
    if (reply) {
        const auto& r = reply.value();
        image.setLighting({r[ReplyByte(3)], SpeedStepFromKeyboard(r[ReplyByte(4)]), r[ReplyByte(5)],
                           r[ReplyByte(6)], r[ReplyByte(7)]});
    }
    return reply.status();
}

Status GetGameMode(KeyboardLink& link, DeviceImage& image) {
    auto reply = SingleRead(link, CMD_GET_GAME_MODE, pause_ms::kGameModeRead, kNoPause);
    if (reply) {
        image.setGameMode(reply.value()[ReplyByte(2)]);
    }
    return reply.status();
}

Status GetKeyMap(KeyboardLink& link, DeviceImage& image) {
    return BlockRead(link, CMD_GET_KEY_MAP, {}, image.keyMapBlock());
}

Status GetKeyEnable(KeyboardLink& link, DeviceImage& image) {
    auto status = BlockRead(link, CMD_GET_KEY_ENABLE, {.p3 = kKeyEnableByteCount},
                            image.keyEnableBitmap());
    if (status) {
        image.setWinLockOn(WinLockFromBitmap(image.keyEnableBitmap()));
    }
    return status;
}

Status GetMacroBlock(KeyboardLink& link, DeviceImage& image, std::size_t block) {
    return BlockRead(link, CMD_GET_MACRO_BLOCK,
                     {.p2 = static_cast<std::uint8_t>(block), .p3 = 0}, image.macroBlock(block));
}

Status SetReportRate(KeyboardLink& link, std::uint8_t step) {
    return SingleWrite(link, CMD_SET_REPORT_RATE, {.p1 = step}, pause_ms::kSingleWrite);
}

Status SetKeyResponse(KeyboardLink& link, std::uint8_t value) {
    return SingleWrite(link, CMD_SET_KEY_RESPONSE, {.p1 = value}, pause_ms::kSingleWrite);
}

Status SetLighting(KeyboardLink& link, const LightingValues& l) {
    return SingleWrite(link, CMD_SET_LIGHTING,
                       {.p1 = 0, .p2 = l.effect, .p3 = SpeedStepToKeyboard(l.speed),
                        .p4 = l.brightness, .p5 = l.aux, .p6 = l.direction},
                       pause_ms::kSingleWrite);
}

Status SetGameMode(KeyboardLink& link, std::uint8_t value) {
    return SingleWrite(link, CMD_SET_GAME_MODE, {.p1 = value}, pause_ms::kGameModeWrite);
}

Status SetKeyMap(KeyboardLink& link, const DeviceImage& image) {
    if (auto sent = link.SendCommand(CMD_SET_KEY_MAP, {.p3 = kKeyMapReportCount}); !sent) {
        return sent;
    }
    link.Pause(pause_ms::kKeyMapBefore);
    const auto block = image.keyMapBlock();
    for (std::size_t offset = 0; offset < block.size(); offset += kDataPayloadSize) {
        if (auto written = link.WriteDataReport(block.subspan(offset, kDataPayloadSize)); !written) {
            return written;
        }
    }
    link.Pause(pause_ms::kKeyMapAfter);
    return Status::Ok();
}

Status SetKeyEnable(KeyboardLink& link, const DeviceImage& image) {
    if (auto sent = link.SendCommand(CMD_SET_KEY_ENABLE, {.p3 = kKeyEnableByteCount}); !sent) {
        return sent;
    }
    link.Pause(pause_ms::kKeyEnableBefore);
    return link.WriteDataReport(image.keyEnableBitmap());
}

Status SetMacroBlock(KeyboardLink& link, const DeviceImage& image, std::size_t block) {
    const auto bytes = image.macroBlock(block);
    if (auto sent = link.SendCommand(CMD_SET_MACRO_BLOCK,
                                     {.p2 = static_cast<std::uint8_t>(block),
                                      .p3 = kMacroBlockReportCount});
        !sent) {
        return sent;
    }
    constexpr int kPauseBefore[kMacroBlockReportCount] = {
        pause_ms::kMacroBeforeFirst, pause_ms::kMacroBeforeSecond, pause_ms::kMacroBeforeThird};
    for (std::size_t report = 0; report < kMacroBlockReportCount; ++report) {
        link.Pause(kPauseBefore[report]);
        if (auto written = link.WriteDataReport(bytes.subspan(report * kDataPayloadSize, kDataPayloadSize));
            !written) {
            return written;
        }
    }
    link.Pause(pause_ms::kMacroAfter);
    return Status::Ok();
}

Status FactoryReset(KeyboardLink& link) {
    return link.SendCommand(CMD_FACTORY_RESET, {.p1 = kFactoryResetParameter});
}

}  // namespace solvane
