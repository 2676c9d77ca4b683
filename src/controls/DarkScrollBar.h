#pragma once

class QScrollBar;

namespace solvane {

// A thin scroll bar in the skin's dark colours, for the lists and trees of the skinned windows.
void UseDarkScrollBar(QScrollBar& bar);

}  // namespace solvane
