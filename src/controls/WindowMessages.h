#pragma once

#include <QtCore/QEvent>
#include <QtCore/QString>
#include <QtCore/QtGlobal>

class QObject;

namespace solvane {

// The window messages of the system, with the numbers the windows have always used. All lie
// in Qt's user event range, so they travel as QEvent types.
inline constexpr int WM_TRAY_NOTIFY = 1029;        // shell -> main window; lParam mouse message
inline constexpr int WM_SHOW_NO_KEYBOARD = 1030;   // main window -> itself; wParam 15
inline constexpr int WM_HOOK_KEY = 1779;           // key hook -> dialog; wParam virtual key
inline constexpr int WM_LIST_BEGIN_EDIT = 1780;    // transparent list -> parent
inline constexpr int WM_LIST_END_EDIT = 1781;      // transparent list -> parent
inline constexpr int WM_LAUNCH_KEY = 1912;         // poll timer -> main window; wParam key
inline constexpr int WM_SLIDER_DRAW = 1913;        // bitmap slider -> owner; wParam control id
inline constexpr int WM_READBACK_DONE = 1915;      // read-back worker -> main window
inline constexpr int WM_LIST_ITEM_CHANGED = 34880; // transparent list -> parent; text = old text
inline constexpr int WM_EDIT_FINISHED = 34881;     // in-place edit -> list; wParam 1 accept

// lParam bit 31 of WM_HOOK_KEY marks a key release.
inline constexpr qint64 kHookKeyReleaseBit = qint64{1} << 31;

// One window message. `text` carries what the message's lParam points at (the previous
// item text of WM_LIST_ITEM_CHANGED); the receiver may set `result`.
class WindowMessage : public QEvent {
public:
    WindowMessage(int message, qint64 wParam = 0, qint64 lParam = 0, QString text = {});

    int Message() const { return static_cast<int>(type()); }
    qint64 WParam() const { return m_wParam; }
    qint64 LParam() const { return m_lParam; }
    const QString& Text() const { return m_text; }
    qint64 Result() const { return m_result; }
    void SetResult(qint64 result) { m_result = result; }

    // The message carried by `event`, or null when it is no window message.
    static WindowMessage* From(QEvent* event);

private:
    qint64 m_wParam;
    qint64 m_lParam;
    QString m_text;
    qint64 m_result = 0;
};

// Delivers the message to `receiver` and returns when it has been handled, with its result.
// From another thread the caller waits while the receiver's thread handles it. A null
// receiver gets nothing and the result is 0.
qint64 SendWindowMessage(QObject* receiver, int message, qint64 wParam = 0, qint64 lParam = 0,
                         const QString& text = {});

// Queues the message for `receiver` and returns at once.
void PostWindowMessage(QObject* receiver, int message, qint64 wParam = 0, qint64 lParam = 0);

}  // namespace solvane
