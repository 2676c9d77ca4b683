#include "macros/CMacroRecordDlg.h"

#include <QtCore/QLoggingCategory>
#include <QtCore/QRegularExpression>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>

#include "controls/CTransparentListBox.h"
#include "controls/LabelStyle.h"
#include "controls/SkinPalette.h"
#include "controls/WindowMessages.h"
#include "platform/KeyHook.h"

namespace solvane {

using namespace macro_layout;

namespace {

Q_LOGGING_CATEGORY(lcMacroDialog, "solvane.macros.dialog", QtInfoMsg)

constexpr int kNameTimerMs = 100;

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Place(QWidget& widget, const Placement& place) {
    widget.setGeometry(place.x, place.y, place.width, place.height);
}

void DrawText(Canvas& canvas, const QString& text, const Label& label) {
    canvas.DrawLabel(text, label.x, label.y, LabelStyle::MacroManager(label.height));
}

void DrawText(Canvas& canvas, const Label& label) {
    DrawText(canvas, Text(label.text), label);
}

void DrawArea(Canvas& canvas, const HotArea& area, std::string_view image) {
    canvas.DrawSkinImage(image, area.rect.left, area.rect.top);
}

std::string_view TickImage(bool ticked) {
    return ticked ? kTickedImage : kUntickedImage;
}

// The texts of a list, to tell whether it must be filled again.
bool ShowsTexts(const CTransparentListBox& list, const std::vector<QString>& texts) {
    if (list.count() != static_cast<int>(texts.size())) {
        return false;
    }
    for (int i = 0; i < list.count(); ++i) {
        if (list.ItemText(i) != texts[static_cast<std::size_t>(i)]) {
            return false;
        }
    }
    return true;
}

void Fill(CTransparentListBox& list, const std::vector<QString>& texts) {
    if (ShowsTexts(list, texts)) {
        return;
    }
    list.clear();
    for (const QString& text : texts) {
        list.InsertItem(list.count(), text, 0);
    }
}

void Select(CTransparentListBox& list, std::optional<std::size_t> row) {
    const int index = row ? static_cast<int>(*row) : -1;
    if (list.CurSel() != index) {
        list.SetCurSel(index);
    }
    if (index >= 0) {
        list.scrollToItem(list.item(index));
    }
}

std::optional<std::size_t> SelectionOf(const CTransparentListBox& list) {
    const int row = list.CurSel();
    return row < 0 ? std::nullopt : std::optional<std::size_t>(row);
}

// The loop count edit in the skin's colours: light text on the dark field, dimmed while the
// loop is off.
void ColourLoopEdit(QLineEdit& edit) {
    QPalette colours = edit.palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(palette::kField));
    colours.setColor(QPalette::Text, QColor::fromRgb(palette::kText));
    colours.setColor(QPalette::Disabled, QPalette::Base, QColor::fromRgb(palette::kListInterior));
    colours.setColor(QPalette::Disabled, QPalette::Text, QColor::fromRgb(palette::kTextDim));
    edit.setPalette(colours);
}

CTransparentListBox* MakeList(QWidget* parent, const char* name, ListMode mode, const Placement& place) {
    auto* list = new CTransparentListBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->SetTextStyle(kListTextHeight, Utf8(kListFace), kListText, kListSelectedText, true, kListShadow,
                       kListShadowOffset);
    list->SetMode(mode);
    Place(*list, place);
    return list;
}

}  // namespace

CMacroRecordDlg::CMacroRecordDlg(MacroStore& store, KeyHook& keyHook, SkinImageCache& images,
                                 const std::filesystem::path& programFolder, QWidget* parent,
                                 MacroClock clock)
    : SkinnedDialog(SkinFolder(programFolder, kSkinFolder), std::string(kBackground), images, parent),
      m_store(store),
      m_keyHook(keyHook),
      m_model(*this, clock ? std::move(clock) : MacroClock([] { return std::chrono::steady_clock::now(); })),
      m_messageBox(&CMacroRecordDlg::ShowMessageBox),
      m_menuRunner([](QMenu& menu, const QPoint& at) { return menu.exec(at); }) {
    setMouseTracking(true);
    setWindowTitle(Text(kTitle.text));

    m_eventList = MakeList(this, "IDC_EVENT_LIST", ListMode::MacroEvents, kEventListPlace);
    // The menu opens on the right button's press, for the item selected before it.
    m_eventList->setContextMenuPolicy(Qt::PreventContextMenu);
    m_eventList->viewport()->installEventFilter(this);
    // The selection, not the current row: a list that takes the focus makes its first row
    // current without selecting it.
    connect(m_eventList, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_syncing || m_eventList->ItemBeingEdited() != -1) {
            return;
        }
        m_model.SelectEventItem(SelectionOf(*m_eventList));
    });

    m_macroList = MakeList(this, "IDC_MACRO_LIST", ListMode::Plain, kMacroListPlace);
    m_macroList->SetNotify(true);  // renames arrive as WM_LIST_ITEM_CHANGED
    m_macroList->SetEditMaxLength(kMacroNameMaxLength);
    connect(m_macroList, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_syncing || m_macroList->ItemBeingEdited() != -1) {
            return;
        }
        m_model.SelectMacro(SelectionOf(*m_macroList));
        qCDebug(lcMacroDialog, "%s", m_model.delayBoxTicked() ? "Has  delay time" : "Has No delay time");
        SyncAll();
    });

    m_loopEdit = new QLineEdit(this);
    m_loopEdit->setObjectName(QStringLiteral("IDC_LOOP_COUNT"));
    m_loopEdit->setMaxLength(kLoopEditMaxLength);
    m_loopEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_loopEdit));
    ColourLoopEdit(*m_loopEdit);
    Place(*m_loopEdit, kLoopEditPlace);
    connect(m_loopEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        // The validator lets only digits through; anything else keeps the model's value.
        if (!m_model.SetLoopText(text.toStdString())) {
            SyncLoopEdit();
        }
    });

    m_nameTimer.setInterval(kNameTimerMs);
    connect(&m_nameTimer, &QTimer::timeout, this, [this] { m_model.SyncMacroNames(); });
}

CMacroRecordDlg::~CMacroRecordDlg() {
    ReleaseHook();
}

int CMacroRecordDlg::exec() {
    Open();
    return SkinnedDialog::exec();
}

void CMacroRecordDlg::Open() {
    StartSkin();
    m_areas.Reset();
    m_model.Open(m_store);
    SyncAll();
    m_nameTimer.start();
}

bool CMacroRecordDlg::ShowMessageBox(const QString& caption, const QString& text, bool askOkCancel,
                                     QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, caption, text,
                    askOkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    return box.exec() == QMessageBox::Ok;
}

void CMacroRecordDlg::ShowMessage(std::string_view caption, std::string_view text) {
    update();
    m_messageBox(Utf8(caption), Utf8(text), false, this);
}

bool CMacroRecordDlg::AskOkCancel(std::string_view caption, std::string_view text) {
    update();
    return m_messageBox(Utf8(caption), Utf8(text), true, this);
}

bool CMacroRecordDlg::InstallKeyHook() {
    return m_keyHook.installhook(this, true);
}

void CMacroRecordDlg::RemoveKeyHook() {
    if (m_keyHook.Holder() == this) {
        m_keyHook.removehook();
    }
}

void CMacroRecordDlg::ReleaseHook() {
    m_model.Cancel();
    RemoveKeyHook();
}

void CMacroRecordDlg::SyncAll() {
    SyncMacroList();
    SyncEventList();
    SyncLoopEdit();
    update();
}

void CMacroRecordDlg::SyncMacroList() {
    m_syncing = true;
    std::vector<QString> names;
    for (const std::u16string& name : m_model.macroNames()) {
        names.push_back(Text(name));
    }
    Fill(*m_macroList, names);
    Select(*m_macroList, m_model.selectedMacro());
    m_syncing = false;
}

void CMacroRecordDlg::SyncEventList() {
    m_syncing = true;
    std::vector<QString> items;
    for (const EventItem& item : m_model.eventItems()) {
        items.push_back(Text(item.text));
    }
    Fill(*m_eventList, items);
    Select(*m_eventList, m_model.selectedEventItem());
    m_syncing = false;
}

void CMacroRecordDlg::SyncLoopEdit() {
    const QString text = QString::fromStdString(m_model.loopText());
    if (m_loopEdit->text() != text) {
        m_loopEdit->setText(text);
    }
    m_loopEdit->setEnabled(m_model.loopEditEnabled());
}

void CMacroRecordDlg::PaintSkin(Canvas& canvas) {
    qCDebug(lcMacroDialog, "%s", m_model.delayBoxTicked() ? "has delay time" : "No delay time");
    const auto& areas = m_areas.areas();
    DrawText(canvas, kTitle);
    for (const Label& heading : kHeadings) {
        DrawText(canvas, heading);
    }
    DrawArea(canvas, areas[kRecordButton], areas[kRecordButton].ImageForState());
    DrawText(canvas, Utf8(m_model.recordCaption()), kRecordCaption);
    for (const Label& label : kDelayLabels) {
        DrawText(canvas, label);
    }
    DrawArea(canvas, areas[kLoopBox], TickImage(m_model.loopBoxTicked()));
    DrawText(canvas, kLoopLabel);
    for (std::size_t i = 0; i < kButtonCaptions.size(); ++i) {
        const HotArea& button = areas[kNewButton + i];
        DrawArea(canvas, button, button.ImageForState());
        DrawText(canvas, kButtonCaptions[i]);
    }
    DrawArea(canvas, areas[kDelayBox], TickImage(m_model.delayBoxTicked()));
}

bool CMacroRecordDlg::event(QEvent* event) {
    WindowMessage* message = WindowMessage::From(event);
    if (message == nullptr) {
        return SkinnedDialog::event(event);
    }
    switch (message->Message()) {
        case WM_HOOK_KEY:
            if (message->WParam() >= 0 && message->WParam() <= 0xFF) {
                m_model.OnHookKey(static_cast<std::uint8_t>(message->WParam()),
                                  (message->LParam() & kHookKeyReleaseBit) != 0);
                SyncAll();
            }
            break;
        case WM_LIST_BEGIN_EDIT:
            m_model.BeginListEdit();
            update();
            break;
        case WM_LIST_END_EDIT:
            // A delay item of the event list was edited. The list replaces the item's text when
            // this returns, so it is filled again from the model afterwards.
            if (message->WParam() >= 0 && message->LParam() >= 0) {
                m_model.EditDelay(static_cast<std::size_t>(message->WParam()),
                                  static_cast<std::uint32_t>(message->LParam()));
            }
            QMetaObject::invokeMethod(this, [this] { SyncAll(); }, Qt::QueuedConnection);
            break;
        case WM_LIST_ITEM_CHANGED:
            // A macro was renamed in place; the list keeps it at its row until the model sorts it.
            if (message->WParam() >= 0 && message->WParam() < m_macroList->count()) {
                const auto row = static_cast<int>(message->WParam());
                m_model.RenameMacro(static_cast<std::size_t>(row), m_macroList->ItemText(row).toStdU16String());
            }
            SyncAll();
            break;
        default:
            return SkinnedDialog::event(event);
    }
    message->SetResult(0);
    return true;
}

bool CMacroRecordDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_eventList->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            OpenContextMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void CMacroRecordDlg::BuildContextMenu(QMenu& menu) {
    using namespace macro_menu;
    menu.setTitle(QStringLiteral("MacroDefine"));
    const auto add = [](QMenu& into, std::u16string_view text, int id) {
        into.addAction(Text(text))->setData(id);
    };
    add(menu, u"在之前开始录入", ID_MACRO_RECORD_BEFORE);
    add(menu, u"在之后开始录入", ID_MACRO_RECORD_AFTER);
    QMenu* mouse = menu.addMenu(QStringLiteral(u"插入鼠标按键"));
    struct Button {
        std::u16string_view text;
        int press;
        int release;
        int click;
    };
    constexpr Button kButtons[] = {
        {u"左键", ID_MACRO_LEFT_DOWN, ID_MACRO_LEFT_UP, ID_MACRO_LEFT_CLICK},
        {u"右键", ID_MACRO_RIGHT_DOWN, ID_MACRO_RIGHT_UP, ID_MACRO_RIGHT_CLICK},
        {u"中键", ID_MACRO_MIDDLE_DOWN, ID_MACRO_MIDDLE_UP, ID_MACRO_MIDDLE_CLICK},
    };
    for (const Button& button : kButtons) {
        QMenu* sub = mouse->addMenu(Text(button.text));
        add(*sub, u"压下", button.press);
        add(*sub, u"释放", button.release);
        add(*sub, u"单击", button.click);
    }
    add(menu, u"插入延迟", ID_MACRO_INSERT_DELAY);
    add(menu, u"删除", ID_MACRO_DELETE_ITEM);
}

void CMacroRecordDlg::OpenContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    BuildContextMenu(menu);
    const QAction* chosen = m_menuRunner(menu, globalPos);
    if (chosen == nullptr || !chosen->data().isValid()) {
        return;
    }
    // Commands that need a selection do nothing without one; the model says why.
    m_model.RunMenuCommand(chosen->data().toInt());
    SyncAll();
}

void CMacroRecordDlg::ClickArea(std::size_t area) {
    switch (area) {
        case kRecordButton:
            m_model.ToggleRecording();
            break;
        case kDelayBox:
            m_model.ToggleRecordDelays();
            break;
        case kLoopBox:
            m_model.ToggleLoop();
            break;
        case kNewButton:
            m_model.NewMacro();  // nothing with a full store, as the list shows
            break;
        case kDeleteButton:
            m_model.DeleteMacro();
            break;
        case kOkButton:
            m_model.Ok(m_store);
            accept();
            return;
        case kCancelButton:
            reject();
            return;
        default:
            return;
    }
    SyncAll();
}

void CMacroRecordDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const MacroManagerHotAreas::Hover hover = m_areas.MouseMove(point.x(), point.y());
    if (hover.repaint) {
        update();
    }
    if (hover.drag && m_pressedOnBackground && (event->buttons() & Qt::LeftButton)) {
        m_pressedOnBackground = false;
        StartWindowDrag(event->globalPosition().toPoint());
    }
    SkinnedDialog::mouseMoveEvent(event);
}

void CMacroRecordDlg::mousePressEvent(QMouseEvent* event) {
    // A click elsewhere accepts an open in-place edit, as taking its focus away would.
    m_macroList->EndEdit(true);
    m_eventList->EndEdit(true);
    const QPoint point = event->position().toPoint();
    m_pressedOnBackground =
        event->button() == Qt::LeftButton && !HitTest(m_areas.areas(), point.x(), point.y());
    SkinnedDialog::mousePressEvent(event);
}

void CMacroRecordDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedOnBackground = false;
    if (event->button() != Qt::LeftButton) {
        SkinnedDialog::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (const auto area = m_areas.Click(point.x(), point.y())) {
        ClickArea(*area);
    }
}

void CMacroRecordDlg::leaveEvent(QEvent* event) {
    // The buttons go dark when the pointer leaves the window over one of them.
    if (m_areas.MouseMove(-1, -1).repaint) {
        update();
    }
    SkinnedDialog::leaveEvent(event);
}

void CMacroRecordDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape neither confirm nor cancel: only the dialog's buttons end it.
    if (!SwallowDialogKeys(event)) {
        SkinnedDialog::keyPressEvent(event);
    }
}

void CMacroRecordDlg::done(int result) {
    // Cancel, and closing by any other means, leave the store as it was.
    m_nameTimer.stop();
    ReleaseHook();
    SkinnedDialog::done(result);
}

}  // namespace solvane
