#include <gtest/gtest.h>

#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include "WidgetTestSupport.h"
#include "controls/LabelStyle.h"
#include "controls/ResourceBitmaps.h"
#include "controls/VividTree.h"

namespace solvane {
namespace {

class VividTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree = new VividTree(&parent);
        tree->setGeometry(10, 60, 295, 160);
        tree->LoadBitmaps();
        tree->SetBackMode(VividTree::Solid);
        media = new QTreeWidgetItem(tree, {QStringLiteral("Media")});
        new QTreeWidgetItem(media, {QStringLiteral("Volume up")});
        leaf = new QTreeWidgetItem(tree, {QStringLiteral("Windows")});
        other = new QLineEdit(&parent);
        other->setGeometry(10, 230, 100, 20);
        ASSERT_TRUE(parent.ShowAndWait());
    }

    QImage Picture() const { return tree->viewport()->grab().toImage(); }

    testing::MessageRecorder parent;
    VividTree* tree = nullptr;
    QTreeWidgetItem* media = nullptr;
    QTreeWidgetItem* leaf = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(VividTreeTest, SolidBackgroundWhiteTextAndOwnButtons) {
    const QImage picture = Picture();
    const QColor background = ToQColor(VividTree::kSolidBackground);
    EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() - 3), background);

    const QRect button = tree->ButtonRect(media);
    ASSERT_FALSE(button.isEmpty());
    EXPECT_EQ(button.size(), QSize(9, 9));
    EXPECT_EQ(button.left(), tree->TextRect(media).left() - 11);
    const QImage plus = LoadResourceBitmap(IDB_TREE_EXPAND);
    EXPECT_EQ(picture.pixelColor(button.left() + 4, button.top() + 2), plus.pixelColor(4, 2));
    EXPECT_TRUE(tree->ButtonRect(leaf).isEmpty()) << "an item without children has no button";

    bool white = false;
    const QRect text = tree->TextRect(leaf);
    for (int x = text.left(); x < text.right(); ++x) {
        for (int y = text.top(); y < text.bottom(); ++y) {
            white = white || picture.pixelColor(x, y) == QColor(Qt::white);
        }
    }
    EXPECT_TRUE(white);
}

TEST_F(VividTreeTest, ClickOnTheButtonExpandsAndShowsTheMinus) {
    const QRect button = tree->ButtonRect(media);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(media->isExpanded());
    const QImage minus = LoadResourceBitmap(IDB_TREE_COLLAPSE);
    const QRect shown = tree->ButtonRect(media);
    EXPECT_EQ(Picture().pixelColor(shown.left() + 4, shown.top() + 2), minus.pixelColor(4, 2));
}

TEST_F(VividTreeTest, SelectionBarShowsOnlyWithTheFocusUnlessAlwaysShown) {
    tree->setCurrentItem(leaf);
    const int rowY = tree->TextRect(leaf).center().y();
    const QColor bar = ToQColor(VividTree::kSelectionBar);
    const QColor background = ToQColor(VividTree::kSolidBackground);

    tree->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->hasFocus(); }));
    EXPECT_EQ(Picture().pixelColor(2, rowY), bar);
    EXPECT_EQ(Picture().pixelColor(tree->viewport()->width() - 2, rowY), bar);

    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->hasFocus(); }));
    EXPECT_EQ(Picture().pixelColor(2, rowY), background);

    tree->SetShowSelAlways(true);
    EXPECT_EQ(Picture().pixelColor(2, rowY), bar);
}

TEST_F(VividTreeTest, BackgroundCoversTheClientAreaAndScrollsWithTheItems) {
    (void)Picture();
    const QRect client = tree->viewport()->rect();
    EXPECT_EQ(tree->VirtualArea(), (Rect{0, 0, client.width(), client.height()}));

    for (int i = 0; i < 40; ++i) {
        new QTreeWidgetItem(tree, {QStringLiteral("Item %1").arg(i)});
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->verticalScrollBar()->maximum() > 3; }));
    tree->verticalScrollBar()->setValue(3);
    (void)Picture();
    const int itemHeight = tree->visualItemRect(tree->topLevelItem(0)).height();
    ASSERT_GT(itemHeight, 0);
    EXPECT_EQ(tree->VirtualArea().top, -3 * itemHeight);
    EXPECT_GT(tree->VirtualArea().Height(), client.height());
}

TEST_F(VividTreeTest, GradientRunsFromItsFirstToItsSecondColour) {
    tree->SetGradient(Rgb(255, 0, 0), Rgb(0, 0, 255), true);
    tree->SetBackMode(VividTree::Gradient);
    const QImage picture = Picture();
    const int y = picture.height() - 2;
    EXPECT_GT(picture.pixelColor(1, y).red(), 240);
    EXPECT_GT(picture.pixelColor(picture.width() - 2, y).blue(), 240);

    tree->SetGradient(Rgb(255, 0, 0), Rgb(0, 0, 255), false);
    const QImage vertical = Picture();
    EXPECT_GT(vertical.pixelColor(vertical.width() - 2, vertical.height() - 1).blue(), 240);
}

}  // namespace
}  // namespace solvane
