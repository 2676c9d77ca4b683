#include "controls/CBitWnd.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <utility>

#include "controls/ResourceBitmaps.h"

namespace solvane {
namespace {
constexpr int kThumbFrameWidth = 15;
constexpr int kThumbFrameHeight = 14;
}  // namespace

CBitWnd::CBitWnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setGeometry(0, 0, 0, 0);
}

void CBitWnd::LoadThumbBitmap() {
    SetStrip(std::make_unique<BitmapStrip>(kThumbFrameWidth, kThumbFrameHeight, IDB_THUMB));
    setGeometry(0, 0, m_pStrip->FrameWidth(), m_pStrip->FrameHeight());
}

void CBitWnd::SetStrip(std::unique_ptr<BitmapStrip> strip) {
    m_pStrip = std::move(strip);
    update();
}

void CBitWnd::SetCursorShape(std::optional<QCursor> cursor) {
    if (cursor) {
        setCursor(*cursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void CBitWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_pStrip) {
        // A state whose frame the strip lacks shows the normal frame.
        const int frame = m_state.frame < Frames() ? m_state.frame : 0;
        m_pStrip->DrawFrame(frame, &painter);
    }
}

void CBitWnd::mouseMoveEvent(QMouseEvent* event) {
    // Hover follows the first move at once, like a hover time of 1 ms.
    if (!m_state.tracking) {
        m_state.tracking = true;
        Apply(m_state.OnHover(Frames()));
    }
    Forward(event);
}

void CBitWnd::leaveEvent(QEvent* /*event*/) {
    Apply(m_state.OnLeave(Frames()));
}

void CBitWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    Apply(m_state.OnPress(Frames()));
    Forward(event);
}

void CBitWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    Apply(m_state.OnRelease(Frames()));
    Forward(event);
}

void CBitWnd::Apply(BitWndReaction reaction) {
    if (reaction.redraw) {
        update();
    }
    if (reaction.sendCommand) {
        emit Clicked();
    }
}

void CBitWnd::Forward(QMouseEvent* event) {
    QWidget* parent = parentWidget();
    if (!m_bForwardMouse || parent == nullptr) {
        return;
    }
    const QPointF local = mapTo(parent, event->position());
    QMouseEvent forwarded(event->type(), local, event->scenePosition(),
                          event->globalPosition(), event->button(), event->buttons(),
                          event->modifiers());
    QCoreApplication::sendEvent(parent, &forwarded);
}

}  // namespace solvane
