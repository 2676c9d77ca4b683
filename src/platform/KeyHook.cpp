#include "platform/KeyHook.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QWindow>
#include <QtWidgets/QWidget>

#include "controls/WindowMessages.h"
#include "platform/QtKeyCodes.h"

namespace solvane {

KeyHook::KeyHook(QObject* parent) : QObject(parent) {}

KeyHook::~KeyHook() {
    removehook();
}

bool KeyHook::installhook(QObject* window, bool everyKeyAction) {
    if (window == nullptr || QCoreApplication::instance() == nullptr) {
        return false;
    }
    if (m_installed && m_window != nullptr) {
        return false;
    }
    m_window = window;
    m_everyKeyAction = everyKeyAction;
    if (!m_installed) {
        QCoreApplication::instance()->installEventFilter(this);
        m_installed = true;
    }
    return true;
}

void KeyHook::removehook() {
    if (m_installed && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    m_installed = false;
    m_window = nullptr;
}

bool KeyHook::PassesToModalWindow() const {
    const QWindow* modal = QGuiApplication::modalWindow();
    if (modal == nullptr) {
        return false;
    }
    const auto* holder = qobject_cast<const QWidget*>(m_window.data());
    if (holder == nullptr) {
        if (const auto* window = qobject_cast<const QWindow*>(m_window.data())) {
            return modal != window;
        }
        return false;
    }
    return modal != holder->window()->windowHandle();
}

bool KeyHook::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    if (m_window == nullptr) {
        // The holder went away without removing the hook.
        removehook();
        return false;
    }
    if (PassesToModalWindow()) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // Accepting the override keeps shortcuts from firing; the press itself is taken below.
        key->accept();
        return true;
    }
    const bool release = type == QEvent::KeyRelease;
    const bool report = m_everyKeyAction || (!release && !key->isAutoRepeat());
    if (report) {
        if (const auto code = VirtualKeyOf(*key)) {
            SendWindowMessage(m_window, WM_HOOK_KEY, *code, release ? kHookKeyReleaseBit : 0);
        }
    }
    return true;
}

}  // namespace solvane
