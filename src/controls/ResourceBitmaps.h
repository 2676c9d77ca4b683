#pragma once

#include <QtGui/QImage>

namespace solvane {

// Bitmaps compiled into the program for the custom controls (not skin files).
inline constexpr int IDB_KEY_DOWN = 131;       // red down arrow, 10 x 14
inline constexpr int IDB_TREE_EXPAND = 133;    // plus button, 9 x 9
inline constexpr int IDB_TREE_COLLAPSE = 134;  // minus button, 9 x 9
inline constexpr int IDB_DELAY = 137;          // cyan clock, 14 x 14
inline constexpr int IDB_KEY_UP = 138;         // red up arrow, 10 x 14
inline constexpr int IDB_TRACK_EMPTY = 139;    // dark track, 220 x 17
inline constexpr int IDB_TRACK_FILL = 140;     // red track, 220 x 17
inline constexpr int IDB_THUMB = 141;          // slider thumb, 15 x 14
inline constexpr int IDB_LIST_BACK = 145;      // grey rounded list panel, 127 x 305
// The tree's background bitmap is resource 131.
inline constexpr int IDB_TREE_BACKGROUND = IDB_KEY_DOWN;

// All of the above, for tools that write them out.
inline constexpr int kResourceBitmapIds[] = {IDB_KEY_DOWN,   IDB_TREE_EXPAND, IDB_TREE_COLLAPSE,
                                             IDB_DELAY,      IDB_KEY_UP,      IDB_TRACK_EMPTY,
                                             IDB_TRACK_FILL, IDB_THUMB,       IDB_LIST_BACK};

// The bitmap with this resource id, opaque (RGB32); a null image for an unknown id.
QImage LoadResourceBitmap(int id);

}  // namespace solvane
