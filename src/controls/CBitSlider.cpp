#include "controls/CBitSlider.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QWheelEvent>

#include "controls/CBitWnd.h"
#include "controls/ResourceBitmaps.h"
#include "controls/TrackbarMath.h"
#include "controls/WindowMessages.h"

namespace solvane {

CBitSlider::CBitSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setMouseTracking(true);
    setTracking(true);
}

CBitSlider::~CBitSlider() = default;

void CBitSlider::CreateThumb() {
    if (m_wndThumb != nullptr) {
        return;
    }
    m_wndThumb = new CBitWnd(this);
    m_wndThumb->LoadThumbBitmap();
    m_wndThumb->SetForwardMouse(true);
    m_wndThumb->hide();
}

void CBitSlider::LoadSkin() {
    m_pTrackEmpty = std::make_unique<BitmapStrip>(0, 0, IDB_TRACK_EMPTY);
    m_pTrackFill = std::make_unique<BitmapStrip>(0, 0, IDB_TRACK_FILL);
    resize(m_pTrackFill->Bitmap().size());
    raise();
}

Rect CBitSlider::ChannelRect() const {
    return solvane::ChannelRect(width(), height());
}

Rect CBitSlider::ThumbRect() const {
    return solvane::ThumbRect(ChannelRect(), height(), minimum(), maximum(), value());
}

void CBitSlider::UpdateThumb() {
    const int thumbWidth = m_wndThumb != nullptr ? m_wndThumb->width() : 0;
    m_ptThumb = ThumbImagePoint(ThumbRect(), thumbWidth, m_nThumbOffset);
    QObject* owner = m_owner ? m_owner.data() : parent();
    SendWindowMessage(owner, WM_SLIDER_DRAW, m_nCtrlId, 0);
    if (m_wndThumb != nullptr) {
        m_wndThumb->hide();
    }
}

void CBitSlider::paintEvent(QPaintEvent* /*event*/) {
    // The owner draws the picture; a paint only tells it where the thumb now is.
    UpdateThumb();
}

void CBitSlider::MoveToClick(int x) {
    setValue(ClickValue(ChannelRect(), minimum(), maximum(), x));
}

void CBitSlider::mouseMoveEvent(QMouseEvent* event) {
    if (isSliderDown() && (event->buttons() & Qt::LeftButton)) {
        MoveToClick(qRound(event->position().x()));
    }
    UpdateThumb();
    event->accept();
}

void CBitSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QSlider::mousePressEvent(event);
        return;
    }
    // The thumb follows the pointer from the press on, by the same rule as the click.
    setSliderDown(true);
    MoveToClick(qRound(event->position().x()));
    event->accept();
}

void CBitSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isSliderDown()) {
        setSliderDown(false);
        event->accept();
        return;
    }
    QSlider::mouseReleaseEvent(event);
}

void CBitSlider::wheelEvent(QWheelEvent* event) {
    event->accept();
}

}  // namespace solvane
