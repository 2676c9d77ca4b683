#include "controls/VividTree.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QLinearGradient>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QScrollBar>

#include <algorithm>

#include "controls/LabelStyle.h"
#include "controls/ResourceBitmaps.h"

namespace solvane {
namespace {

// The text stands this far right of where the tree would put it, to make room for the button.
constexpr int kTextShift = 7;
constexpr int kButtonGap = 2;
constexpr int kButtonDrop = 4;
constexpr int kTextPadding = 6;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;

}  // namespace

VividTree::VividTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // A tiled or stretched bitmap moves with the scrolled area, so the whole tree is redrawn.
    const auto redrawBitmap = [this](QTreeWidgetItem*) {
        if (m_nBackMode == Bitmap) {
            viewport()->update();
        }
    };
    connect(this, &QTreeWidget::itemExpanded, this, redrawBitmap);
    connect(this, &QTreeWidget::itemCollapsed, this, redrawBitmap);
}

void VividTree::LoadBitmaps() {
    m_bmpBackground = LoadResourceBitmap(IDB_TREE_BACKGROUND);
    m_bmpExpand = LoadResourceBitmap(IDB_TREE_EXPAND);
    m_bmpCollapse = LoadResourceBitmap(IDB_TREE_COLLAPSE);
    viewport()->update();
}

void VividTree::SetBackMode(int mode) {
    m_nBackMode = mode;
    viewport()->update();
}

void VividTree::SetGradient(ColorRef from, ColorRef to, bool horizontal) {
    m_crGradientFrom = from;
    m_crGradientTo = to;
    m_bGradientHorz = horizontal;
    viewport()->update();
}

QRect VividTree::TextRect(QTreeWidgetItem* item) const {
    const QRect cell = visualItemRect(item);
    if (item == nullptr || cell.isEmpty()) {
        return {};
    }
    const QFontMetrics metrics(font());
    const int width = metrics.boundingRect(QRect(), kTextFlags, item->text(0)).width();
    return {cell.left() + kTextShift, cell.top(), width + kTextPadding, cell.height()};
}

QRect VividTree::ButtonRect(QTreeWidgetItem* item) const {
    const QRect text = TextRect(item);
    if (text.isEmpty() || item->childCount() == 0) {
        return {};
    }
    const QImage& button = item->isExpanded() ? m_bmpCollapse : m_bmpExpand;
    return {text.left() - button.width() - kButtonGap, text.top() + kButtonDrop, button.width(),
            button.height()};
}

void VividTree::ComputeVirtualArea() {
    m_rcClient = viewport()->rect();
    const int clientWidth = m_rcClient.width();
    const int clientHeight = m_rcClient.height();
    int x = 0;
    int width = clientWidth;
    const QScrollBar* horizontal = horizontalScrollBar();
    if (horizontal->maximum() > horizontal->minimum()) {
        x = -horizontal->value();
        width = std::max(horizontal->maximum() + horizontal->pageStep(), clientWidth);
    }
    int y = 0;
    int height = clientHeight;
    const QScrollBar* vertical = verticalScrollBar();
    if (vertical->maximum() > vertical->minimum()) {
        const QTreeWidgetItem* first = topLevelItem(0);
        const int itemHeight = first != nullptr ? visualItemRect(first).height()
                                                : QFontMetrics(font()).height();
        // Scrolling is by items: the last item index is maximum + page - 1.
        const int lastItem = vertical->maximum() + vertical->pageStep() - 1;
        y = -(itemHeight * vertical->value());
        height = std::max((itemHeight + 1) * (lastItem + 2), clientHeight);
    }
    m_rcVirtual = {x, y, x + width, y + height};
}

void VividTree::PaintBackground(QPainter& painter) {
    const QRect area(m_rcVirtual.left, m_rcVirtual.top, m_rcVirtual.Width(),
                     m_rcVirtual.Height());
    painter.fillRect(m_rcClient, ToQColor(kSolidBackground));
    if (m_nBackMode == Solid) {
        return;
    }
    if (m_nBackMode == Bitmap && !m_bmpBackground.isNull()) {
        if (!m_bTile) {
            painter.drawImage(area, m_bmpBackground);
            return;
        }
        const int width = m_bmpBackground.width();
        const int height = m_bmpBackground.height();
        for (int i = 0; i <= area.width() / width; ++i) {
            for (int j = 0; j <= area.height() / height; ++j) {
                painter.drawImage(QPoint(area.x() + i * width, area.y() + j * height),
                                  m_bmpBackground);
            }
        }
        return;
    }
    if (m_nBackMode == Bitmap || m_nBackMode == Gradient) {
        const QPointF end = m_bGradientHorz ? QPointF(area.right() + 1, area.top())
                                            : QPointF(area.left(), area.bottom() + 1);
        QLinearGradient gradient(area.topLeft(), end);
        gradient.setColorAt(0, ToQColor(m_crGradientFrom));
        gradient.setColorAt(1, ToQColor(m_crGradientTo));
        painter.fillRect(area, gradient);
    }
}

void VividTree::PaintItems(QPainter& painter) {
    painter.setFont(font());
    painter.setPen(Qt::white);
    const bool showSelection = hasFocus() || m_bShowSelAlways;
    const int barRight = m_rcVirtual.right;
    for (QTreeWidgetItem* item = topLevelItem(0); item != nullptr; item = itemBelow(item)) {
        const QRect text = TextRect(item);
        if (text.isEmpty() || text.bottom() < 0) {
            continue;
        }
        if (text.top() >= m_rcClient.height()) {
            break;
        }
        if (item->isSelected() && showSelection) {
            painter.fillRect(QRect(0, text.top(), barRight, text.height()),
                             ToQColor(kSelectionBar));
        }
        const QRect button = ButtonRect(item);
        if (!button.isEmpty()) {
            painter.drawImage(button.topLeft(), item->isExpanded() ? m_bmpCollapse : m_bmpExpand);
        }
        painter.drawText(text.adjusted(0, 1, 0, -1), kTextFlags, item->text(0));
    }
}

void VividTree::paintEvent(QPaintEvent* /*event*/) {
    ComputeVirtualArea();
    QImage frame(m_rcClient.size(), QImage::Format_RGB32);
    {
        QPainter painter(&frame);
        PaintBackground(painter);
        PaintItems(painter);
    }
    QPainter(viewport()).drawImage(QPoint(0, 0), frame);
}

void VividTree::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        for (QTreeWidgetItem* item = topLevelItem(0); item != nullptr; item = itemBelow(item)) {
            if (ButtonRect(item).contains(point)) {
                item->setExpanded(!item->isExpanded());
                event->accept();
                return;
            }
        }
    }
    QTreeWidget::mousePressEvent(event);
}

}  // namespace solvane
