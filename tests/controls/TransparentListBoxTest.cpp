#include <gtest/gtest.h>

#include <QtGui/QWheelEvent>
#include <QtWidgets/QLineEdit>

#include "WidgetTestSupport.h"
#include "controls/CEditHelper.h"
#include "controls/CTransparentListBox.h"
#include "controls/ResourceBitmaps.h"

namespace solvane {
namespace {

using testing::FromRgb;
using testing::MessageRecorder;
using testing::ReceivedMessage;

class TransparentListBoxTest : public ::testing::Test {
protected:
    void Make(ListMode mode, std::initializer_list<const char*> items, bool sorted = false,
              bool notify = false) {
        list = new CTransparentListBox(&parent);
        list->setGeometry(20, 20, 113, 200);
        list->SetMode(mode);
        list->SetSorted(sorted);
        list->SetNotify(notify);
        list->SetTextStyle(16, QStringLiteral("Arial"), 0xFFFFFF, 0xFFFF00, true, 0, 2);
        for (const char* item : items) {
            list->AddItem(QString::fromUtf8(item), 77);
        }
        ASSERT_TRUE(parent.ShowAndWait());
    }

    // Opens the in-place edit on `row` with a double-click, as the user does.
    void DoubleClick(int row) {
        list->SetCurSel(row);
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void EditAndPress(int row, const QString& text, Qt::Key key) {
        DoubleClick(row);
        ASSERT_NE(list->EditBox(), nullptr) << "the edit did not open";
        list->EditBox()->setText(text);
        QTest::keyClick(list->EditBox(), key);
    }

    std::vector<ReceivedMessage> ListMessages() const {
        std::vector<ReceivedMessage> found;
        for (const ReceivedMessage& m : parent.messages) {
            if (m.message == WM_LIST_BEGIN_EDIT || m.message == WM_LIST_END_EDIT ||
                m.message == WM_LIST_ITEM_CHANGED) {
                found.push_back(m);
            }
        }
        return found;
    }

    MessageRecorder parent;
    CTransparentListBox* list = nullptr;
};

TEST_F(TransparentListBoxTest, AcceptedDelayEditIsHeldToItsLimits) {
    Make(ListMode::MacroEvents, {"A dn", "120 ms", "A up"});
    EditAndPress(1, QString(), Qt::Key_Return);
    EXPECT_EQ(list->ItemText(1), u"2 ms");
    EXPECT_EQ(list->ItemData(1), 0) << "an edited row's data becomes 0";
    EXPECT_EQ(list->ItemData(0), 77);
    EXPECT_EQ(ListMessages(), (std::vector<ReceivedMessage>{{WM_LIST_BEGIN_EDIT, 0, 0, {}},
                                                            {WM_LIST_END_EDIT, 1, 2, {}}}));
    EXPECT_EQ(list->EditBox(), nullptr);
    EXPECT_EQ(list->ItemBeingEdited(), -1);

    parent.messages.clear();
    EditAndPress(1, QStringLiteral("70000"), Qt::Key_Enter);
    EXPECT_EQ(list->ItemText(1), u"60000 ms");
    EXPECT_EQ(ListMessages().back(), (ReceivedMessage{WM_LIST_END_EDIT, 1, 60000, {}}));
}

TEST_F(TransparentListBoxTest, DelayEditStartsWithTheNumberAloneAndTakesOnlyDigits) {
    Make(ListMode::MacroEvents, {"35 ms"});
    DoubleClick(0);
    ASSERT_NE(list->EditBox(), nullptr);
    EXPECT_EQ(list->EditBox()->text(), u"35");
    EXPECT_EQ(list->EditBox()->selectedText(), u"35");
    QTest::keyClicks(list->EditBox(), QStringLiteral("x7"));
    EXPECT_EQ(list->EditBox()->text(), u"7") << "the typed text replaced the selection";
    // An unchanged value still reports the delay.
    parent.messages.clear();
    list->EditBox()->setText(QStringLiteral("35"));
    QTest::keyClick(list->EditBox(), Qt::Key_Return);
    EXPECT_EQ(ListMessages(), (std::vector<ReceivedMessage>{{WM_LIST_END_EDIT, 0, 35, {}}}));
}

TEST_F(TransparentListBoxTest, KeyEventsOfAMacroCannotBeEdited) {
    Make(ListMode::MacroEvents, {"A dn", "A up"});
    DoubleClick(0);
    DoubleClick(1);
    EXPECT_EQ(list->EditBox(), nullptr);
    EXPECT_TRUE(ListMessages().empty()) << "not even the begin message";
}

TEST_F(TransparentListBoxTest, PlainListsEditNamesWithAnyLetters) {
    Make(ListMode::Plain, {"Sundnight"}, true, true);
    EditAndPress(0, QStringLiteral("Dawn"), Qt::Key_Return);
    EXPECT_EQ(list->ItemText(0), u"Dawn");
    EXPECT_EQ(ListMessages(),
              (std::vector<ReceivedMessage>{{WM_LIST_BEGIN_EDIT, 0, 0, {}},
                                            {WM_LIST_ITEM_CHANGED, 0, 0, QStringLiteral("Sundnight")}}))
        << "plain lists never send the end message";
}

TEST_F(TransparentListBoxTest, ProfileRenameReportsTheRowItHadBefore) {
    Make(ListMode::Profiles, {"Alpha", "Beta", "Gamma"}, true, true);
    EditAndPress(0, QStringLiteral("Alpha"), Qt::Key_Return);
    EXPECT_EQ(ListMessages(), (std::vector<ReceivedMessage>{{WM_LIST_BEGIN_EDIT, 0, 0, {}}}))
        << "an unchanged name sends nothing";

    parent.messages.clear();
    EditAndPress(0, QStringLiteral("Zulu"), Qt::Key_Return);
    EXPECT_EQ(list->ItemText(2), u"Zulu");
    EXPECT_EQ(list->CurSel(), 2);
    EXPECT_EQ(ListMessages(),
              (std::vector<ReceivedMessage>{{WM_LIST_BEGIN_EDIT, 0, 0, {}},
                                            {WM_LIST_ITEM_CHANGED, 2, 0, QStringLiteral("Alpha")},
                                            {WM_LIST_END_EDIT, 0, 0, {}}}));
}

TEST_F(TransparentListBoxTest, EscapeCancelsWithoutAWord) {
    Make(ListMode::Profiles, {"Alpha"}, true, true);
    EditAndPress(0, QStringLiteral("Omega"), Qt::Key_Escape);
    EXPECT_EQ(list->ItemText(0), u"Alpha");
    EXPECT_EQ(list->EditBox(), nullptr);
    EXPECT_EQ(ListMessages(), (std::vector<ReceivedMessage>{{WM_LIST_BEGIN_EDIT, 0, 0, {}}}));
}

TEST_F(TransparentListBoxTest, LosingTheFocusOrScrollingAcceptsTheEdit) {
    Make(ListMode::Profiles, {"Alpha", "Beta"}, true);
    auto* elsewhere = new QLineEdit(&parent);
    elsewhere->setGeometry(150, 20, 100, 20);
    elsewhere->show();
    DoubleClick(0);
    ASSERT_NE(list->EditBox(), nullptr);
    list->EditBox()->setText(QStringLiteral("Aleph"));
    elsewhere->setFocus();
    EXPECT_EQ(list->EditBox(), nullptr);
    EXPECT_EQ(list->ItemText(0), u"Aleph");

    DoubleClick(1);
    ASSERT_NE(list->EditBox(), nullptr);
    list->EditBox()->setText(QStringLiteral("Bet"));
    QWheelEvent wheel(QPointF(10, 10), list->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list->viewport(), &wheel);
    EXPECT_EQ(list->EditBox(), nullptr);
    EXPECT_EQ(list->ItemText(1), u"Bet");
}

TEST_F(TransparentListBoxTest, MacroRowsPaintOverTheListPanelWithTheirIcons) {
    Make(ListMode::MacroEvents, {"A dn", "35 ms", "A up"});
    list->SetCurSel(1);
    const QImage picture = list->viewport()->grab().toImage();
    const QImage panel = LoadResourceBitmap(IDB_LIST_BACK);
    const int height = list->ItemHeight();
    const int iconLeft = list->viewport()->width() - 20;

    // Empty rows show the panel bitmap from its inner corner (7, 22) on.
    const int belowRows = 3 * height + 20;
    EXPECT_EQ(picture.pixelColor(60, belowRows), panel.pixelColor(7 + 60, 22 + belowRows));
    // Each row's icon stands 20 pixels left of its right edge.
    const QImage down = LoadResourceBitmap(IDB_KEY_DOWN);
    const QImage up = LoadResourceBitmap(IDB_KEY_UP);
    const QImage clock = LoadResourceBitmap(IDB_DELAY);
    EXPECT_EQ(picture.pixelColor(iconLeft + 5, 4), down.pixelColor(5, 4));
    EXPECT_EQ(picture.pixelColor(iconLeft + 7, height + 2), clock.pixelColor(7, 2));
    EXPECT_EQ(picture.pixelColor(iconLeft + 5, 2 * height + 10), up.pixelColor(5, 10));

    // The selected row is written in its own colour, the others in white over a black shadow.
    const auto hasColour = [&](int row, const QColor& colour) {
        for (int y = row * height; y < (row + 1) * height; ++y) {
            for (int x = 0; x < iconLeft; ++x) {
                if (picture.pixelColor(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(hasColour(1, QColor(0, 255, 255)));
    EXPECT_FALSE(hasColour(0, QColor(0, 255, 255)));
    EXPECT_TRUE(hasColour(0, Qt::white));
    EXPECT_TRUE(hasColour(0, Qt::black));
}

TEST_F(TransparentListBoxTest, ProfileListShowsWhatLiesBehindItAndTakesItAgainAfterAMove) {
    // The parent's picture: a grey field with one red square at (60..70, 80..90).
    parent.paint = [](QPainter& painter) {
        painter.fillRect(0, 0, 320, 320, QColor(40, 40, 40));
        painter.fillRect(60, 80, 10, 10, Qt::red);
    };
    Make(ListMode::Profiles, {});
    EXPECT_EQ(list->viewport()->grab().toImage().pixelColor(45, 65), QColor(Qt::red));
    EXPECT_EQ(list->viewport()->grab().toImage().pixelColor(10, 10), QColor(40, 40, 40));
    EXPECT_TRUE(list->BackgroundCaptured());

    list->move(30, 40);
    EXPECT_FALSE(list->BackgroundCaptured());
    const QImage moved = list->viewport()->grab().toImage();
    EXPECT_EQ(moved.pixelColor(35, 45), QColor(Qt::red));
    EXPECT_EQ(moved.pixelColor(45, 65), QColor(40, 40, 40));
}

TEST_F(TransparentListBoxTest, SortedListsKeepCaseInsensitiveOrder) {
    Make(ListMode::Plain, {"delta", "Alpha", "charlie", "Bravo"}, true);
    EXPECT_EQ(list->ItemText(0), u"Alpha");
    EXPECT_EQ(list->ItemText(1), u"Bravo");
    EXPECT_EQ(list->ItemText(2), u"charlie");
    EXPECT_EQ(list->ItemText(3), u"delta");
    EXPECT_EQ(list->InsertItem(99, QStringLiteral("zz"), 5), 4) << "out of range appends";
}

}  // namespace
}  // namespace solvane
