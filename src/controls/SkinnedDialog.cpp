#include "controls/SkinnedDialog.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWindow>

#include <utility>

#include "controls/QtCanvas.h"

namespace solvane {

SkinnedDialog::SkinnedDialog(SkinFolder folder, std::string backgroundName,
                             SkinImageSource& images, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_folder(std::move(folder)),
      m_backgroundName(std::move(backgroundName)),
      m_images(images) {
    // Every paint covers the whole window, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SkinnedDialog::StartSkin() {
    const auto file = m_folder.Find(m_backgroundName);
    const QImage background = file ? m_images.Load(*file) : QImage();
    setFixedSize(background.size().expandedTo(QSize(0, 0)));
}

void SkinnedDialog::StartWindowDrag(const QPoint& globalPress) {
    QWindow* window = windowHandle();
    if (window != nullptr && window->startSystemMove()) {
        return;
    }
    // Window systems without a move request: follow the pointer ourselves.
    m_dragging = true;
    m_dragOffset = globalPress - pos();
}

bool SkinnedDialog::SwallowDialogKeys(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return true;
        default:
            return false;
    }
}

bool SkinnedDialog::event(QEvent* event) {
    if (m_dragging) {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() & Qt::LeftButton) {
                move(mouse->globalPosition().toPoint() - m_dragOffset);
                return true;
            }
            m_dragging = false;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_dragging = false;
        }
    }
    return QDialog::event(event);
}

void SkinnedDialog::paintEvent(QPaintEvent* /*event*/) {
    const auto file = m_folder.Find(m_backgroundName);
    QImage picture = file ? m_images.Load(*file) : QImage();
    if (picture.isNull()) {
        return;
    }
    {
        QtCanvas canvas(picture, m_folder, m_images);
        PaintSkin(canvas);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture);
}

}  // namespace solvane
