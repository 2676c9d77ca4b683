#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/AppSession.h"
#include "common/AtomicFile.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeySlotTable.h"
#include "keys/KeymapFile.h"
#include "sim/VirtualKeyboard.h"
#include "support/TempFolder.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

class AppSessionTest : public ::testing::Test {
protected:
    AppSessionTest() : keyboard(testing::TracedKeyboard::QuickOptions()) {}

    std::unique_ptr<AppSession> Start() {
        auto session = std::make_unique<AppSession>(keyboard, nullptr,
                                                    AppFolders{program.path(), data.path()});
        problems = session->StartUp();
        return session;
    }

    void WriteVer(const std::string& text) {
        ASSERT_TRUE(WriteFileAtomically(program / "VER.bin", std::vector<std::uint8_t>(text.begin(), text.end())));
    }

    testing::TempFolder program;
    testing::TempFolder data;
    VirtualKeyboard keyboard;
    std::vector<Status> problems;
};

TEST_F(AppSessionTest, StartUpCreatesTheDataFilesAndFindsTheKeyboard) {
    auto session = Start();
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(std::filesystem::file_size(data / "keymap.bin"), 204340u);
    EXPECT_EQ(std::filesystem::file_size(data / "MacroDefine.bin"), 169860u);
    EXPECT_TRUE(std::filesystem::is_directory(data / "Configure"));
    EXPECT_TRUE(session->link().IsOpen());
    // The records carry their default codes although the new file holds none.
    EXPECT_EQ(session->configuration().records[0].defaultCode, KeySlotTable[0].defaultCode);
    EXPECT_TRUE(session->TakeReadBackTurn());
    EXPECT_FALSE(session->TakeReadBackTurn());  // one worker per run
}

TEST_F(AppSessionTest, ReadBackIsTakenOverAndOffersTheUpdateForOlderFirmware) {
    WriteVer("Ver: 1.2    ");
    auto flash = keyboard.flash();
    flash.ledBrightness = 21;
    keyboard.setFlash(flash);
    // A keymap.bin whose unused bytes must survive the read-back.
    {
        DeviceImage image;
        image.bytes()[3] = 0x5A;
        RecordTable records{};
        ASSERT_TRUE(SaveKeymapFile(data / "keymap.bin", image, records));
    }
    auto session = Start();
    ASSERT_TRUE(session->TakeReadBackTurn());
    ReadBackJob job{session->configuration().image, {}, {}};
    session->RunReadBack(job);
    ASSERT_TRUE(job.status);
    session->TakeOverReadBack(job);
    const auto outcome = session->ReadBackDone(true);
    EXPECT_TRUE(outcome.saved);
    EXPECT_TRUE(outcome.offerFirmwareUpdate);  // 1.2 expected, the keyboard has 1.1
    EXPECT_EQ(session->configuration().image.lighting().brightness, 21);
    EXPECT_EQ(session->configuration().image.bytes()[3], 0x5A);
    DeviceImage saved;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(data / "keymap.bin", KeymapLoadMode::Full, saved, records));
    EXPECT_EQ(saved, session->configuration().image);
}

TEST_F(AppSessionTest, AfterAProfileLoadNothingIsReadAndNoUpdateOffered) {
    WriteVer("Ver: 9.9    ");
    auto session = Start();
    const auto pausedBefore = session->pausedMs();
    session->configuration().image.setKeyResponse(9);
    const auto outcome = session->ReadBackDone(false);
    EXPECT_TRUE(outcome.saved);
    EXPECT_FALSE(outcome.offerFirmwareUpdate);
    EXPECT_EQ(session->configuration().image.keyResponse(), 9);
    EXPECT_EQ(session->pausedMs(), pausedBefore);  // nothing was sent to the keyboard
}

TEST_F(AppSessionTest, FactoryResetTakesTheKeyboardsValuesAndEmptiesTheRecords) {
    auto session = Start();
    Configuration& c = session->configuration();
    c.records[5].kind = KIND_MACRO;
    c.marks[5] = 1;
    c.image.keyEnableBitmap()[3] = 0;
    auto flash = keyboard.flash();
    flash.ledBrightness = 3;
    keyboard.setFlash(flash);

    DeviceImage readBack = c.image;
    ASSERT_TRUE(session->RunFactoryReset(readBack));
    ASSERT_TRUE(session->FinishFactoryReset(readBack));
    EXPECT_EQ(c.image.lighting().brightness, 50);
    EXPECT_EQ(c.records[5].kind, KIND_SINGLE_KEY);
    EXPECT_EQ(c.records[5].defaultCode, KeySlotTable[5].defaultCode);
    EXPECT_EQ(c.marks[5], 0);
    for (const auto byte : c.image.keyEnableBitmap()) EXPECT_EQ(byte, 0xFF);
}

TEST_F(AppSessionTest, FactoryResetWithoutKeyboardFailsButStillResetsTheRecords) {
    keyboard.setUnplugged(true);
    auto session = Start();
    session->configuration().records[7].kind = KIND_FUNCTION;
    DeviceImage readBack = session->configuration().image;
    EXPECT_EQ(session->RunFactoryReset(readBack).code(), ErrorCode::NoKeyboard);
    EXPECT_TRUE(session->FinishFactoryReset(readBack));
    EXPECT_EQ(session->configuration().records[7].kind, KIND_SINGLE_KEY);
}

TEST_F(AppSessionTest, ArrivalReconnectsOnlyWhenTheKeyboardWasAway) {
    auto session = Start();
    DeviceImage readBack = session->configuration().image;
    EXPECT_EQ(session->ReconnectAfterArrival(readBack), ArrivalOutcome::AlreadyOpen);
    session->Removed();
    EXPECT_FALSE(session->link().IsOpen());
    auto flash = keyboard.flash();
    flash.ledBrightness = 44;
    keyboard.setFlash(flash);
    EXPECT_EQ(session->ReconnectAfterArrival(readBack), ArrivalOutcome::Reconnected);
    EXPECT_TRUE(session->link().IsOpen());
    EXPECT_NE(session->configuration().image.lighting().brightness, 44);  // not before the hand-over
    session->TakeOverArrival(readBack);
    EXPECT_EQ(session->configuration().image.lighting().brightness, 44);
}

TEST_F(AppSessionTest, SaveSendsTheImageWithTheLockApplied) {
    auto session = Start();
    session->configuration().image.setWinLockOn(1);
    session->configuration().image.keyEnableBitmap()[1] = 0xFF;
    const DeviceImage toSend = session->PrepareSave();
    EXPECT_EQ(toSend.keyEnableBitmap()[1], 0x3E);
    EXPECT_EQ(session->configuration().image.keyEnableBitmap()[1], 0x3E);
}

}  // namespace
}  // namespace solvane

namespace solvane {
namespace {

// Every keyboard transfer runs on its own thread into its own image while the window thread
// keeps reading the configuration and the pause counter; the window's values change only at the
// hand-over, after the worker has ended. Run under ThreadSanitizer by `make test`.
enum class Transfer { ReadBack, Save, FactoryReset };

class TransferHandOverTest : public ::testing::TestWithParam<Transfer> {};

TEST_P(TransferHandOverTest, TheWorkerNeverTouchesWhatTheWindowReads) {
    testing::TempFolder program;
    testing::TempFolder data;
    VirtualKeyboard keyboard(testing::TracedKeyboard::QuickOptions());
    auto flash = keyboard.flash();
    flash.ledBrightness = 12;
    keyboard.setFlash(flash);
    AppSession session(keyboard, nullptr, AppFolders{program.path(), data.path()});
    session.StartUp();
    const std::uint8_t before = session.configuration().image.lighting().brightness;
    ASSERT_NE(before, 12);

    if (GetParam() == Transfer::ReadBack) {
        ASSERT_TRUE(session.TakeReadBackTurn());
    }
    DeviceImage image = session.configuration().image;
    ReadBackJob job{image, {}, {}};
    Status status = Status::Ok();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        switch (GetParam()) {
        case Transfer::ReadBack: session.RunReadBack(job); status = job.status; break;
        case Transfer::Save: status = session.RunSave(image); break;
        case Transfer::FactoryReset: status = session.RunFactoryReset(image); break;
        }
        done = true;
    });
    // The window goes on painting from its own image meanwhile, and shows the progress.
    int changedUnderTheWindow = 0;
    long long progress = 0;
    while (!done) {
        changedUnderTheWindow += session.configuration().image.lighting().brightness != before;
        changedUnderTheWindow += session.configuration().marks[0] != 0;
        progress = std::max(progress, session.pausedMs());
    }
    worker.join();
    EXPECT_EQ(changedUnderTheWindow, 0);
    EXPECT_TRUE(status) << status.message();
    EXPECT_GT(session.pausedMs(), 0);
    EXPECT_LE(progress, session.pausedMs());

    switch (GetParam()) {
    case Transfer::ReadBack:
        session.TakeOverReadBack(job);
        EXPECT_EQ(session.configuration().image.lighting().brightness, 12);
        break;
    case Transfer::Save:
        EXPECT_EQ(keyboard.flash().ledBrightness, before) << "the window's brightness was sent";
        break;
    case Transfer::FactoryReset:
        EXPECT_TRUE(session.FinishFactoryReset(image));
        EXPECT_EQ(session.configuration().image.lighting().brightness, keyboard.flash().ledBrightness);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Transfers, TransferHandOverTest,
                         ::testing::Values(Transfer::ReadBack, Transfer::Save, Transfer::FactoryReset));

}  // namespace
}  // namespace solvane
