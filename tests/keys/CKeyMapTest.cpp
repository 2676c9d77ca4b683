#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>

#include <memory>
#include <optional>
#include <vector>

#include "controls/ProgramFolder.h"
#include "controls/SkinImage.h"
#include "controls/VividTree.h"
#include "keys/CKeyMap.h"
#include "platform/KeyHook.h"
#include "support/QtTestApplication.h"
#include "KeyMapFixture.h"

namespace solvane {
namespace {

using namespace keymap;
using testing::AreaPoint;
using testing::BrowsePoint;
using testing::MarkerPoint;

constexpr std::uint8_t kEsc = 0;

struct WithApplication {
    WithApplication() { testing::TestApplication(); }
};

class CKeyMapTest : public ::testing::Test,
                    private WithApplication,
                    protected testing::KeyMapConfiguration {
protected:
    void OpenOn(std::uint8_t slot) {
        PrepareDraft(slot);
        dialog = std::make_unique<CKeyMap>(draft, configuration, macros, hook, images,
                                           ProgramFolderOfThisProcess());
        dialog->SetPathChooser([this](std::uint8_t row, QWidget*) {
            choosersRun.push_back(row);
            return chosen;
        });
        dialog->SetMessageBox([this](const QString& text, QWidget*) { messages.push_back(text); });
        dialog->Open();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void Click(Point point) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(point.x, point.y));
    }
    void Click(std::uint8_t area) { Click(AreaPoint(area)); }
    // A key pressed on the keyboard while the dialog is active.
    void Type(Qt::Key key) {
        QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog.get();
        QTest::keyClick(focus, key);
    }
    QTreeWidgetItem* TreeItem(const QString& text) {
        const auto found = dialog->FunctionTree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    KeyHook hook;
    SkinImageCache images;
    std::unique_ptr<CKeyMap> dialog;
    std::optional<QString> chosen;
    std::vector<std::uint8_t> choosersRun;
    std::vector<QString> messages;
};

TEST_F(CKeyMapTest, OpensAsItsSkinWithTheKeysCategoryAndHoldsTheHook) {
    SetKeys(kEsc, KIND_COMBINATION, {0xA2, 0x43});
    OpenOn(kEsc);
    EXPECT_EQ(dialog->size(), QSize(325, 275));
    EXPECT_TRUE(dialog->SingleKeyEdit()->isVisible());
    EXPECT_TRUE(dialog->CombinationEdit()->isVisible());
    EXPECT_FALSE(dialog->FunctionTree()->isVisible());
    EXPECT_FALSE(dialog->MacroList()->isVisible());
    EXPECT_EQ(dialog->CombinationEdit()->text(), QStringLiteral("LCtrl + C "));
    EXPECT_EQ(dialog->SingleKeyEdit()->text(), QString());
    EXPECT_EQ(hook.Holder(), dialog.get());
    EXPECT_TRUE(dialog->Model().hookActive());
}

TEST_F(CKeyMapTest, KeysPressedOnTheKeyboardAreCapturedAndSaved) {
    OpenOn(kEsc);
    Type(Qt::Key_A);
    EXPECT_EQ(dialog->SingleKeyEdit()->text(), QStringLiteral("A "));
    Type(Qt::Key_Escape);
    Type(Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "Escape and Enter are keys to capture";
    EXPECT_EQ(dialog->SingleKeyEdit()->text(), QStringLiteral("Enter "));
    Type(Qt::Key_A);
    Click(kSave);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Result().CapturedCount, 1u);
    EXPECT_EQ(dialog->Result().CapturedKeys[0], 0x41);
    EXPECT_FALSE(hook.IsInstalled()) << "the hook is given back when the dialog ends";
}

TEST_F(CKeyMapTest, WithoutTheHookEnterAndEscapeDoNotCloseIt) {
    QObject other;
    ASSERT_TRUE(hook.installhook(&other, false));
    OpenOn(kEsc);
    EXPECT_FALSE(dialog->Model().hookActive());
    Type(Qt::Key_Escape);
    Type(Qt::Key_Enter);
    Type(Qt::Key_A);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->SingleKeyEdit()->text(), QString()) << "keys are not captured";
    Click(kCancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(hook.Holder(), &other) << "the other holder keeps the hook";
}

TEST_F(CKeyMapTest, EnteringTheCombinationEditChoosesACombination) {
    OpenOn(kEsc);
    Type(Qt::Key_A);
    QTest::mouseClick(dialog->CombinationEdit(), Qt::LeftButton);
    EXPECT_EQ(dialog->Result().kind, KIND_COMBINATION);
    EXPECT_EQ(dialog->SingleKeyEdit()->text(), QString());
    Type(Qt::Key_Control);
    Type(Qt::Key_C);
    EXPECT_EQ(dialog->CombinationEdit()->text(), QStringLiteral("LCtrl + C "));
    Click(kSave);
    EXPECT_EQ(dialog->Result().CapturedCount, 2u);
}

TEST_F(CKeyMapTest, FunctionTreeRefusesItsParents) {
    SetEntryCode(kEsc, KIND_FUNCTION, {{0x00, 0xE3, 0x09, 0x00}});
    OpenOn(kEsc);
    EXPECT_TRUE(dialog->FunctionTree()->isVisible());
    EXPECT_EQ(dialog->FunctionTree()->currentItem(), TreeItem(QStringLiteral(u"搜索")));
    EXPECT_EQ(dialog->FunctionTree()->topLevelItemCount(), 9);

    dialog->FunctionTree()->setCurrentItem(TreeItem(QStringLiteral(u"多媒体")));
    Click(kSave);
    EXPECT_EQ(messages, std::vector<QString>{QStringLiteral(u"请选择子项")});
    EXPECT_TRUE(dialog->isVisible());

    dialog->FunctionTree()->setCurrentItem(TreeItem(QStringLiteral(u"静音")));
    Click(kSave);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Result().FunctionName, u"静音");
    EXPECT_EQ(dialog->Result().kind, KIND_FUNCTION);
}

TEST_F(CKeyMapTest, OpeningOnAFunctionExpandsItsGroup) {
    SetEntryCode(kEsc, KIND_FUNCTION, {{0x03, 0x00, 0xE2, 0x00}});
    OpenOn(kEsc);
    EXPECT_EQ(dialog->FunctionTree()->currentItem(), TreeItem(QStringLiteral(u"静音")));
    EXPECT_TRUE(TreeItem(QStringLiteral(u"多媒体"))->isExpanded());
    EXPECT_FALSE(TreeItem(QStringLiteral(u"快捷键"))->isExpanded());
}

TEST_F(CKeyMapTest, MacroListOffersTheStoreAndSelectsTheKeysMacro) {
    SetEntryCode(kEsc, KIND_MACRO, {{0x04, 0x01, 0x01, 0x00}});
    OpenOn(kEsc);
    QListWidget* list = dialog->MacroList();
    EXPECT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral(u"宏指令_001"));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(list->hasFocus());
    list->setCurrentRow(2);
    Click(kSave);
    EXPECT_EQ(dialog->Result().kind, KIND_MACRO);
    EXPECT_EQ(dialog->Result().MacroIndex, 2);
}

TEST_F(CKeyMapTest, ChoosersRunFromTheBrowseButtons) {
    draft.TargetPath = u"/home/user/old.txt";
    OpenOn(kEsc);
    Click(kTabAdvanced);
    EXPECT_FALSE(dialog->SingleKeyEdit()->isVisible());
    chosen.reset();
    Click(BrowsePoint(ROW_OPEN_FILE));
    EXPECT_EQ(choosersRun, std::vector<std::uint8_t>{ROW_OPEN_FILE});
    EXPECT_EQ(dialog->Result().kind, KIND_OPEN_FILE);
    EXPECT_EQ(dialog->Result().TargetPath, u"/home/user/old.txt");

    Click(BrowsePoint(ROW_OPEN_FOLDER));
    EXPECT_EQ(dialog->Result().TargetPath, u"") << "a cancelled folder browser empties the path";

    chosen = QStringLiteral("/home/user/song.mp3");
    Click(BrowsePoint(ROW_PLAY_SOUND));
    EXPECT_EQ(dialog->Result().TargetPath, QDir::toNativeSeparators(*chosen).toStdU16String());
    Click(kSave);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Result().kind, KIND_PLAY_SOUND);
}

TEST_F(CKeyMapTest, ThePictureFollowsTheState) {
    OpenOn(kEsc);
    const auto snapshot = [&](const char* name) {
        QApplication::processEvents();
        const QImage image = dialog->grab().toImage();
        if (const QByteArray folder = qgetenv("SOLVANE_SNAPSHOT_DIR"); !folder.isEmpty()) {
            image.save(QString::fromLocal8Bit(folder) + QStringLiteral("/keymap-%1.png").arg(name));
        }
        return image;
    };
    const QPoint toggle(24, 255);
    Type(Qt::Key_A);
    const QImage keys = snapshot("keys");
    Click(kDisableToggle);
    const QImage disabled = snapshot("disabled");
    EXPECT_NE(keys.pixel(toggle), disabled.pixel(toggle));

    Click(kTabAdvanced);
    const QImage advanced = snapshot("advanced");
    const QPoint browse(BrowsePoint(ROW_OPEN_FILE).x, BrowsePoint(ROW_OPEN_FILE).y);
    const QPoint markerOfSecondRow(MarkerPoint(1).x, MarkerPoint(1).y);
    const QPoint markerOfChosenRow(MarkerPoint(ROW_OPEN_FILE).x, MarkerPoint(ROW_OPEN_FILE).y);
    chosen = QStringLiteral("/home/user/notes/a-rather-long-name-for-notes.txt");
    Click(BrowsePoint(ROW_OPEN_FILE));
    QTest::mouseMove(dialog.get(), browse);
    const QImage chosenFile = snapshot("advanced-chosen");
    EXPECT_NE(advanced.pixel(browse), chosenFile.pixel(browse)) << "the hovered browse button";
    EXPECT_NE(advanced.pixel(markerOfChosenRow), chosenFile.pixel(markerOfChosenRow));
    EXPECT_EQ(advanced.pixel(markerOfSecondRow), chosenFile.pixel(markerOfSecondRow));

    Click(kTabFunction);
    dialog->FunctionTree()->setCurrentItem(TreeItem(QStringLiteral(u"静音")));
    snapshot("functions");
    Click(kTabMacro);
    dialog->MacroList()->setCurrentRow(1);
    snapshot("macros");
}

}  // namespace
}  // namespace solvane
