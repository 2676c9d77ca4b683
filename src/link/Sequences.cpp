#include "link/Sequences.h"

#include <functional>
#include <initializer_list>

#include "link/CommandSet.h"
#include "link/Commands.h"

namespace solvane {
namespace {

using Step = std::function<Status()>;

Status RunSteps(std::initializer_list<Step> steps) {
    for (const auto& step : steps) {
        if (auto status = step(); !status) {
            return status;
        }
    }
    return Status::Ok();
}

constexpr std::uint8_t kGameModeOn = 1;

// Lighting, game mode, report rate, key response, key map, key enable bitmap: the order both
// read sequences share.
Status ReadSettingsAndKeyMap(KeyboardLink& link, DeviceImage& image) {
    return RunSteps({
        [&] { return GetLighting(link, image); },
        [&] { return GetGameMode(link, image); },
        [&] { return GetReportRate(link, image); },
        [&] { return GetKeyResponse(link, image); },
        [&] { return GetKeyMap(link, image); },
        [&] { return GetKeyEnable(link, image); },
    });
}

Status ReadMacroBlocks(KeyboardLink& link, DeviceImage& image, bool yieldBetweenBlocks) {
    for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
        if (auto status = GetMacroBlock(link, image, n); !status) {
            return status;
        }
        if (yieldBetweenBlocks) {
            link.Pause(pause_ms::kYield);
        }
    }
    return Status::Ok();
}

}  // namespace

Status ReadBackWorker(KeyboardLink& link, DeviceImage& image, FirmwareVersion& firmware) {
    auto lock = link.LockForSequence();
    return RunSteps({
        [&] { return SetGameMode(link, kGameModeOn); },
        [&]() -> Status {
            auto version = GetVersion(link);
            if (version) {
                firmware = version.value();
            }
            return version.status();
        },
        [&] { return ReadSettingsAndKeyMap(link, image); },
        [&] { return ReadMacroBlocks(link, image, true); },
    });
}

Status ReadAll(KeyboardLink& link, DeviceImage& image) {
    auto lock = link.LockForSequence();
    return RunSteps({
        [&] { return SetGameMode(link, kGameModeOn); },
        [&] {
            link.Pause(pause_ms::kReadAllAfterGameMode);
            return Status::Ok();
        },
        [&] { return ReadSettingsAndKeyMap(link, image); },
        [&] { return ReadMacroBlocks(link, image, false); },
    });
}

Status WriteAll(KeyboardLink& link, DeviceImage& image) {
    auto lock = link.LockForSequence();
    if (!link.IsOpen()) {
        return {ErrorCode::NoKeyboard, "no keyboard is connected"};
    }
    return RunSteps({
        [&] { return SetLighting(link, image.lighting()); },
        [&] {
            auto status = SetGameMode(link, image.gameMode());
            ApplyWinLockToBitmap(image);
            return status;
        },
        [&] { return SetReportRate(link, image.reportRateStep()); },
        [&] { return SetKeyResponse(link, image.keyResponse()); },
        [&] { return SetKeyMap(link, image); },
        [&] {
            link.Pause(pause_ms::kWriteAllAfterKeyMap);
            return SetKeyEnable(link, image);
        },
        [&]() -> Status {
            link.Pause(pause_ms::kWriteAllAfterKeyEnable);
            for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
                if (auto status = SetMacroBlock(link, image, n); !status) {
                    return status;
                }
                link.Pause(pause_ms::kWriteAllAfterMacroBlock);
            }
            return Status::Ok();
        },
    });
}

Status WriteAllConfirmed(KeyboardLink& link, DeviceImage& image) {
    if (auto status = WriteAll(link, image); !status) {
        return status;
    }
    auto lock = link.LockForSequence();
    DeviceImage scratch = image;
    return GetGameMode(link, scratch);
}

Status FactoryResetSequence(KeyboardLink& link) {
    auto lock = link.LockForSequence();
    auto settle = [&] {
        link.Pause(pause_ms::kFactoryResetSettle);
        return Status::Ok();
    };
    return RunSteps({
        [&] { return FactoryReset(link); },
        settle,
        [&] { return SetGameMode(link, kGameModeOn); },
        settle,
        [&] { return SetGameMode(link, kGameModeOn); },
        settle,
    });
}

}  // namespace solvane
