#pragma once

#include <QtGui/QImage>
#include <QtWidgets/QTreeWidget>

#include "controls/ColorRef.h"
#include "common/Geometry.h"

namespace solvane {

// A tree that paints itself completely: a background (bitmap, gradient or solid colour), the
// visible items as white text, a filled bar behind the selected item, and its own expand and
// collapse buttons. Data, keyboard and mouse behave as in any tree.
class VividTree : public QTreeWidget {
    Q_OBJECT

public:
    enum BackgroundMode : int { Bitmap = 0, Gradient = 1, Solid = 2 };

    // The solid background and the selection bar.
    static constexpr ColorRef kSolidBackground = 0x1E1E1E;
    static constexpr ColorRef kSelectionBar = 0x2F2E66;

    explicit VividTree(QWidget* parent = nullptr);

    // Background bitmap 131, buttons 133 (expand) and 134 (collapse).
    void LoadBitmaps();

    void SetBackMode(int mode);
    int BackMode() const { return m_nBackMode; }
    void SetTile(bool tile) { m_bTile = tile; }
    void SetGradient(ColorRef from, ColorRef to, bool horizontal);
    // The selected item keeps its bar when the tree loses the focus.
    void SetShowSelAlways(bool show) { m_bShowSelAlways = show; }

    // The whole scrolled drawing area at the last paint: x, y, width, height.
    Rect VirtualArea() const { return m_rcVirtual; }

    // Where the item's text and its button are drawn; empty when the item is not shown.
    QRect TextRect(QTreeWidgetItem* item) const;
    QRect ButtonRect(QTreeWidgetItem* item) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PaintBackground(QPainter& painter);
    void PaintItems(QPainter& painter);
    void ComputeVirtualArea();

    QImage m_bmpExpand;
    QImage m_bmpCollapse;
    ColorRef m_crGradientFrom = 0xFFFFFF;
    ColorRef m_crGradientTo = 0xE0D5D5;
    bool m_bGradientHorz = true;
    int m_nBackMode = Gradient;
    QImage m_bmpBackground;
    bool m_bTile = false;
    bool m_bShowSelAlways = false;
    QRect m_rcClient;
    Rect m_rcVirtual;  // left = x, top = y, right = x + width, bottom = y + height
};

}  // namespace solvane
