#include <gtest/gtest.h>

#include <QtGui/QWheelEvent>

#include "WidgetTestSupport.h"
#include "controls/CBitSlider.h"
#include "controls/CBitWnd.h"

namespace solvane {
namespace {

using testing::MessageRecorder;

constexpr int kSpeedSlider = 1007;

class BitSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        slider = new CBitSlider(&owner);
        slider->move(28, 40);
        slider->CreateThumb();
        slider->LoadSkin();
        slider->SetThumbOffset(0);
        slider->setRange(0, 9);
        slider->setSingleStep(1);
        slider->setPageStep(1);
        slider->SetCtrlId(kSpeedSlider);
        ASSERT_TRUE(owner.ShowAndWait());
    }

    int ClickAt(int x) {
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(x, 8));
        return slider->value();
    }

    MessageRecorder owner;
    CBitSlider* slider = nullptr;
};

TEST_F(BitSliderTest, TakesTheTrackBitmapSizeAndOneHiddenThumb) {
    EXPECT_EQ(slider->size(), QSize(220, 17));
    slider->CreateThumb();
    EXPECT_EQ(slider->findChildren<CBitWnd*>().size(), 1) << "a second CreateThumb does nothing";
    ASSERT_NE(slider->ThumbWindow(), nullptr);
    EXPECT_EQ(slider->ThumbWindow()->size(), QSize(15, 14));
    EXPECT_FALSE(slider->ThumbWindow()->isVisible());
    ASSERT_NE(slider->TrackFill(), nullptr);
    EXPECT_EQ(slider->TrackFill()->Bitmap().size(), QSize(220, 17));
}

TEST_F(BitSliderTest, ClickJumpsToTheClickedPlaceRoundedHalfUp) {
    // Channel 7..212 (205 pixels) for 9 steps: a step is 22.8 pixels.
    struct Case {
        int x;
        int value;
    };
    const Case cases[] = {{7 + 102, 4}, {7 + 103, 5}, {212, 9}, {219, 9}, {0, 0}, {7 + 11, 0},
                          {7 + 12, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(ClickAt(c.x), c.value) << c.x;
    }
}

TEST_F(BitSliderTest, DraggingFollowsThePointer) {
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(7, 8));
    QMouseEvent move(QEvent::MouseMove, QPointF(212, 8), slider->mapToGlobal(QPointF(212, 8)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(slider, &move);
    EXPECT_EQ(slider->value(), 9);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(212, 8));
    EXPECT_FALSE(slider->isSliderDown());
}

TEST_F(BitSliderTest, WheelChangesNothing) {
    slider->setValue(4);
    QWheelEvent wheel(QPointF(100, 8), slider->mapToGlobal(QPointF(100, 8)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(slider, &wheel);
    EXPECT_TRUE(wheel.isAccepted());
    EXPECT_EQ(slider->value(), 4);
}

TEST_F(BitSliderTest, EveryChangeAndMouseMoveAsksTheOwnerToDraw) {
    owner.messages.clear();
    slider->setValue(9);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner.Of(WM_SLIDER_DRAW).empty(); }));
    EXPECT_EQ(owner.Of(WM_SLIDER_DRAW).back(),
              (testing::ReceivedMessage{WM_SLIDER_DRAW, kSpeedSlider, 0, {}}));
    EXPECT_EQ(slider->ThumbPoint(), (Point{205, 0}));

    owner.messages.clear();
    QTest::keyClick(slider, Qt::Key_Left);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner.Of(WM_SLIDER_DRAW).empty(); }));
    EXPECT_EQ(slider->value(), 8);

    owner.messages.clear();
    QTest::mouseMove(slider, QPoint(50, 8));
    EXPECT_EQ(owner.Of(WM_SLIDER_DRAW).size(), 1u) << "a move reports at once";
}

TEST_F(BitSliderTest, ThumbPointFollowsTheValueAndTheOwnersOffset) {
    slider->SetThumbOffset(3);
    slider->setValue(0);
    QTest::mouseMove(slider, QPoint(150, 8));
    EXPECT_EQ(slider->ThumbPoint(), (Point{0, 3}));
}

}  // namespace
}  // namespace solvane
