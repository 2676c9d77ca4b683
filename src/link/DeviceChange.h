#pragma once

#include "common/Result.h"
#include "link/DeviceImage.h"
#include "link/KeyboardLink.h"

namespace solvane {

// How long the window waits after a USB arrival before it looks for the keyboard (the device
// needs the time to settle), and after a removal.
inline constexpr int kArrivalSettleMs = 2000;
inline constexpr int kRemovalSettleMs = 200;

enum class ArrivalOutcome {
    AlreadyOpen,     // the keyboard was open: nothing to do
    NotFound,        // no usable keyboard: it stays closed until the next arrival
    Reconnected,     // found, opened and read again
    ReadFailed,      // found and opened, but reading it failed
};

// Runs after the settle pause of an arrival of any USB device: when no keyboard is open,
// discovery, open, ReadAll into `image` and the firmware version. The caller then runs the
// window's arrival follow-up when the outcome is Reconnected.
ArrivalOutcome ReconnectAfterArrival(KeyboardLink& link, DeviceImage& image, Status* failure = nullptr);

// The removal of any USB device closes the keyboard handle; a later arrival finds it again.
void DisconnectOnRemoval(KeyboardLink& link);

}  // namespace solvane
