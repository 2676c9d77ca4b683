#include "controls/WindowMessages.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>
#include <QtCore/QThread>

#include <utility>

namespace solvane {
namespace {

bool IsWindowMessage(int type) {
    switch (type) {
    case WM_TRAY_NOTIFY:
    case WM_SHOW_NO_KEYBOARD:
    case WM_HOOK_KEY:
    case WM_LIST_BEGIN_EDIT:
    case WM_LIST_END_EDIT:
    case WM_LAUNCH_KEY:
    case WM_SLIDER_DRAW:
    case WM_READBACK_DONE:
    case WM_LIST_ITEM_CHANGED:
    case WM_EDIT_FINISHED:
        return true;
    default:
        return false;
    }
}

static_assert(WM_TRAY_NOTIFY > QEvent::User && WM_LIST_ITEM_CHANGED + 1 < QEvent::MaxUser,
              "window messages must stay in Qt's user event range");

}  // namespace

WindowMessage::WindowMessage(int message, qint64 wParam, qint64 lParam, QString text)
    : QEvent(static_cast<QEvent::Type>(message)),
      m_wParam(wParam),
      m_lParam(lParam),
      m_text(std::move(text)) {}

WindowMessage* WindowMessage::From(QEvent* event) {
    if (event == nullptr || !IsWindowMessage(static_cast<int>(event->type()))) {
        return nullptr;
    }
    return dynamic_cast<WindowMessage*>(event);
}

qint64 SendWindowMessage(QObject* receiver, int message, qint64 wParam, qint64 lParam,
                         const QString& text) {
    if (receiver == nullptr) {
        return 0;
    }
    WindowMessage event(message, wParam, lParam, text);
    if (receiver->thread() == QThread::currentThread()) {
        QCoreApplication::sendEvent(receiver, &event);
    } else {
        QMetaObject::invokeMethod(
            receiver, [receiver, &event] { QCoreApplication::sendEvent(receiver, &event); },
            Qt::BlockingQueuedConnection);
    }
    return event.Result();
}

void PostWindowMessage(QObject* receiver, int message, qint64 wParam, qint64 lParam) {
    if (receiver != nullptr) {
        QCoreApplication::postEvent(receiver, new WindowMessage(message, wParam, lParam));
    }
}

}  // namespace solvane
