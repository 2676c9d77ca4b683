#pragma once

#include <QtCore/QPointer>
#include <QtWidgets/QLineEdit>

namespace solvane {

// The in-place edit of a transparent list. It only tells the list how the edit ends, with
// WM_EDIT_FINISHED: Enter (on release) and losing the focus accept, Escape (on release) cancels.
class CEditHelper : public QLineEdit {
    Q_OBJECT

public:
    // `list` receives WM_EDIT_FINISHED; `parent` is the widget the edit lies on.
    CEditHelper(QObject* list, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Finish(bool accept);

    QPointer<QObject> m_list;
};

}  // namespace solvane
