#pragma once

#include <QRect>

#include "keys/AssignmentDraft.h"
#include "macros/MacroRecord.h"

class QWidget;

namespace solvane {

// The dialogs the main window opens. Each works on what it is given and says whether the user
// confirmed; the main window runs the steps around it (records reloaded before, the assignment
// or the macro blocks applied and saved after, the read-back completion after the profiles).
class SecondaryDialogs {
public:
    virtual ~SecondaryDialogs() = default;

    // Edits `draft` (prepared for the clicked slot); true on "保存".
    virtual bool RunKeyAssignment(QWidget* parent, AssignmentDraft& draft) = 0;
    // Edits a working copy of `macros` and copies it back on OK; true on OK.
    virtual bool RunMacroManager(QWidget* parent, MacroStore& macros) = 0;
    // Placed by the main window's screen rectangle; may replace the image and the records.
    virtual void RunProfileManager(QWidget* parent, const QRect& mainWindowRect) = 0;
};

}  // namespace solvane
