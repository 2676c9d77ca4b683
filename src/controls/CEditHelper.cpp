#include "controls/CEditHelper.h"

#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>

#include "controls/WindowMessages.h"

namespace solvane {
namespace {

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

CEditHelper::CEditHelper(QObject* list, QWidget* parent) : QLineEdit(parent), m_list(list) {}

void CEditHelper::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape end the edit on their release. No key goes on to the list or the dialog
    // behind: they would move the selection under the edit, or take Enter and Escape as their
    // default button and their cancel.
    if (!IsEnter(event->key()) && event->key() != Qt::Key_Escape) {
        QLineEdit::keyPressEvent(event);
    }
    event->accept();
}

void CEditHelper::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        if (IsEnter(event->key())) {
            Finish(true);
        } else if (event->key() == Qt::Key_Escape) {
            Finish(false);
        }
    }
    QLineEdit::keyReleaseEvent(event);
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
    // A context menu opened on the edit does not end it.
    if (event->reason() != Qt::PopupFocusReason) {
        Finish(true);
    }
    QLineEdit::focusOutEvent(event);
}

void CEditHelper::Finish(bool accept) {
    SendWindowMessage(m_list.data(), WM_EDIT_FINISHED, accept ? 1 : 0, 0);
}

}  // namespace solvane
