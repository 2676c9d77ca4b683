#pragma once

namespace solvane {

// What a bitmap button window does after a mouse event.
struct BitWndReaction {
    bool redraw = false;
    bool sendCommand = false;
};

// The frame rules of a bitmap button window: frame 0 normal, 1 hover, 2 pressed or checked.
// `frames` is the strip's frame count at the time of the event.
struct BitWndState {
    int frame = 0;
    bool checked = false;
    bool toggle = false;          // a press flips `checked`
    bool commandOnPress = false;  // the click is reported on button-down instead of button-up
    bool tracking = false;        // hover and leave notifications have been asked for

    BitWndReaction OnHover(int frames);
    BitWndReaction OnLeave(int frames);
    BitWndReaction OnPress(int frames);
    BitWndReaction OnRelease(int frames);
};

}  // namespace solvane
