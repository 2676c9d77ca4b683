#include "link/DeviceChange.h"

#include "link/CommandSet.h"
#include "link/Sequences.h"

namespace solvane {

ArrivalOutcome ReconnectAfterArrival(KeyboardLink& link, DeviceImage& image, Status* failure) {
    if (link.IsOpen()) {
        return ArrivalOutcome::AlreadyOpen;
    }
    link.FindKeyboardPath();
    if (!link.OpenKeyboard()) {
        return ArrivalOutcome::NotFound;
    }
    Status status = ReadAll(link, image);
    if (status) {
        auto version = GetVersion(link);
        if (version) {
            link.setFirmwareVersion(version.value());
        }
        status = version.status();
    }
    if (!status) {
        if (failure != nullptr) {
            *failure = status;
        }
        return ArrivalOutcome::ReadFailed;
    }
    return ArrivalOutcome::Reconnected;
}

void DisconnectOnRemoval(KeyboardLink& link) { link.CloseKeyboard(); }

}  // namespace solvane
