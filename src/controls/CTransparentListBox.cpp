#include "controls/CTransparentListBox.h"

#include <QtCore/QLoggingCategory>
#include <QtCore/QRegularExpression>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QRegularExpressionValidator>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QScrollBar>

#include "controls/CEditHelper.h"
#include "controls/DarkScrollBar.h"
#include "controls/LabelStyle.h"
#include "controls/ResourceBitmaps.h"
#include "controls/SkinPalette.h"
#include "controls/WindowMessages.h"

namespace solvane {
namespace {

Q_LOGGING_CATEGORY(lcList, "solvane.controls.list", QtInfoMsg)

// Rows of the lists that are not see-through lie on the list panel from this point on.
constexpr QPoint kListBackOrigin(7, 22);
// A row's icon stands this far left of the row's right edge.
constexpr int kIconFromRight = 20;

int IconBitmapOf(ListItemIcon icon) {
    switch (icon) {
    case ListItemIcon::KeyDown:
        return IDB_KEY_DOWN;
    case ListItemIcon::KeyUp:
        return IDB_KEY_UP;
    case ListItemIcon::Delay:
        return IDB_DELAY;
    case ListItemIcon::None:
        break;
    }
    return 0;
}

}  // namespace

CTransparentListBox::CTransparentListBox(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_crText = palette().color(QPalette::Text);
    m_crTextSelected = palette().color(QPalette::HighlightedText);
    UseDarkScrollBar(*verticalScrollBar());

    connect(this, &QListWidget::itemSelectionChanged, this, [this] { viewport()->update(); });
    // Scrolling with an edit open accepts it first.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) {
        setFocus();
        EndEdit(true);
    });
    connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] {
        setFocus();
        EndEdit(true);
    });
}

CTransparentListBox::~CTransparentListBox() {
    CEditHelper* edit = m_edit;
    m_edit = nullptr;
    delete edit;
}

void CTransparentListBox::SetTextStyle(int height, const QString& face, ColorRef text,
                                       ColorRef selectedText, bool shadow, ColorRef shadowColor,
                                       int shadowOffset) {
    m_crText = ToQColor(text);
    m_crTextSelected = ToQColor(selectedText);
    m_bShadow = shadow;
    m_crShadow = ToQColor(shadowColor);
    m_nShadowOffset = shadowOffset;
    m_font = LogicalFont(face, height, 700);
    ApplyItemHeights();
    viewport()->update();
}

QFont CTransparentListBox::GetItemFont() const {
    return m_font ? *m_font : font();
}

int CTransparentListBox::ItemHeight() const {
    return QFontMetrics(GetItemFont()).height();
}

void CTransparentListBox::ApplyItemHeights() {
    const int height = ItemHeight();
    for (int i = 0; i < count(); ++i) {
        item(i)->setSizeHint(QSize(1, height));
    }
    if (m_edit != nullptr) {
        m_edit->setFont(GetItemFont());
    }
}

QListWidgetItem* CTransparentListBox::NewItem(const QString& text, qint64 data) const {
    auto* row = new QListWidgetItem(text);
    row->setData(Qt::UserRole, data);
    row->setSizeHint(QSize(1, ItemHeight()));
    return row;
}

int CTransparentListBox::AddItem(const QString& text, qint64 data) {
    int index = count();
    if (m_bSorted) {
        for (int i = 0; i < count(); ++i) {
            if (QString::compare(text, item(i)->text(), Qt::CaseInsensitive) < 0) {
                index = i;
                break;
            }
        }
    }
    insertItem(index, NewItem(text, data));
    return index;
}

int CTransparentListBox::InsertItem(int index, const QString& text, qint64 data) {
    if (index < 0 || index > count()) {
        index = count();
    }
    insertItem(index, NewItem(text, data));
    return index;
}

QString CTransparentListBox::ItemText(int index) const {
    const QListWidgetItem* row = item(index);
    return row != nullptr ? row->text() : QString();
}

qint64 CTransparentListBox::ItemData(int index) const {
    const QListWidgetItem* row = item(index);
    return row != nullptr ? row->data(Qt::UserRole).toLongLong() : 0;
}

int CTransparentListBox::CurSel() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void CTransparentListBox::SetCurSel(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

int CTransparentListBox::TopIndex() const {
    const QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : verticalScrollBar()->value();
}

QRect CTransparentListBox::ItemRect(int index) const {
    QRect rect = visualItemRect(item(index));
    rect.setLeft(0);
    rect.setWidth(viewport()->width());
    return rect;
}

void CTransparentListBox::CaptureBackground() {
    QWidget* parent = parentWidget();
    const QSize size = viewport()->size();
    if (parent == nullptr || size.isEmpty()) {
        return;
    }
    m_bmpBack = QImage(size, QImage::Format_RGB32);
    if (m_nMode == solvane::ListMode::Profiles) {
        // What the parent itself shows at this place, without its child windows.
        m_bmpBack.fill(parent->palette().color(QPalette::Window));
        const QRect behind(viewport()->mapTo(parent, QPoint(0, 0)), size);
        parent->render(&m_bmpBack, QPoint(0, 0), QRegion(behind), QWidget::DrawWindowBackground);
    } else {
        m_bmpBack.fill(QColor::fromRgb(static_cast<QRgb>(palette::kListInterior)));
        QPainter painter(&m_bmpBack);
        painter.drawImage(QPoint(0, 0), LoadResourceBitmap(IDB_LIST_BACK),
                          QRect(kListBackOrigin, size));
    }
    m_bBackCaptured = true;
}

void CTransparentListBox::RefreshBackground() {
    m_bBackCaptured = false;
    viewport()->update();
}

void CTransparentListBox::paintEvent(QPaintEvent* /*event*/) {
    if (!m_bBackCaptured) {
        CaptureBackground();
    }
    QImage frame(viewport()->size(), QImage::Format_RGB32);
    if (m_bmpBack.size() == frame.size()) {
        frame = m_bmpBack.copy();
    } else {
        frame.fill(palette().color(QPalette::Base));
    }
    {
        QPainter painter(&frame);
        for (int i = TopIndex(); i >= 0 && i < count(); ++i) {
            const QRect rect = ItemRect(i);
            if (rect.top() >= frame.height()) {
                break;
            }
            DrawListItem(painter, i, rect, item(i)->isSelected());
        }
    }
    QPainter(viewport()).drawImage(QPoint(0, 0), frame);
}

void CTransparentListBox::DrawListItem(QPainter& painter, int index, const QRect& rect,
                                       bool selected) {
    if (index < 0 || index >= count()) {
        return;
    }
    painter.save();
    painter.setFont(GetItemFont());
    if (!m_bmpBack.isNull()) {
        painter.drawImage(rect.topLeft(), m_bmpBack, rect);
    }
    const ShownListItem shown = ShowListItem(m_nMode, ItemText(index).toStdU16String());
    const QString text = QString::fromStdU16String(shown.text);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    const bool enabled = isEnabled();
    if (m_bShadow) {
        painter.setPen(enabled ? m_crShadow : QColor(Qt::white));
        painter.drawText(rect.translated(m_nShadowOffset, m_nShadowOffset), flags, text);
    }
    painter.setPen(!enabled ? QColor(Qt::black) : selected ? m_crTextSelected : m_crText);
    painter.drawText(rect, flags, text);
    if (const int bitmap = IconBitmapOf(shown.icon); bitmap != 0) {
        painter.drawImage(QPoint(rect.left() + rect.width() - kIconFromRight, rect.top()),
                          LoadResourceBitmap(bitmap));
    }
    painter.restore();
}

void CTransparentListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    const int selected = CurSel();
    if (selected < 0) {
        return;
    }
    if (!OpensInPlaceEdit(m_nMode, ItemText(selected).toStdU16String())) {
        QListWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (ItemRect(selected).contains(event->position().toPoint())) {
        BeginEdit();
    }
}

void CTransparentListBox::BeginEdit() {
    SendWindowMessage(parentWidget(), WM_LIST_BEGIN_EDIT, 0, 0);
    const int selected = CurSel();
    if (selected < 0) {
        return;
    }
    // One edit at a time: a new one accepts the open one first.
    EndEdit(true);
    m_edit = new CEditHelper(this, viewport());
    m_edit->setGeometry(ItemRect(selected).adjusted(0, -2, 0, 2));
    m_edit->setFont(GetItemFont());
    m_edit->setMaxLength(m_nEditMaxLength);
    if (m_nMode == solvane::ListMode::MacroEvents) {
        m_edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit));
    }
    m_edit->setText(QString::fromStdU16String(EditTextOf(m_nMode, ItemText(selected).toStdU16String())));
    m_edit->selectAll();
    m_edit->show();
    m_edit->setFocus(Qt::OtherFocusReason);
    m_iItemBeingEdited = selected;
    m_iEditStartItem = selected;
    qCDebug(lcList, "m_iItemBeingEdited=%d ", m_iItemBeingEdited);
}

void CTransparentListBox::EndEdit(bool accept) {
    if (m_edit == nullptr || m_bEnding) {
        return;
    }
    m_bEnding = true;
    if (accept && m_iItemBeingEdited != -1) {
        const QString oldText = ItemText(m_iItemBeingEdited);
        QString newText = m_edit->text();
        if (m_nMode == solvane::ListMode::MacroEvents) {
            const int delay = DelayFromEditText(newText.toStdU16String());
            newText = QString::fromStdU16String(DelayItemText(delay));
            SendWindowMessage(parentWidget(), WM_LIST_END_EDIT, m_iItemBeingEdited, delay);
        }
        // The parent may have changed the rows while it handled the message.
        if (newText != oldText && m_iItemBeingEdited < count()) {
            delete takeItem(m_iItemBeingEdited);
            m_iItemBeingEdited = m_bSorted ? AddItem(newText, 0)
                                           : InsertItem(m_iItemBeingEdited, newText, 0);
            SetCurSel(m_iItemBeingEdited);
            if (m_bNotify) {
                SendWindowMessage(parentWidget(), WM_LIST_ITEM_CHANGED, m_iItemBeingEdited, 0,
                                  oldText);
            }
            if (m_nMode == solvane::ListMode::Profiles) {
                SendWindowMessage(parentWidget(), WM_LIST_END_EDIT, m_iEditStartItem, 0);
            }
        }
    }
    m_iItemBeingEdited = -1;
    CEditHelper* edit = m_edit;
    m_edit = nullptr;
    // Hiding takes the focus away, which reports the end once more; that finds no edit.
    edit->hide();
    edit->deleteLater();
    m_bEnding = false;
    viewport()->update();
}

bool CTransparentListBox::event(QEvent* event) {
    if (const WindowMessage* message = WindowMessage::From(event);
        message != nullptr && message->Message() == WM_EDIT_FINISHED) {
        EndEdit(message->WParam() != 0);
        return true;
    }
    return QListWidget::event(event);
}

void CTransparentListBox::wheelEvent(QWheelEvent* event) {
    EndEdit(true);
    QListWidget::wheelEvent(event);
    viewport()->update();
    event->accept();
}

void CTransparentListBox::moveEvent(QMoveEvent* event) {
    QListWidget::moveEvent(event);
    RefreshBackground();
}

void CTransparentListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    EndEdit(true);
    m_bmpBack = QImage();
    RefreshBackground();
}

}  // namespace solvane
