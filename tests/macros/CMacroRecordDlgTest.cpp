#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>

#include <memory>
#include <vector>

#include "common/AtomicFile.h"
#include "controls/CEditHelper.h"
#include "controls/CTransparentListBox.h"
#include "controls/ProgramFolder.h"
#include "controls/SkinImage.h"
#include "keys/Configuration.h"
#include "keys/ConfigurationUpdates.h"
#include "macros/CMacroRecordDlg.h"
#include "macros/MacroFile.h"
#include "platform/KeyHook.h"
#include "support/QtTestApplication.h"
#include "support/TempFolder.h"
#include "MacroManagerFixture.h"

namespace solvane {
namespace {

using namespace macro_layout;
using testing::Bytes;
using testing::Head;
using testing::KeyEvent;
using testing::MakeRecord;

constexpr std::uint8_t kA = 0x41;
constexpr std::uint8_t kB = 0x42;

struct WithApplication {
    WithApplication() { testing::TestApplication(); }
};

struct Message {
    QString caption;
    QString text;
    bool askOkCancel;
};

class CMacroRecordDlgTest : public ::testing::Test, private WithApplication {
protected:
    void OpenWith(std::vector<MacroRecord> records) {
        store = testing::MakeStore(std::move(records));
        before = std::make_unique<MacroStore>(*store);
        dialog = std::make_unique<CMacroRecordDlg>(*store, hook, images, ProgramFolderOfThisProcess(), nullptr,
                                                   [this] { return now; });
        dialog->SetMessageBox([this](const QString& caption, const QString& text, bool ask, QWidget*) {
            messages.push_back({caption, text, ask});
            return answerOk;
        });
        dialog->SetMenuRunner([this](QMenu& menu, const QPoint&) { return Find(menu, menuPath); });
        dialog->Open();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    // The action at the end of a path of menu texts.
    static QAction* Find(QMenu& menu, const std::vector<QString>& path) {
        QMenu* level = &menu;
        for (std::size_t i = 0; i < path.size(); ++i) {
            QAction* found = nullptr;
            for (QAction* action : level->actions()) {
                if (action->text() == path[i]) {
                    found = action;
                }
            }
            if (found == nullptr) {
                ADD_FAILURE() << "no menu item " << path[i].toStdString();
                return nullptr;
            }
            if (i + 1 == path.size()) {
                return found;
            }
            level = found->menu();
            if (level == nullptr) {
                ADD_FAILURE() << path[i].toStdString() << " has no sub-menu";
                return nullptr;
            }
        }
        return nullptr;
    }

    void Click(std::size_t area) {
        const Rect& r = kHotAreas[area].rect;
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left + 4, r.top + 4));
    }
    QPoint RowCentre(CTransparentListBox* list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }
    void ClickRow(CTransparentListBox* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(list, row));
    }
    void RightClickEvents(const std::vector<QString>& path) {
        menuPath = path;
        QTest::mouseClick(dialog->EventList()->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    }
    // A key pressed and released on the keyboard while the dialog is active.
    void Type(Qt::Key key) {
        QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog.get();
        QTest::keyClick(focus, key);
    }
    static std::vector<QString> Texts(const CTransparentListBox* list) {
        std::vector<QString> texts;
        for (int i = 0; i < list->count(); ++i) {
            texts.push_back(list->ItemText(i));
        }
        return texts;
    }
    std::vector<QString> Events() const { return Texts(dialog->EventList()); }
    std::vector<QString> Names() const { return Texts(dialog->MacroList()); }
    Bytes StoredDeviceEvents(const MacroStore& macros, std::size_t index, std::size_t count) const {
        return Head(macros[index].deviceEvents, count);
    }

    KeyHook hook;
    SkinImageCache images;
    std::unique_ptr<MacroStore> store;
    std::unique_ptr<MacroStore> before;
    std::unique_ptr<CMacroRecordDlg> dialog;
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    std::vector<Message> messages;
    bool answerOk = true;
    std::vector<QString> menuPath;
};

// A, A, B pressed one after the other without delays: device codes 0x04 and 0x05.
std::vector<KeyEvent> ADownAUpBDown() {
    return {{false, 1, kA}, {true, 1, kA}, {false, 1, kB}};
}

TEST_F(CMacroRecordDlgTest, OpensAsItsSkinWithTheFirstMacroShown) {
    OpenWith({MakeRecord(u"b-macro", ADownAUpBDown(), 0), MakeRecord(u"a-macro", {}, 5)});
    EXPECT_EQ(dialog->size(), QSize(420, 436));
    // Macros keep their numbers, which keys refer to: the names stand in the records' order.
    EXPECT_EQ(Names(), (std::vector<QString>{QStringLiteral("b-macro"), QStringLiteral("a-macro")}));
    EXPECT_EQ(dialog->MacroList()->geometry(), QRect(20, 80, 113, 275));
    EXPECT_EQ(dialog->EventList()->geometry(), QRect(150, 80, 113, 275));
    EXPECT_EQ(dialog->LoopEdit()->geometry(), QRect(296, 331, 84, 18));
    EXPECT_EQ(dialog->LoopEdit()->maxLength(), 3);
    EXPECT_EQ(dialog->MacroList()->CurSel(), 0);
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("B  dn")}));
    EXPECT_EQ(dialog->EventList()->Mode(), ListMode::MacroEvents);
    EXPECT_EQ(dialog->MacroList()->Mode(), ListMode::Plain);
    EXPECT_EQ(dialog->LoopEdit()->text(), QStringLiteral("0")) << "the first macro shows its count as it is";
    EXPECT_FALSE(dialog->LoopEdit()->isEnabled());
    EXPECT_FALSE(hook.IsInstalled()) << "idle: no hook";
}

TEST_F(CMacroRecordDlgTest, NewRecordsHookedKeysUntilStoppedAndEnterOrEscapeDoNotClose) {
    OpenWith({});
    Click(kNewButton);
    EXPECT_EQ(Names(), std::vector<QString>{QStringLiteral("宏指令_001")});
    EXPECT_EQ(dialog->MacroList()->CurSel(), 0);
    EXPECT_EQ(dialog->LoopEdit()->text(), QStringLiteral("1"));
    EXPECT_FALSE(dialog->LoopEdit()->isEnabled());

    Click(kRecordButton);
    EXPECT_EQ(hook.Holder(), dialog.get());
    EXPECT_EQ(dialog->Model().recordCaption(), "停止录制");
    Type(Qt::Key_A);
    Type(Qt::Key_Escape);
    Type(Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "Escape and Enter are recorded, not obeyed";
    Click(kRecordButton);
    EXPECT_FALSE(hook.IsInstalled());
    EXPECT_EQ(dialog->Model().recordCaption(), "开始录制");
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("Esc  dn"),
                                              QStringLiteral("Esc  up"), QStringLiteral("Enter  dn"),
                                              QStringLiteral("Enter  up")}));
    EXPECT_EQ(dialog->EventList()->CurSel(), 5) << "the last recorded item is selected";

    // Stopped: keys go to the dialog, which neither records them nor closes on them.
    Type(Qt::Key_B);
    Type(Qt::Key_Escape);
    Type(Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Events().size(), 6u);
    EXPECT_EQ(Head(dialog->Model().workingCopy()[0].deviceEvents, 4), (Bytes{0x01, 0x04, 0x81, 0x04}));
}

TEST_F(CMacroRecordDlgTest, RecordingWithDelaysShowsTheMeasuredPauses) {
    OpenWith({MakeRecord(u"m")});
    Click(kDelayBox);
    EXPECT_TRUE(dialog->Model().delayBoxTicked());
    Click(kRecordButton);
    Type(Qt::Key_A);  // press and release in the same instant: held to 1 ms, no delay item
    now += std::chrono::milliseconds(2500);
    Type(Qt::Key_B);
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"),
                                              QStringLiteral("2500 ms"), QStringLiteral("B  dn"),
                                              QStringLiteral("B  up")}));
}

TEST_F(CMacroRecordDlgTest, SelectingAnotherMacroShowsItsEventsAndLoopCount) {
    OpenWith({MakeRecord(u"one", ADownAUpBDown()), MakeRecord(u"two", {{false, 1, kB}, {true, 300, kB}}, 7, 1)});
    EXPECT_EQ(Events().size(), 3u);
    ClickRow(dialog->MacroList(), 1);
    EXPECT_EQ(dialog->Model().selectedMacro(), 1u);
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("B  dn"), QStringLiteral("300 ms"), QStringLiteral("B  up")}));
    EXPECT_EQ(dialog->LoopEdit()->text(), QStringLiteral("7"));
    EXPECT_TRUE(dialog->LoopEdit()->isEnabled());
    EXPECT_TRUE(dialog->Model().delayBoxTicked());

    // The loop edit takes digits only and sets the macro's count at once.
    dialog->LoopEdit()->setFocus();
    dialog->LoopEdit()->selectAll();
    QTest::keyClicks(dialog->LoopEdit(), QStringLiteral("4x2"));
    EXPECT_EQ(dialog->LoopEdit()->text(), QStringLiteral("42"));
    EXPECT_EQ(LoopCountOf(dialog->Model().workingCopy()[1]), 42);
}

TEST_F(CMacroRecordDlgTest, DeleteAsksFirstAndTheNextMacroMovesUp) {
    OpenWith({MakeRecord(u"one", ADownAUpBDown()), MakeRecord(u"two", {{false, 1, kB}, {true, 1, kB}})});
    answerOk = false;
    Click(kDeleteButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, QStringLiteral("宏管理"));
    EXPECT_EQ(messages[0].text, QStringLiteral("确认删除吗？"));
    EXPECT_TRUE(messages[0].askOkCancel);
    EXPECT_EQ(Names().size(), 2u);

    answerOk = true;
    Click(kDeleteButton);
    EXPECT_EQ(Names(), std::vector<QString>{QStringLiteral("two")});
    EXPECT_EQ(dialog->MacroList()->CurSel(), 0);
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("B  dn"), QStringLiteral("B  up")}));
    EXPECT_EQ(MacroName(dialog->Model().workingCopy()[0]), u"two");

    // The last one goes too; then there is nothing to delete or record.
    Click(kDeleteButton);
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(Events().empty());
    messages.clear();
    Click(kRecordButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("请选择一个宏指令文件录制\n"));
    EXPECT_FALSE(messages[0].askOkCancel);
    EXPECT_FALSE(hook.IsInstalled());
}

TEST_F(CMacroRecordDlgTest, ContextMenuInsertsMouseClicksAndDelaysAndDeletesItems) {
    OpenWith({MakeRecord(u"m", ADownAUpBDown())});
    const auto device = [&](std::size_t count) { return Head(dialog->Model().workingCopy()[0].deviceEvents, count); };

    // Without a selected item the commands do nothing.
    RightClickEvents({QStringLiteral("插入鼠标按键"), QStringLiteral("左键"), QStringLiteral("单击")});
    EXPECT_EQ(Events().size(), 3u);

    ClickRow(dialog->EventList(), 1);  // "A  up"
    RightClickEvents({QStringLiteral("插入鼠标按键"), QStringLiteral("左键"), QStringLiteral("单击")});
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("MsLB dn"),
                                              QStringLiteral("MsLB up"), QStringLiteral("B  dn")}));
    EXPECT_EQ(device(10), (Bytes{0x01, 0x04, 0x81, 0x04, 0x01, 0xF0, 0x81, 0xF0, 0x01, 0x05}));

    ClickRow(dialog->EventList(), 3);  // "MsLB up"
    RightClickEvents({QStringLiteral("插入延迟")});
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("MsLB dn"),
                                              QStringLiteral("MsLB up"), QStringLiteral("50 ms"),
                                              QStringLiteral("B  dn")}));
    EXPECT_EQ(device(10), (Bytes{0x01, 0x04, 0x81, 0x04, 0x01, 0xF0, 0x81, 0xF0, 0x32, 0x05}));

    // Insert delay on a delay item asks for an edit instead.
    ClickRow(dialog->EventList(), 4);
    RightClickEvents({QStringLiteral("插入延迟")});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("请编辑当前延时\n"));

    // Deleting the delay item keeps its key item at 1 ms; deleting a key item removes its event.
    RightClickEvents({QStringLiteral("删除")});
    EXPECT_EQ(device(10), (Bytes{0x01, 0x04, 0x81, 0x04, 0x01, 0xF0, 0x81, 0xF0, 0x01, 0x05}));
    ClickRow(dialog->EventList(), 2);
    RightClickEvents({QStringLiteral("删除")});
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("MsLB up"),
                                              QStringLiteral("B  dn")}));
    EXPECT_EQ(device(10), (Bytes{0x01, 0x04, 0x81, 0x04, 0x81, 0xF0, 0x01, 0x05, 0x00, 0x00}));
}

TEST_F(CMacroRecordDlgTest, RecordAfterInsertsTheNextHookedKeyAndGivesTheHookBack) {
    OpenWith({MakeRecord(u"m", ADownAUpBDown())});
    ClickRow(dialog->EventList(), 1);  // "A  up"
    RightClickEvents({QStringLiteral("在之后开始录入")});
    EXPECT_EQ(hook.Holder(), dialog.get());
    Type(Qt::Key_C);
    EXPECT_FALSE(hook.IsInstalled()) << "the release ends the insertion";
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("C  dn"),
                                              QStringLiteral("C  up"), QStringLiteral("B  dn")}));
}

TEST_F(CMacroRecordDlgTest, DelaysAreEditedInPlace) {
    OpenWith({MakeRecord(u"m", {{false, 1, kA}, {true, 1, kA}, {false, 50, kB}})});
    ASSERT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("50 ms"),
                                              QStringLiteral("B  dn")}));
    CTransparentListBox* list = dialog->EventList();
    ClickRow(list, 2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(list, 2));
    ASSERT_NE(list->EditBox(), nullptr);
    EXPECT_EQ(list->EditBox()->text(), QStringLiteral("50"));
    list->EditBox()->selectAll();
    QTest::keyClicks(list->EditBox(), QStringLiteral("300"));
    QTest::keyClick(list->EditBox(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->EditBox(), nullptr);
    EXPECT_TRUE(dialog->isVisible()) << "the Enter that ends the edit does not end the dialog";
    EXPECT_EQ(Events(), (std::vector<QString>{QStringLiteral("A  dn"), QStringLiteral("A  up"), QStringLiteral("300 ms"),
                                              QStringLiteral("B  dn")}));
    EXPECT_EQ(list->CurSel(), 2);
    EXPECT_EQ(Head(dialog->Model().workingCopy()[0].deviceEvents, 8),
              (Bytes{0x01, 0x04, 0x81, 0x04, 0x7F, 0x05, 0x01, 0x2C}));
    // Key items are not edited.
    ClickRow(list, 1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(list, 1));
    EXPECT_EQ(list->EditBox(), nullptr);
}

TEST_F(CMacroRecordDlgTest, MacrosAreRenamedInPlaceAndKeepTheirEvents) {
    OpenWith({MakeRecord(u"alpha", ADownAUpBDown()), MakeRecord(u"beta", {{false, 1, kB}, {true, 1, kB}})});
    CTransparentListBox* list = dialog->MacroList();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(list, 0));
    ASSERT_NE(list->EditBox(), nullptr);
    list->EditBox()->selectAll();
    QTest::keyClicks(list->EditBox(), QStringLiteral("zeta"));
    QTest::keyClick(list->EditBox(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Names(), (std::vector<QString>{QStringLiteral("beta"), QStringLiteral("zeta")}));
    EXPECT_EQ(list->CurSel(), 1);
    EXPECT_EQ(Events().size(), 3u);
    EXPECT_EQ(MacroName(dialog->Model().workingCopy()[1]), u"zeta");
    EXPECT_EQ(Head(dialog->Model().workingCopy()[1].deviceEvents, 2), (Bytes{0x01, 0x04}));
}

TEST_F(CMacroRecordDlgTest, OkHandsTheEditsOverForBlocksAndFilesAndCancelKeepsTheStore) {
    testing::TempFolder folder;
    const auto keymapPath = folder / "keymap.bin";
    const auto macroPath = folder / "MacroDefine.bin";
    OpenWith({MakeRecord(u"m", ADownAUpBDown())});
    ASSERT_TRUE(SaveMacroFile(macroPath, *store));
    const auto fileBefore = ReadFileBounded(macroPath, 200000).value();

    // Cancel after recording: the store, and so both files, stay as they were.
    Click(kRecordButton);
    Type(Qt::Key_B);
    Click(kRecordButton);
    Click(kCancelButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(std::memcmp(store->data(), before->data(), sizeof(MacroStore)), 0);
    EXPECT_EQ(ReadFileBounded(macroPath, 200000).value(), fileBefore);
    EXPECT_FALSE(std::filesystem::exists(keymapPath));

    // OK after recording: the main window encodes the blocks and saves both files from the store.
    dialog->Open();
    dialog->show();
    Click(kRecordButton);
    Type(Qt::Key_B);
    Click(kRecordButton);
    Click(kOkButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(hook.IsInstalled());
    EXPECT_EQ(StoredDeviceEvents(*store, 0, 6), (Bytes{0x01, 0x05, 0x81, 0x05, 0x00, 0x00}));
    auto configuration = std::make_unique<Configuration>();
    ASSERT_TRUE(CompleteMacroEditing(*store, *configuration, keymapPath, macroPath));
    auto saved = std::make_unique<MacroStore>();
    ASSERT_TRUE(LoadMacroFile(macroPath, *saved));
    EXPECT_EQ(StoredDeviceEvents(*saved, 0, 4), (Bytes{0x01, 0x05, 0x81, 0x05}));
    EXPECT_EQ(std::filesystem::file_size(keymapPath), 204340u);
    const auto block = configuration->image.macroBlock(0);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 8), (Bytes{0x00, 0x01, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00}));
}

}  // namespace
}  // namespace solvane
