#include "controls/DarkScrollBar.h"

#include <QtWidgets/QScrollBar>

namespace solvane {

void UseDarkScrollBar(QScrollBar& bar) {
    bar.setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: #1c1c1c; width: 10px; margin: 0; }"
        "QScrollBar::handle:vertical { background: #4a4a4a; min-height: 20px; border-radius: 4px;"
        " margin: 1px; }"
        "QScrollBar::handle:vertical:hover { background: #e5343f; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
}

}  // namespace solvane
