#include "controls/BitWndState.h"

namespace solvane {

BitWndReaction BitWndState::OnHover(int frames) {
    frame = checked ? 2 : (frames > 1 ? 1 : 0);
    return {.redraw = true};
}

BitWndReaction BitWndState::OnLeave(int frames) {
    frame = frames <= 1 ? 0 : (checked ? 2 : 0);
    tracking = false;
    return {.redraw = true};
}

BitWndReaction BitWndState::OnPress(int frames) {
    frame = (!checked && frames > 2) ? 2 : 0;
    if (toggle) {
        checked = !checked;
    }
    return {.redraw = true, .sendCommand = commandOnPress};
}

BitWndReaction BitWndState::OnRelease(int frames) {
    BitWndReaction reaction;
    if (!checked) {
        frame = frames > 1 ? 1 : 0;
        reaction.redraw = true;
    }
    reaction.sendCommand = !commandOnPress;
    return reaction;
}

}  // namespace solvane
