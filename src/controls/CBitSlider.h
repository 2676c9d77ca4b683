#pragma once

#include <QtCore/QPointer>
#include <QtWidgets/QSlider>

#include <memory>

#include "controls/BitmapStrip.h"
#include "common/Geometry.h"

namespace solvane {

class CBitWnd;

// A horizontal slider whose picture its owner draws. It keeps the slider's value and keyboard
// handling, moves the value to a clicked place (rounded half up), ignores the wheel, draws
// nothing itself, and whenever it would paint or the mouse moves over it, works out where the
// thumb image belongs and sends WM_SLIDER_DRAW (wParam = its control id) to its owner.
//
// The owner handles WM_SLIDER_DRAW by reading value() and ThumbPoint() and scheduling its own
// paint of the slider's rectangle (update(), never a synchronous repaint).
class CBitSlider : public QSlider {
    Q_OBJECT

public:
    explicit CBitSlider(QWidget* parent = nullptr);
    ~CBitSlider() override;

    // Makes the hidden thumb window (15 x 14) once; a second call does nothing.
    void CreateThumb();
    // Takes the track bitmaps and the size of IDB_TRACK_FILL (220 x 17), and goes on top of
    // its siblings.
    void LoadSkin();

    void SetCtrlId(int id) { m_nCtrlId = id; }
    int CtrlId() const { return m_nCtrlId; }
    // Thumb position across the track; the owner sets 0.
    void SetThumbOffset(int offset) { m_nThumbOffset = offset; }
    int ThumbOffset() const { return m_nThumbOffset; }
    // Who receives WM_SLIDER_DRAW; the parent when none is set.
    void SetOwner(QObject* owner) { m_owner = owner; }

    // Where the owner draws the thumb image, in this slider's coordinates; set by every paint.
    Point ThumbPoint() const { return m_ptThumb; }
    Rect ChannelRect() const;
    Rect ThumbRect() const;
    const BitmapStrip* TrackFill() const { return m_pTrackFill.get(); }
    const BitmapStrip* TrackEmpty() const { return m_pTrackEmpty.get(); }
    const CBitWnd* ThumbWindow() const { return m_wndThumb; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateThumb();
    void MoveToClick(int x);

    Point m_ptThumb;
    int m_nCtrlId = 0;
    CBitWnd* m_wndThumb = nullptr;
    std::unique_ptr<BitmapStrip> m_pTrackFill;
    std::unique_ptr<BitmapStrip> m_pTrackEmpty;
    int m_nThumbOffset = 0;
    QPointer<QObject> m_owner;
};

}  // namespace solvane
