#include "profiles/CConfigureDlg.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QMenu>

#include <string>

#include "controls/LabelStyle.h"
#include "controls/WindowMessages.h"
#include "profiles/ProfileMessages.h"

namespace solvane {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The profile list's rows: "黑体" 15 bold, white, the selected one cyan (0xFFFF00 is
// blue 255, green 255), with a black shadow two pixels down and right.
constexpr int kListFontHeight = 15;
constexpr ColorRef kListText = 0xFFFFFF;
constexpr ColorRef kListSelectedText = 0xFFFF00;
constexpr ColorRef kListShadow = 0x000000;
constexpr int kListShadowOffset = 2;

}  // namespace

CConfigureDlg::CConfigureDlg(const std::filesystem::path& dataFolder, DeviceImage& image,
                             RecordTable& records, SkinImageCache& images,
                             const std::filesystem::path& programFolder, const QRect& mainWindow,
                             QWidget* parent)
    : SkinnedDialog(SkinFolder(programFolder, configure_layout::kSkinSubFolder),
                    std::string(configure_layout::kBackground), images, parent),
      m_prompts(this),
      m_profiles(dataFolder, image, records, m_prompts),
      m_model(m_profiles),
      m_list(new CTransparentListBox(this)) {
    setWindowTitle(FromUtf8(profile_text::kCaption));
    StartSkin();
    const Point at = ConfigureDialogPosition(
        {mainWindow.left(), mainWindow.top(), mainWindow.right(), mainWindow.bottom()});
    move(at.x, at.y);

    const Rect& list = configure_layout::kList;
    m_list->setGeometry(list.left, list.top, list.Width(), list.Height());
    m_list->SetTextStyle(kListFontHeight, QStringLiteral(u"黑体"), kListText, kListSelectedText,
                         true, kListShadow, kListShadowOffset);
    m_list->SetMode(ListMode::Profiles);
    m_list->SetSorted(true);
    m_list->SetNotify(true);
    // Right-button releases over the list open the profile menu.
    m_list->viewport()->installEventFilter(this);

    m_profiles.Open();
    ShowProfiles();
    m_list->setFocus(Qt::OtherFocusReason);
}

void CConfigureDlg::PaintSkin(Canvas& canvas) {
    using Kind = configure_layout::Decoration::Kind;
    for (const auto& decoration : configure_layout::kDecorations) {
        if (decoration.kind == Kind::Image) {
            canvas.DrawSkinImage(decoration.text, decoration.at.x, decoration.at.y);
        } else {
            canvas.DrawLabel(FromUtf8(decoration.text), decoration.at.x, decoration.at.y,
                             LabelStyle::ProfileManager());
        }
    }
}

bool CConfigureDlg::event(QEvent* event) {
    if (const WindowMessage* message = WindowMessage::From(event);
        message != nullptr && message->Message() == WM_LIST_END_EDIT) {
        // By now the list holds the new name, selected; wParam is the row it had before.
        const int selected = m_list->CurSel();
        if (message->WParam() >= 0 && selected >= 0) {
            Carry(m_model.Renamed(static_cast<std::size_t>(message->WParam()),
                                  m_list->ItemText(selected).toStdString()));
        }
        return true;
    }
    return SkinnedDialog::event(event);
}

bool CConfigureDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Over the open in-place edit the edit's own menu serves, not the profile menu.
        if (mouse->button() == Qt::RightButton &&
            m_list->viewport()->childAt(mouse->position().toPoint()) == nullptr) {
            ShowProfileMenu(mouse->globalPosition().toPoint());
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void CConfigureDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        if (HitTestConfigure(at.x(), at.y()) != ConfigureClick::None) {
            FinishEdit();
        }
        Carry(m_model.LeftButtonUp(at.x(), at.y(), Selection()));
    }
    SkinnedDialog::mouseReleaseEvent(event);
}

std::optional<std::size_t> CConfigureDlg::Selection() const {
    const int selected = m_list->CurSel();
    return selected < 0 ? std::nullopt : std::optional<std::size_t>(selected);
}

void CConfigureDlg::FinishEdit() {
    m_list->EndEdit(true);
}

void CConfigureDlg::Carry(ConfigureAction action) {
    switch (action) {
    case ConfigureAction::None:
        break;
    case ConfigureAction::ShowList:
        ShowProfiles();
        break;
    case ConfigureAction::Close:
        accept();
        break;
    }
}

void CConfigureDlg::ShowProfiles() {
    m_list->clear();
    const auto& names = m_profiles.list().items();
    for (std::size_t i = 0; i < names.size(); ++i) {
        // In the model's order, so row i is profile i even where the list would sort otherwise.
        m_list->InsertItem(static_cast<int>(i), QString::fromStdString(names[i]), 0);
    }
    const auto selected = m_profiles.list().selection();
    m_list->SetCurSel(selected ? static_cast<int>(*selected) : -1);
    m_list->viewport()->update();
}

void CConfigureDlg::ShowProfileMenu(const QPoint& globalPosition) {
    QMenu menu(FromUtf8(kProfileMenuTitle), this);
    for (const ProfileMenuItem& item : kProfileMenu) {
        menu.addAction(FromUtf8(item.text))->setData(item.command);
    }
    if (const QAction* chosen = menu.exec(globalPosition)) {
        FinishEdit();
        Carry(m_model.Command(chosen->data().toInt(), Selection()));
    }
}

}  // namespace solvane
