#pragma once

#include <QtCore/QPoint>
#include <QtWidgets/QDialog>

#include <string>

#include "controls/Canvas.h"
#include "controls/SkinFolder.h"
#include "controls/SkinImage.h"

namespace solvane {

// A caption-less dialog that is one picture: its background image sets its size, and every
// paint draws the background and then the window's decorations over it, off-screen, and shows
// the result in one piece.
class SkinnedDialog : public QDialog {
    Q_OBJECT

public:
    SkinnedDialog(SkinFolder folder, std::string backgroundName, SkinImageSource& images,
                  QWidget* parent = nullptr);

    const SkinFolder& Skin() const { return m_folder; }
    SkinImageSource& Images() { return m_images; }

protected:
    // Loads the background and gives the window its size without moving it; a missing
    // background leaves the window without size. Call from the window's start-up.
    void StartSkin();

    // Draws the decorations over the background, in the window's own order.
    virtual void PaintSkin(Canvas& canvas) = 0;

    // Moves the window with the pointer while the left button stays down, as a press on a
    // caption would.
    void StartWindowDrag(const QPoint& globalPress);

    // Takes Enter and Escape for windows that only their own buttons end: true when the key
    // was one of them and is now accepted. Call first in keyPressEvent.
    static bool SwallowDialogKeys(QKeyEvent* event);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SkinFolder m_folder;
    std::string m_backgroundName;
    SkinImageSource& m_images;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

}  // namespace solvane
