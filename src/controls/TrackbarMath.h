#pragma once

#include "common/Geometry.h"

namespace solvane {

// The places a horizontal trackbar reports to its owner, who draws the slider's picture. The
// trackbar's own thumb is narrower than the thumb image so that the image centres on the value.
namespace trackbar {
inline constexpr int kChannelLeft = 7;
inline constexpr int kChannelRightMargin = 8;
inline constexpr int kThumbWidth = 5;
// The thumb image is drawn this far left of where the trackbar centres it.
inline constexpr int kThumbImageShift = 10;
}  // namespace trackbar

// The channel along which the thumb moves, in client coordinates.
Rect ChannelRect(int clientWidth, int clientHeight);

// The trackbar's thumb for `value` in min..max (a value outside is held at the nearer end).
Rect ThumbRect(const Rect& channel, int clientHeight, int min, int max, int value);

// Where the owner draws the thumb image: the thumb window centred on the trackbar's thumb,
// moved kThumbImageShift to the left; y is the owner's thumb offset.
Point ThumbImagePoint(const Rect& thumb, int thumbWindowWidth, int thumbOffset);

// The value a click at client x asks for: the channel fraction of the range, rounded half up.
// Not limited to the range; the slider holds the value inside it.
int ClickValue(const Rect& channel, int min, int max, int x);

}  // namespace solvane
