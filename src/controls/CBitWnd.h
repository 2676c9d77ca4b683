#pragma once

#include <QtGui/QCursor>
#include <QtWidgets/QWidget>

#include <memory>
#include <optional>

#include "controls/BitWndState.h"
#include "controls/BitmapStrip.h"

namespace solvane {

// A small child window that shows one frame of a bitmap strip, chosen by the mouse (normal,
// hover, pressed or checked), and reports clicks. The bitmap sliders use it, hidden, as their
// thumb: only its size counts there.
class CBitWnd : public QWidget {
    Q_OBJECT

public:
    explicit CBitWnd(QWidget* parent = nullptr);

    // Replaces the strip by one of IDB_THUMB with frames of 15 x 14, and takes one frame's
    // size at (0, 0).
    void LoadThumbBitmap();
    void SetStrip(std::unique_ptr<BitmapStrip> strip);
    const BitmapStrip* Strip() const { return m_pStrip.get(); }

    int Frame() const { return m_state.frame; }
    bool Checked() const { return m_state.checked; }
    void SetToggle(bool toggle) { m_state.toggle = toggle; }
    void SetCommandOnPress(bool onPress) { m_state.commandOnPress = onPress; }
    // Mouse moves, presses and releases go on to the parent, in its coordinates.
    void SetForwardMouse(bool forward) { m_bForwardMouse = forward; }
    bool ForwardsMouse() const { return m_bForwardMouse; }
    void SetCursorShape(std::optional<QCursor> cursor);

signals:
    // A click (BN_CLICKED): on release, or on press with SetCommandOnPress.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Frames() const { return m_pStrip ? m_pStrip->FrameCount() : 0; }
    void Apply(BitWndReaction reaction);
    void Forward(QMouseEvent* event);

    std::unique_ptr<BitmapStrip> m_pStrip;
    BitWndState m_state;
    bool m_bForwardMouse = false;
};

}  // namespace solvane
