#pragma once

#include "common/Result.h"
#include "link/DeviceImage.h"
#include "link/KeyboardLink.h"

namespace solvane {

// Each sequence stops at the first command that fails (a keyboard that missed one report will
// not answer the next) and says so; fields not received whole keep the bytes they had.

// The one-time read-back after start-up: game mode 1, the firmware version, then every
// transferable field. Runs on its own thread into its own image; the caller hands the result
// over to the window.
Status ReadBackWorker(KeyboardLink& link, DeviceImage& image, FirmwareVersion& firmware);

// Reads every transferable field (not the firmware version).
Status ReadAll(KeyboardLink& link, DeviceImage& image);

// Writes every transferable field, applying the Windows-key lock to the image's bitmap first.
Status WriteAll(KeyboardLink& link, DeviceImage& image);

// WriteAll, then one read of the game mode: writes are never answered, so only a reply shows
// that the keyboard is still listening. A silent keyboard fails here instead of passing for saved.
Status WriteAllConfirmed(KeyboardLink& link, DeviceImage& image);

// The keyboard side of the factory reset; the caller then runs ReadAll.
Status FactoryResetSequence(KeyboardLink& link);

}  // namespace solvane
