#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtWidgets/QListWidget>

#include <optional>

#include "controls/ColorRef.h"
#include "controls/ListItemRules.h"

namespace solvane {

class CEditHelper;

// A list for skinned dialogs. It paints its rows over a snapshot of what lies behind it (the
// parent's picture in the profile mode, the list panel bitmap IDB_LIST_BACK otherwise), in its
// own font with an optional drop shadow and, for macro events, a state icon per row; and it
// lets the user edit a row in place after a double-click.
//
// Messages to the parent (sent, so handled before the list goes on):
//   WM_LIST_BEGIN_EDIT (0, 0)      an in-place edit is about to open
//   WM_LIST_END_EDIT               an edit was accepted: macro events always, with
//                                  (row, delay in ms); profiles only when the text changed,
//                                  with (row when the edit began, 0); never for plain lists
//   WM_LIST_ITEM_CHANGED           an accepted edit changed the text and the list notifies:
//                                  (new row, 0), Text() = the previous text
class CTransparentListBox : public QListWidget {
    Q_OBJECT

public:
    explicit CTransparentListBox(QWidget* parent = nullptr);
    ~CTransparentListBox() override;

    // The row font (the given cell height and face, bold), colours and shadow.
    void SetTextStyle(int height, const QString& face, ColorRef text, ColorRef selectedText,
                      bool shadow, ColorRef shadowColor, int shadowOffset);

    void SetMode(solvane::ListMode mode) { m_nMode = mode; }
    solvane::ListMode Mode() const { return m_nMode; }
    // Rows are kept in case-insensitive order of their texts.
    void SetSorted(bool sorted) { m_bSorted = sorted; }
    bool Sorted() const { return m_bSorted; }
    // Accepted edits that change a text send WM_LIST_ITEM_CHANGED.
    void SetNotify(bool notify) { m_bNotify = notify; }
    // Longest text the in-place edit takes.
    void SetEditMaxLength(int length) { m_nEditMaxLength = length; }

    // Adds a row (in sorted position when sorted); returns its index.
    int AddItem(const QString& text, qint64 data);
    // Inserts a row at `index` (at the end when out of range); returns its index.
    int InsertItem(int index, const QString& text, qint64 data);
    QString ItemText(int index) const;
    qint64 ItemData(int index) const;
    int CurSel() const;
    void SetCurSel(int index);

    QFont GetItemFont() const;
    int ItemHeight() const;

    // The edit state: the row being edited, -1 when no edit is open.
    int ItemBeingEdited() const { return m_iItemBeingEdited; }
    CEditHelper* EditBox() const { return m_edit; }
    void BeginEdit();
    void EndEdit(bool accept);

    bool BackgroundCaptured() const { return m_bBackCaptured; }

protected:
    // Draws one row over the background snapshot; `rect` is in the list's client coordinates.
    virtual void DrawListItem(QPainter& painter, int index, const QRect& rect, bool selected);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CaptureBackground();
    void RefreshBackground();
    void ApplyItemHeights();
    QRect ItemRect(int index) const;
    int TopIndex() const;
    QListWidgetItem* NewItem(const QString& text, qint64 data) const;

    CEditHelper* m_edit = nullptr;
    int m_iItemBeingEdited = -1;
    int m_iEditStartItem = -1;
    solvane::ListMode m_nMode = solvane::ListMode::Plain;
    QColor m_crText;
    QColor m_crTextSelected;
    QColor m_crShadow = Qt::black;
    std::optional<QFont> m_font;
    QImage m_bmpBack;
    bool m_bBackCaptured = false;
    int m_nShadowOffset = 3;
    bool m_bShadow = false;
    bool m_bSorted = false;
    bool m_bNotify = false;
    bool m_bEnding = false;
    int m_nEditMaxLength = 32767;
};

}  // namespace solvane
