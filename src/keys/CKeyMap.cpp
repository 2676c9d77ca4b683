#include "keys/CKeyMap.h"

#include <QtCore/QDir>
#include <QtGui/QFocusEvent>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QScrollBar>

#include <filesystem>

#include "controls/DarkScrollBar.h"
#include "controls/LabelStyle.h"
#include "controls/VividTree.h"
#include "controls/WindowMessages.h"
#include "platform/InputKeyCodes.h"
#include "platform/KeyHook.h"

namespace solvane {

using namespace keymap;

namespace {

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString Name(int id) {
    return QStringLiteral("IDC_%1").arg(id);
}

void Place(QWidget& widget, const Placement& place) {
    widget.setGeometry(place.x, place.y, place.width, place.height);
}

// White text on the controls' grey, as the dialog colours its edits and its macro list.
void Colour(QWidget& control) {
    QPalette palette = control.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, ToQColor(kControlBackground));
        palette.setColor(group, QPalette::Window, ToQColor(kControlBackground));
        palette.setColor(group, QPalette::Text, ToQColor(kWhite));
        palette.setColor(group, QPalette::Highlight, ToQColor(VividTree::kSelectionBar));
        palette.setColor(group, QPalette::HighlightedText, ToQColor(kWhite));
    }
    control.setPalette(palette);
    control.setFont(LabelStyle::KeyAssignment().Font());
}

// Focus that the user moved; focus given back when the window is activated again changes
// nothing, as the edit had it already.
bool MovedByUser(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

bool LauncherSeesKey(std::uint8_t virtualKey) {
    return InputCodeFromVirtualKey(virtualKey).has_value();
}

}  // namespace

CKeyMap::CKeyMap(AssignmentDraft& draft, const Configuration& configuration,
                 const MacroStore& macros, KeyHook& keyHook, SkinImageCache& images,
                 const std::filesystem::path& programFolder, QWidget* parent)
    : SkinnedDialog(SkinFolder(programFolder, kSkinFolder), std::string(kBackground), images,
                    parent),
      m_model(draft, LauncherSeesKey),
      m_configuration(configuration),
      m_macros(macros),
      m_keyHook(keyHook),
      m_chooser(&CKeyMap::ChoosePath),
      m_messageBox(&CKeyMap::ShowMessageBox) {
    setMouseTracking(true);
    setWindowTitle(Text(kTitlePrefix));

    m_tree = new VividTree(this);
    m_tree->setObjectName(Name(IDC_FUNCTION_TREE));
    m_tree->SetShowSelAlways(true);
    m_tree->setFont(LabelStyle::KeyAssignment().Font());
    UseDarkScrollBar(*m_tree->verticalScrollBar());
    Place(*m_tree, kFunctionTreePlace);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                m_model.SetSelectedFunction(
                    current != nullptr ? current->text(0).toStdU16String() : std::u16string());
            });

    const auto makeEdit = [this](int id, const Placement& place) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(Name(id));
        // The edits show captured keys; typing never changes them.
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        Colour(*edit);
        Place(*edit, place);
        edit->installEventFilter(this);
        return edit;
    };
    m_singleKeyEdit = makeEdit(IDC_SINGLE_KEY_EDIT, kSingleKeyEditPlace);
    m_combinationEdit = makeEdit(IDC_COMBINATION_EDIT, kCombinationEditPlace);

    m_macroList = new QListWidget(this);
    m_macroList->setObjectName(Name(IDC_ASSIGN_MACRO_LIST));
    m_macroList->setFrameShape(QFrame::NoFrame);
    m_macroList->setSelectionMode(QAbstractItemView::SingleSelection);
    Colour(*m_macroList);
    UseDarkScrollBar(*m_macroList->verticalScrollBar());
    Place(*m_macroList, kMacroListPlace);
    connect(m_macroList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_model.SetSelectedMacro(row); });

    SyncControls();
}

CKeyMap::~CKeyMap() {
    ReleaseHook();
}

int CKeyMap::exec() {
    Open();
    return SkinnedDialog::exec();
}

void CKeyMap::Open() {
    StartSkin();
    m_tree->LoadBitmaps();
    m_tree->SetBackMode(VividTree::Solid);
    m_model.Open(m_configuration, m_macros);
    setWindowTitle(Text(m_model.Title()));
    BuildFunctionTree();
    FillMacroList();
    SyncControls();
    if (m_model.FocusMacroList()) {
        m_macroList->setFocus(Qt::OtherFocusReason);
    } else {
        // No control is given the focus: entering an edit is the user's choice of single key
        // or combination.
        setFocus(Qt::OtherFocusReason);
    }
    m_model.SetHookActive(m_keyHook.installhook(this, false));
    update();
}

void CKeyMap::BuildFunctionTree() {
    m_tree->clear();
    const QString selected = Text(m_model.FunctionToSelect());
    for (const FunctionTreeItem& entry : kFunctionTree) {
        auto* item = new QTreeWidgetItem(m_tree, {Text(entry.text)});
        if (item->text(0) == selected) {
            m_tree->setCurrentItem(item);
            item->setExpanded(true);
        }
        for (const std::u16string_view child : entry.children) {
            auto* leaf = new QTreeWidgetItem(item, {Text(child)});
            if (leaf->text(0) == selected) {
                m_tree->setCurrentItem(leaf);
                item->setExpanded(true);
            }
        }
    }
}

void CKeyMap::FillMacroList() {
    m_macroList->clear();
    for (const std::u16string& name : m_model.MacroNames()) {
        m_macroList->addItem(Text(name));
    }
    m_macroList->setCurrentRow(m_model.MacroToSelect());
}

void CKeyMap::SyncControls() {
    const KeyMapControls shown = m_model.ShownControls();
    const std::pair<QWidget*, bool> controls[] = {
        {m_tree, shown.functionTree},
        {m_singleKeyEdit, shown.singleKeyEdit},
        {m_combinationEdit, shown.combinationEdit},
        {m_macroList, shown.macroList},
    };
    // Hiding a focused control would hand the focus to the next one, which for an edit means
    // choosing single key or combination: the dialog keeps it instead.
    for (const auto& [control, visible] : controls) {
        if (!visible && control->hasFocus()) {
            setFocus(Qt::OtherFocusReason);
        }
    }
    for (const auto& [control, visible] : controls) {
        control->setVisible(visible);
    }
    SyncEdits();
}

void CKeyMap::SyncEdits() {
    const QString single = Text(m_model.SingleKeyEditText());
    if (m_singleKeyEdit->text() != single) {
        m_singleKeyEdit->setText(single);  // the caret goes to the end
    }
    const QString combination = Text(m_model.CombinationEditText());
    if (m_combinationEdit->text() != combination) {
        m_combinationEdit->setText(combination);
    }
}

void CKeyMap::Carry(KeyMapAction action) {
    switch (action) {
    case KeyMapAction::None:
        break;
    case KeyMapAction::RedrawCategory:
        SyncControls();
        update();
        break;
    case KeyMapAction::Repaint:
        update();
        break;
    case KeyMapAction::Choose: {
        update();
        const std::optional<QString> chosen = m_chooser(m_model.ChooserRow(), this);
        std::optional<std::u16string> path;
        if (chosen) {
            path = QDir::toNativeSeparators(*chosen).toStdU16String();
        }
        Carry(m_model.ChooserFinished(std::move(path)));
        break;
    }
    case KeyMapAction::ShowMessage:
        update();
        m_messageBox(Text(m_model.Message()), this);
        break;
    case KeyMapAction::Accept:
        accept();
        break;
    case KeyMapAction::Reject:
        reject();
        break;
    }
}

std::optional<QString> CKeyMap::ChoosePath(std::uint8_t row, QWidget* parent) {
    // The program's own folder is no place for the user's files: start at home.
    const QString start = QDir::homePath();
    if (row == ROW_OPEN_FOLDER) {
        const QString folder =
            QFileDialog::getExistingDirectory(parent, Text(kFolderChooserTitle), start);
        return folder.isEmpty() ? std::nullopt : std::optional<QString>(folder);
    }
    if (row >= kFileChoosers.size()) {
        return std::nullopt;
    }
    QFileDialog dialog(parent, QString(), start);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const FileChooser& chooser = kFileChoosers[row];
#ifndef Q_OS_WIN
    // Programs here carry no suffix; any file the user may run is offered.
    if (row == ROW_LAUNCH_PROGRAM) {
        dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    } else
#endif
    {
        dialog.setNameFilter(Text(chooser.filterLabel));
        dialog.setDefaultSuffix(Text(chooser.suffix));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void CKeyMap::ShowMessageBox(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, Text(kMessageCaption), text, QMessageBox::Ok, parent);
    box.exec();
}

void CKeyMap::PaintSkin(Canvas& canvas) {
    const LabelStyle white = LabelStyle::KeyAssignment(kWhite);
    const auto& areas = m_model.hotAreas();
    canvas.DrawLabel(Text(m_model.Title()), kTitleAt.x, kTitleAt.y, white);
    for (std::uint8_t i = kClose; i <= kTabAdvanced; ++i) {
        canvas.DrawSkinImage(areas[i].ImageForState(), areas[i].rect.left, areas[i].rect.top);
    }
    PaintCategoryArea(canvas);

    const HotArea& toggle = areas[kDisableToggle];
    canvas.DrawSkinImage(toggle.ImageForState(), toggle.rect.left, toggle.rect.top);
    canvas.DrawLabel(Text(kToggleLabel), toggle.rect.left + kToggleLabelOffset.x,
                     toggle.rect.top + kToggleLabelOffset.y, white);
    for (std::uint8_t i = kRestoreDefault; i <= kSave; ++i) {
        canvas.DrawSkinImage(areas[i].ImageForState(), areas[i].rect.left, areas[i].rect.top);
    }
    for (const Caption& caption : kButtonCaptions) {
        canvas.DrawLabel(Text(caption.text), caption.at.x, caption.at.y, white);
    }
}

void CKeyMap::PaintCategoryArea(Canvas& canvas) {
    const int category = m_model.category();
    canvas.DrawSkinImage(m_model.hotAreas()[kTabStrip].ImageForState(), kStripAt.x, kStripAt.y);
    const Tab& active = kTabs[static_cast<std::size_t>(category)];
    canvas.DrawSkinImage(kCursorImage, active.cursorAt.x, active.cursorAt.y);
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        const ColorRef colour = static_cast<int>(i) == category ? kWhite : kLightGrey;
        canvas.DrawLabel(Text(kTabs[i].caption), kTabs[i].captionAt.x, kTabs[i].captionAt.y,
                         LabelStyle::KeyAssignment(colour));
    }
    if (category == CATEGORY_KEYS) {
        const LabelStyle grey = LabelStyle::KeyAssignment(kLightGrey);
        canvas.DrawLabel(Text(kSingleKeyLabel), kSingleKeyLabelAt.x, kSingleKeyLabelAt.y, grey);
        canvas.DrawLabel(Text(kCombinationLabel), kCombinationLabelAt.x, kCombinationLabelAt.y,
                         grey);
        return;
    }
    if (category != CATEGORY_ADVANCED) {
        return;
    }
    const LabelStyle white = LabelStyle::KeyAssignment(kWhite);
    canvas.DrawSkinImage(kGridBackground, kGridBackgroundAt.x, kGridBackgroundAt.y);
    const auto cellAt = [](std::size_t row, std::size_t column) {
        return GridCell(kGridColumns * row + column);
    };
    for (std::size_t row = 0; row < kAdvancedRows; ++row) {
        const Rect marker = cellAt(row, kMarkerColumn);
        const Rect label = cellAt(row, 1);
        const Rect box = cellAt(row, 2);
        const Rect browse = cellAt(row, kBrowseColumn);
        canvas.DrawSkinImage(kMarkerOff, marker.left, marker.top);
        canvas.DrawLabel(Text(kRowLabels[row]), label.left, label.top, white);
        canvas.DrawSkinImage(kPathBoxImage, box.left, box.top);
        canvas.DrawSkinImage(row == m_model.browseHover() ? kBrowseHoverImage : kBrowseImage,
                             browse.left, browse.top);
    }
    const std::uint8_t marked = m_model.markedRow();
    if (marked != kNone && marked % kGridColumns == 0 && marked / kGridColumns < kAdvancedRows) {
        for (std::size_t row = 0; row < kAdvancedRows; ++row) {
            const Rect marker = cellAt(row, kMarkerColumn);
            canvas.DrawSkinImage(row == marked / kGridColumns ? kMarkerOn : kMarkerOff,
                                 marker.left, marker.top);
        }
    }
    const std::uint8_t shown = m_model.advancedRow();
    if (shown < kAdvancedRows) {
        const auto separator = static_cast<char16_t>(std::filesystem::path::preferred_separator);
        // A long file name would run over the browse button: it ends in an ellipsis instead.
        const Rect box = cellAt(shown, 2);
        const QString path = QFontMetrics(white.Font()).elidedText(
            Text(ShownPath(m_model.Draft().TargetPath, separator)), Qt::ElideRight,
            box.right - kPathTextAt.x);
        canvas.DrawLabel(path, kPathTextAt.x, kPathTextAt.y + kGridPitch * shown, white);
        const Rect marker = cellAt(shown, kMarkerColumn);
        canvas.DrawSkinImage(kMarkerOn, marker.left, marker.top);
    }
}

bool CKeyMap::event(QEvent* event) {
    if (WindowMessage* message = WindowMessage::From(event);
        message != nullptr && message->Message() == WM_HOOK_KEY) {
        const qint64 code = message->WParam();
        if (code > 0 && code <= 0xFF && m_model.HookKey(static_cast<std::uint8_t>(code))) {
            SyncEdits();
        }
        message->SetResult(0);
        return true;
    }
    return SkinnedDialog::event(event);
}

bool CKeyMap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn &&
        (watched == m_singleKeyEdit || watched == m_combinationEdit) &&
        MovedByUser(static_cast<QFocusEvent*>(event)->reason())) {
        if (watched == m_singleKeyEdit) {
            m_model.SingleKeyEditFocused();
        } else {
            m_model.CombinationEditFocused();
        }
        SyncEdits();
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void CKeyMap::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const KeyMapMove move = m_model.MouseMove(point.x(), point.y());
    if (move.repaint) {
        update();
    }
    if (move.startDrag && m_pressedOnBackground && (event->buttons() & Qt::LeftButton)) {
        m_pressedOnBackground = false;
        StartWindowDrag(event->globalPosition().toPoint());
    }
    SkinnedDialog::mouseMoveEvent(event);
}

void CKeyMap::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    m_pressedOnBackground =
        event->button() == Qt::LeftButton && m_model.HitTestArea(point.x(), point.y()) == kNone &&
        (m_model.category() != CATEGORY_ADVANCED ||
         KeyMapModel::HitTestGrid(point.x(), point.y()) == kNone);
    SkinnedDialog::mousePressEvent(event);
}

void CKeyMap::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedOnBackground = false;
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        Carry(m_model.LeftButtonUp(point.x(), point.y()));
        return;
    }
    SkinnedDialog::mouseReleaseEvent(event);
}

void CKeyMap::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape are keys like any other here: only the dialog's buttons end it.
    if (!SwallowDialogKeys(event)) {
        SkinnedDialog::keyPressEvent(event);
    }
}

void CKeyMap::done(int result) {
    ReleaseHook();
    SkinnedDialog::done(result);
}

void CKeyMap::ReleaseHook() {
    if (m_model.hookActive() && m_keyHook.Holder() == this) {
        m_keyHook.removehook();
    }
    m_model.SetHookActive(false);
}

}  // namespace solvane
