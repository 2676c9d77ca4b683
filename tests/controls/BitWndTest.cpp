#include <gtest/gtest.h>

#include <QtGui/QMouseEvent>

#include "WidgetTestSupport.h"
#include "controls/CBitWnd.h"
#include "controls/ResourceBitmaps.h"

namespace solvane {
namespace {

// A parent that keeps the mouse presses forwarded to it.
class PressRecorder : public testing::MessageRecorder {
public:
    std::vector<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        presses.push_back(event->position().toPoint());
    }
};

// Three frames side by side: red, green, blue.
QImage ThreeFrames() {
    QImage strip(45, 14, QImage::Format_RGB32);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 15, 14, Qt::red);
    painter.fillRect(15, 0, 15, 14, Qt::green);
    painter.fillRect(30, 0, 15, 14, Qt::blue);
    return strip;
}

TEST(BitWndTest, ExactlyOneClickPerRelease) {
    PressRecorder parent;
    auto* button = new CBitWnd(&parent);
    button->SetStrip(std::make_unique<BitmapStrip>(15, 14, ThreeFrames()));
    button->setGeometry(10, 20, 15, 14);
    ASSERT_TRUE(parent.ShowAndWait());
    int clicks = 0;
    QObject::connect(button, &CBitWnd::Clicked, [&] { ++clicks; });

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(clicks, 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->Frame(), 1);

    button->SetCommandOnPress(true);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(clicks, 2);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(parent.presses.empty()) << "nothing is forwarded unless asked";
}

TEST(BitWndTest, PaintsTheFrameOfItsStateAndForwardsToItsParent) {
    PressRecorder parent;
    auto* button = new CBitWnd(&parent);
    button->SetStrip(std::make_unique<BitmapStrip>(15, 14, ThreeFrames()));
    button->setGeometry(10, 20, 15, 14);
    button->SetForwardMouse(true);
    ASSERT_TRUE(parent.ShowAndWait());

    EXPECT_EQ(button->grab().toImage().pixelColor(7, 7), QColor(Qt::red));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(button->Frame(), 2);
    EXPECT_EQ(button->grab().toImage().pixelColor(7, 7), QColor(Qt::blue));
    ASSERT_EQ(parent.presses.size(), 1u);
    EXPECT_EQ(parent.presses[0], QPoint(13, 24)) << "in the parent's coordinates";
}

TEST(BitWndTest, ThumbWindowIsOneFrameOfTheThumbBitmap) {
    testing::MessageRecorder parent;
    auto* thumb = new CBitWnd(&parent);
    thumb->LoadThumbBitmap();
    EXPECT_EQ(thumb->geometry(), QRect(0, 0, 15, 14));
    ASSERT_NE(thumb->Strip(), nullptr);
    EXPECT_EQ(thumb->Strip()->FrameCount(), 1);
    EXPECT_EQ(thumb->grab().toImage(), LoadResourceBitmap(IDB_THUMB).convertToFormat(
                                           thumb->grab().toImage().format()));
}

}  // namespace
}  // namespace solvane
