// The profile manager window driven as a user drives it: clicks on its picture, the list's
// menu, the in-place rename, and the message boxes and file dialogs it opens.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include <memory>

#include "FolderSnapshot.h"
#include "ModalAnswers.h"
#include "controls/CEditHelper.h"
#include "controls/ProgramFolder.h"
#include "controls/SkinFolder.h"
#include "keys/Configuration.h"
#include "keys/KeymapFile.h"
#include "profiles/CConfigureDlg.h"
#include "support/QtTestApplication.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using testing::FileBytes;
using testing::ModalAnswers;
using testing::Pattern;
using testing::ShownWindow;

const QString kCaption = QStringLiteral(u"配置管理");

// The application comes before the fixture's timers and windows.
struct WithApplication {
    WithApplication() { testing::TestApplication(); }
};

class ConfigureDialogTest : private WithApplication, public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(ProfileFolder()); }

    std::filesystem::path ProfileFolder() const { return data.path() / "Configure"; }
    std::filesystem::path ProfileFile(const std::string& name) const {
        return ProfileFolder() / PathFromUtf8(name + ".bin");
    }

    void WriteProfile(const std::string& name, std::uint8_t seed) {
        ASSERT_TRUE(WriteFileAtomically(ProfileFile(name), Pattern(keymap_file::kSize, seed)));
    }

    void Open(QRect mainWindow = QRect(100, 80, 997, 636)) {
        dialog = std::make_unique<CConfigureDlg>(data.path(), configuration->image,
                                                 configuration->records, images,
                                                 ProgramFolderOfThisProcess(), mainWindow);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    CTransparentListBox& List() { return dialog->List(); }

    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < List().count(); ++i) {
            rows << List().ItemText(i);
        }
        return rows;
    }

    QPoint RowCentre(int row) { return List().visualItemRect(List().item(row)).center(); }

    void ClickRow(int row) {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, RowCentre(row));
    }

    void RightClickList(QPoint at) {
        QTest::mousePress(List().viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(List().viewport(), Qt::RightButton, {}, at);
    }

    void Click(int x, int y) { QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(x, y)); }

    // Double-clicks `row` and types `text` over its name; the edit stays open.
    void TypeName(int row, const QString& text) {
        ClickRow(row);
        QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, RowCentre(row));
        ASSERT_NE(List().EditBox(), nullptr) << "the in-place edit did not open";
        List().EditBox()->setText(text);
    }

    static ShownWindow Message(const QString& text, QStringList buttons = {"Ok"}) {
        return {QStringLiteral("message"), kCaption, text, buttons};
    }

    testing::TempFolder data;
    std::unique_ptr<Configuration> configuration = std::make_unique<Configuration>();
    SkinImageCache images;
    ModalAnswers answers;
    std::unique_ptr<CConfigureDlg> dialog;
};

TEST_F(ConfigureDialogTest, OpensOverTheMainWindowsCornerShowingTheFolderSorted) {
    WriteProfile("beta", 2);
    WriteProfile("Alpha", 1);
    WriteProfile("Profile001", 3);
    Open(QRect(100, 80, 997, 636));

    const QImage background =
        LoadSkinBitmap(*SkinFolder(ProgramFolderOfThisProcess(), "Config").Find("Config.png"));
    ASSERT_FALSE(background.isNull());
    EXPECT_EQ(dialog->pos(), QPoint(99, 79));
    EXPECT_EQ(dialog->size(), background.size());
    EXPECT_EQ(List().geometry(), QRect(1, 34, 260, 540));
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "beta", "Profile001"}));
    EXPECT_EQ(List().CurSel(), -1) << "opening selects nothing";
}

TEST_F(ConfigureDialogTest, PaintsItsDecorationsAndLetsTheBackgroundShowThroughTheList) {
    WriteProfile("Alpha", 1);
    Open();
    const SkinFolder skin(ProgramFolderOfThisProcess(), "Config");
    const QImage background = LoadSkinBitmap(*skin.Find("Config.png"));
    const QImage close = LoadSkinBitmap(*skin.Find("button-close-normal.png"));
    const QImage picture = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);

    EXPECT_EQ(picture.copy(QRect(QPoint(247, 10), close.size())),
              close.convertToFormat(QImage::Format_RGB32));
    // The buttons, below their labels.
    for (const auto& [name, at] : {std::pair{"New.png", QPoint(13, 575)}, std::pair{"Delete.png", QPoint(183, 575)}}) {
        const QImage button = LoadSkinBitmap(*skin.Find(name)).convertToFormat(QImage::Format_RGB32);
        const QRect belowLabel(0, 25, button.width(), button.height() - 25);
        EXPECT_EQ(picture.copy(belowLabel.translated(at)), button.copy(belowLabel)) << name;
    }
    int labelInk = 0;
    for (int y = 10; y < 26; ++y) {
        for (int x = 10; x < 42; ++x) {
            labelInk += picture.pixel(x, y) != background.pixel(x, y);
        }
    }
    EXPECT_GT(labelInk, 20) << "the title label \"配置\" is written at (10, 10)";
    // Below the one row the list shows the picture behind it.
    EXPECT_EQ(picture.pixel(130, 300), background.pixel(130, 300));
    EXPECT_NE(picture.copy(1, 34, 100, List().ItemHeight()),
              background.copy(1, 34, 100, List().ItemHeight()))
        << "the row's name is drawn";
}

TEST_F(ConfigureDialogTest, TheCloseAreaStartsAtY11AndEndsAt262And24) {
    Open();
    Click(248, 10);
    Click(263, 24);
    EXPECT_TRUE(dialog->isVisible());
    Click(262, 24);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ConfigureDialogTest, NewTwiceMakesTwoEmptyProfiles) {
    Open();
    Click(13, 576);  // just left of the New area
    EXPECT_TRUE(Rows().isEmpty());
    Click(14, 576);
    Click(79, 624);
    EXPECT_EQ(Rows(), (QStringList{"Profile001", "Profile002"}));
    for (const char* name : {"Profile001", "Profile002"}) {
        EXPECT_EQ(FileBytes(ProfileFile(name)), std::vector<std::uint8_t>(image::kSize, 0)) << name;
    }
    EXPECT_TRUE(answers.shown().empty());
}

TEST_F(ConfigureDialogTest, CopyFromTheListsMenuCopiesTheSelectedProfile) {
    WriteProfile("Profile001", 5);
    Open();
    ClickRow(0);
    answers.Then(ModalAnswers::Pick(QStringLiteral(u"复制")));
    RightClickList(RowCentre(0));

    EXPECT_EQ(answers.shown(),
              (std::vector<ShownWindow>{{"menu", "profile", {},
                                         {QStringLiteral(u"新建"), QStringLiteral(u"复制"),
                                          QStringLiteral(u"保存"), QStringLiteral(u"加载"),
                                          QStringLiteral(u"删除")}}}));
    EXPECT_EQ(Rows(), (QStringList{"Profile001", QStringLiteral(u"复制 Profile001")}));
    EXPECT_EQ(FileBytes(ProfileFile("复制 Profile001")), Pattern(keymap_file::kSize, 5));
}

TEST_F(ConfigureDialogTest, TheMenuActsOnTheProfileRightClicked) {
    WriteProfile("Alpha", 1);
    WriteProfile("Beta", 2);
    Open();
    ClickRow(0);
    answers.Then(ModalAnswers::Pick(QStringLiteral(u"删除")));
    answers.Then(ModalAnswers::Press(QMessageBox::Ok));
    RightClickList(RowCentre(1));
    EXPECT_EQ(Rows(), (QStringList{"Alpha"})) << "Beta, under the pointer, was deleted";
    EXPECT_TRUE(std::filesystem::exists(ProfileFile("Alpha")));
}

TEST_F(ConfigureDialogTest, TheMenuOpensOverAnEmptyPartOfTheListButNotOverTheEdit) {
    WriteProfile("Alpha", 1);
    WriteProfile("Beta", 2);
    Open();
    answers.Then(ModalAnswers::Pick(QStringLiteral(u"加载")));
    answers.Then(ModalAnswers::Press(QMessageBox::Ok));
    RightClickList(QPoint(130, 400));
    ASSERT_EQ(answers.shown().size(), 2u);
    EXPECT_EQ(answers.shown()[0].kind, "menu");
    EXPECT_EQ(answers.shown()[1], Message(QStringLiteral(u"请选择一个配置文件打开\n")))
        << "nothing is selected, so Load says so";

    answers.Clear();
    TypeName(0, QStringLiteral("Alphabet"));
    const QPoint overEdit = List().EditBox()->geometry().center();
    QTest::mousePress(List().EditBox(), Qt::RightButton, {}, List().EditBox()->rect().center());
    QTest::mouseRelease(List().EditBox(), Qt::RightButton, {}, List().EditBox()->rect().center());
    RightClickList(overEdit);
    EXPECT_TRUE(answers.shown().empty()) << "the profile menu does not open over the edit";
}

TEST_F(ConfigureDialogTest, EnterAcceptsARenameOntoAnotherNameAndKeepsTheDialogOpen) {
    WriteProfile("Alpha", 1);
    WriteProfile("Beta", 2);
    Open();
    TypeName(0, QStringLiteral("Beta"));
    QTest::keyClick(List().EditBox(), Qt::Key_Return);

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(List().EditBox(), nullptr);
    EXPECT_EQ(Rows(), (QStringList{"Beta"}));
    EXPECT_FALSE(std::filesystem::exists(ProfileFile("Alpha")));
    EXPECT_EQ(FileBytes(ProfileFile("Beta")), Pattern(keymap_file::kSize, 1))
        << "Beta now holds what Alpha held";

    QTest::keyClick(&List(), Qt::Key_Return);
    QTest::keyClick(dialog.get(), Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible()) << "Enter never closes the dialog";
    EXPECT_TRUE(answers.shown().empty());
}

TEST_F(ConfigureDialogTest, EscapeCancelsAnOpenRenameAndOtherwiseClosesTheDialog) {
    WriteProfile("Alpha", 1);
    Open();
    const auto before = testing::SnapshotTree(data.path());
    TypeName(0, QStringLiteral("Omega"));
    QTest::keyClick(List().EditBox(), Qt::Key_Escape);
    EXPECT_EQ(List().EditBox(), nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Rows(), (QStringList{"Alpha"}));

    QTest::keyClick(&List(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(testing::SnapshotTree(data.path()), before);
}

TEST_F(ConfigureDialogTest, ClosingWithARenameOpenKeepsTheTypedName) {
    WriteProfile("Alpha", 1);
    Open();
    TypeName(0, QStringLiteral("Omega"));
    Click(255, 18);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(std::filesystem::exists(ProfileFile("Omega")));
    EXPECT_FALSE(std::filesystem::exists(ProfileFile("Alpha")));
}

TEST_F(ConfigureDialogTest, AClickOnNewWithARenameOpenRenamesFirst) {
    WriteProfile("Alpha", 1);
    WriteProfile("Zeta", 2);
    Open();
    TypeName(1, QStringLiteral("Zed"));
    Click(40, 600);
    dialog->close();
    EXPECT_EQ(FileBytes(ProfileFile("Zed")), Pattern(keymap_file::kSize, 2));
    EXPECT_EQ(FileBytes(ProfileFile("Profile001")), std::vector<std::uint8_t>(image::kSize, 0))
        << "the new profile, which sorts before the edited one, is not renamed";
    EXPECT_FALSE(std::filesystem::exists(ProfileFile("Zeta")));
}

TEST_F(ConfigureDialogTest, DeleteKeepsTheLastProfileAndAsksBeforeRemovingAnother) {
    WriteProfile("Alpha", 1);
    Open();
    ClickRow(0);
    answers.Then(ModalAnswers::Press(QMessageBox::Ok));
    Click(184, 576);
    EXPECT_EQ(answers.shown(),
              (std::vector<ShownWindow>{Message(QStringLiteral(u"请至少保留一个配置文件\n"))}));
    EXPECT_TRUE(std::filesystem::exists(ProfileFile("Alpha")));

    WriteProfile("Beta", 2);
    dialog->close();
    Open();
    answers.Clear();
    ClickRow(1);
    answers.Then(ModalAnswers::Press(QMessageBox::Cancel));
    Click(249, 624);
    EXPECT_EQ(answers.shown(),
              (std::vector<ShownWindow>{Message(QStringLiteral(u"删除当前配置文件吗"), {"Ok", "Cancel"})}));
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "Beta"}));
    EXPECT_EQ(List().CurSel(), -1) << "the list was read again";

    ClickRow(1);
    answers.Then(ModalAnswers::Press(QMessageBox::Ok));
    Click(200, 600);
    EXPECT_EQ(Rows(), (QStringList{"Alpha"}));
    EXPECT_FALSE(std::filesystem::exists(ProfileFile("Beta")));
    EXPECT_EQ(answers.unanswered(), 0u);
}

TEST_F(ConfigureDialogTest, SaveAndLoadAskForBinFilesStartingInTheDataFolder) {
    WriteProfile("Profile001", 1);
    configuration->image.bytes()[100] = 0x5A;
    configuration->records[7].kind = 0x42;
    Open();
    const std::filesystem::path exported = data.path() / "export.bin";

    ClickRow(0);
    answers.Then(ModalAnswers::Pick(QStringLiteral(u"保存")));
    answers.Then(ModalAnswers::Choose(exported));
    RightClickList(RowCentre(0));
    ASSERT_EQ(answers.shown().size(), 2u);
    const ShownWindow& saveDialog = answers.shown()[1];
    EXPECT_EQ(saveDialog.kind, "file");
    EXPECT_EQ(saveDialog.text, QString::fromStdU16String(data.path().u16string()));
    EXPECT_EQ(saveDialog.items, QStringList{"bin Files(*.bin)"});
    const std::vector<std::uint8_t> saved = FileBytes(exported);
    EXPECT_EQ(saved.size(), keymap_file::kSize);
    EXPECT_EQ(FileBytes(ProfileFile("Profile001")), saved);

    // Another state in memory; loading the export brings the saved one back.
    configuration->image.bytes()[100] = 0;
    configuration->records[7].kind = 0;
    answers.Clear();
    ClickRow(0);
    answers.Then(ModalAnswers::Pick(QStringLiteral(u"加载")));
    answers.Then(ModalAnswers::Choose(exported));
    RightClickList(RowCentre(0));
    ASSERT_EQ(answers.shown().size(), 2u);
    EXPECT_EQ(answers.shown()[1].text, QString::fromStdU16String(data.path().u16string()));
    EXPECT_EQ(configuration->image.bytes()[100], 0x5A);
    EXPECT_EQ(configuration->records[7].kind, 0x42);
    EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
}  // namespace solvane
