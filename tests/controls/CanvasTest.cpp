#include <gtest/gtest.h>

#include <QtCore/QSaveFile>
#include <QtCore/QThread>

#include <fstream>

#include "WidgetTestSupport.h"
#include "controls/QtCanvas.h"
#include "controls/RecordingCanvas.h"
#include "controls/ResourceBitmaps.h"
#include "controls/SkinnedDialog.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using testing::TempFolder;

void WriteImage(const std::filesystem::path& file, QSize size, const QColor& colour) {
    std::filesystem::create_directories(file.parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    // Replaced by rename, as an editor or a package update would.
    QSaveFile out(QString::fromStdU16String(file.u16string()));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_TRUE(image.save(&out, "PNG"));
    ASSERT_TRUE(out.commit());
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }
    TempFolder folder;
    SkinImageCache cache;
};

TEST_F(CanvasTest, DrawsImagesPartsBitmapsAndFillsWhereAsked) {
    WriteImage(folder / "png" / "Button.png", {4, 3}, Qt::green);
    const SkinFolder skin(folder.path(), "");
    QImage target(40, 30, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QtCanvas canvas(target, skin, cache);
        canvas.DrawSkinImage("button.png", 10, 5);  // another spelling of the same file
        canvas.DrawSkinImage("missing.png", 0, 0);
        canvas.DrawSkinImagePart("Button.png", Rect{1, 1, 3, 2}, 30, 20);
        canvas.DrawBitmap(IDB_TRACK_FILL, Rect{0, 0, 5, 17}, 0, 10);
        canvas.FillRect(Rect{20, 0, 22, 2}, Rgb(0, 0, 255));
    }
    EXPECT_EQ(target.pixelColor(10, 5), QColor(Qt::green));
    EXPECT_EQ(target.pixelColor(13, 7), QColor(Qt::green));
    EXPECT_EQ(target.pixelColor(14, 7), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(0, 0), QColor(Qt::black)) << "a missing image draws nothing";
    EXPECT_EQ(target.pixelColor(31, 20), QColor(Qt::green));
    EXPECT_EQ(target.pixelColor(32, 20), QColor(Qt::black)) << "a part is right - left wide";
    EXPECT_EQ(target.pixelColor(3, 18), LoadResourceBitmap(IDB_TRACK_FILL).pixelColor(3, 8));
    EXPECT_EQ(target.pixelColor(21, 1), QColor(Qt::blue));
    EXPECT_EQ(target.pixelColor(22, 1), QColor(Qt::black));
}

TEST_F(CanvasTest, ReplacedSkinFileShowsAtTheNextPaint) {
    const auto file = folder / "png" / "main.png";
    const SkinFolder skin(folder.path(), "");
    const auto paint = [&] {
        QImage target(8, 8, QImage::Format_RGB32);
        QtCanvas canvas(target, skin, cache);
        canvas.DrawSkinImage("main.png", 0, 0);
        return target.pixelColor(1, 1);
    };
    WriteImage(file, {8, 8}, Qt::red);
    EXPECT_EQ(paint(), QColor(Qt::red));
    EXPECT_EQ(paint(), QColor(Qt::red));
    WriteImage(file, {8, 8}, Qt::blue);
    EXPECT_EQ(paint(), QColor(Qt::blue));
    std::filesystem::remove(file);
    EXPECT_TRUE(cache.Load(file).isNull()) << "a removed file draws nothing";
}

TEST_F(CanvasTest, UnreadableOrOversizedImagesLoadAsNothing) {
    const auto junk = folder / "junk.png";
    std::filesystem::create_directories(folder.path());
    {
        std::ofstream(junk) << "not a picture";
    }
    EXPECT_TRUE(LoadSkinBitmap(junk).isNull());
    EXPECT_TRUE(LoadSkinBitmap(folder / "absent.png").isNull());
    WriteImage(folder / "huge.png", {kMaxSkinImageSide + 1, 1}, Qt::white);
    EXPECT_TRUE(LoadSkinBitmap(folder / "huge.png").isNull());
    WriteImage(folder / "fine.png", {3, 2}, Qt::white);
    EXPECT_EQ(LoadSkinBitmap(folder / "fine.png").size(), QSize(3, 2));
}

TEST_F(CanvasTest, RecordingCanvasKeepsCallsInOrder) {
    RecordingCanvas canvas;
    canvas.DrawSkinImage("kb_BK.png", 300, 160);
    canvas.DrawSkinImagePart("kb_hl.png", Rect{2, 52, 27, 77}, 302, 212);
    canvas.DrawLabel(QStringLiteral(u"保存"), 934, 612, LabelStyle::MainWindow(15));
    canvas.FillRect(Rect{28, 173, 248, 193}, Rgb(80, 0, 0));
    ASSERT_EQ(canvas.Calls().size(), 4u);
    EXPECT_EQ(canvas.Calls()[0].name, "kb_BK.png");
    EXPECT_EQ(canvas.Calls()[1].rect, (Rect{2, 52, 27, 77}));
    EXPECT_EQ(canvas.Calls()[1].at, (Point{302, 212}));
    EXPECT_EQ(canvas.Calls()[2].text, u"保存");
    EXPECT_EQ(canvas.Calls()[2].style.face, u"黑体");
    EXPECT_EQ(canvas.Calls()[3].kind, CanvasCall::Kind::Fill);
    EXPECT_EQ(canvas.Calls()[3].color, Rgb(80, 0, 0));
}

TEST_F(CanvasTest, LabelsHaveTheCellHeightOfTheirStyle) {
    for (const int height : {13, 15, 18}) {
        const QFont font = LabelStyle::MainWindow(height).Font();
        EXPECT_NEAR(QFontMetrics(font).height(), height, 1) << height;
    }
    QImage target(80, 30, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        DrawLabel(painter, QStringLiteral(u"保存"), 10, 5, LabelStyle::ProfileManager());
    }
    int lit = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            const bool on = target.pixelColor(x, y) != QColor(Qt::black);
            lit += on;
            EXPECT_FALSE(on && (x < 10 || y < 5)) << "ink above or left of the label's corner";
        }
    }
    EXPECT_GT(lit, 20);
}

// A dialog that draws one decoration over its background.
class MarkedDialog : public SkinnedDialog {
public:
    using SkinnedDialog::SkinnedDialog;
    void Start() { StartSkin(); }

protected:
    void PaintSkin(Canvas& canvas) override { canvas.DrawSkinImage("mark.png", 2, 3); }
};

TEST_F(CanvasTest, SkinnedDialogTakesItsBackgroundsSizeAndPaintsOverIt) {
    WriteImage(folder / "png" / "Config" / "Config.png", {30, 20}, Qt::darkGray);
    WriteImage(folder / "png" / "Config" / "mark.png", {2, 2}, Qt::yellow);
    MarkedDialog dialog(SkinFolder(folder.path(), "Config"), "Config.png", cache);
    dialog.Start();
    EXPECT_EQ(dialog.size(), QSize(30, 20));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    const QImage picture = dialog.grab().toImage();
    EXPECT_EQ(picture.pixelColor(2, 3), QColor(Qt::yellow));
    EXPECT_EQ(picture.pixelColor(10, 10), QColor(Qt::darkGray));

    MarkedDialog bare(SkinFolder(folder.path(), "Custom"), "missing.png", cache);
    bare.Start();
    EXPECT_EQ(bare.size(), QSize(0, 0)) << "a missing background leaves the window without size";
}

class Receiver : public QObject {
public:
    std::vector<std::pair<int, qint64>> seen;
    QThread* handledOn = nullptr;

protected:
    bool event(QEvent* event) override {
        if (WindowMessage* message = WindowMessage::From(event)) {
            seen.emplace_back(message->Message(), message->WParam());
            handledOn = QThread::currentThread();
            message->SetResult(message->WParam() * 2);
            return true;
        }
        return QObject::event(event);
    }
};

TEST_F(CanvasTest, WindowMessagesAreSentSynchronouslyAlsoFromAnotherThread) {
    Receiver receiver;
    EXPECT_EQ(SendWindowMessage(&receiver, WM_READBACK_DONE, 21, 1), 42);
    EXPECT_EQ(SendWindowMessage(nullptr, WM_READBACK_DONE), 0);

    qint64 fromWorker = 0;
    std::unique_ptr<QThread> worker(QThread::create(
        [&] { fromWorker = SendWindowMessage(&receiver, WM_READBACK_DONE, 5, 0); }));
    worker->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return worker->isFinished(); }));
    EXPECT_EQ(fromWorker, 10);
    EXPECT_EQ(receiver.handledOn, QThread::currentThread()) << "handled on the receiver's thread";

    PostWindowMessage(&receiver, WM_LAUNCH_KEY, 0x41);
    EXPECT_EQ(receiver.seen.size(), 2u) << "a post is not handled at once";
    QCoreApplication::processEvents();
    EXPECT_EQ(receiver.seen.back(), (std::pair<int, qint64>{WM_LAUNCH_KEY, 0x41}));
}

}  // namespace
}  // namespace solvane
