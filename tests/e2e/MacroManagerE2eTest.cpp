#include <gtest/gtest.h>


#include "E2eSupport.h"
#include "sim/KeyboardFlash.h"
#include "support/DesktopSession.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using MacroManagerE2eTest = testing::E2eTest;

TEST_F(MacroManagerE2eTest, ARecordedMacroReachesTheKeyboardOnSave) {
    // The macro manager button, below the collapsed lighting section.
    desktop->Click(window + QPoint(100, 159));
    QPoint dialog;
    ASSERT_TRUE(desktop->FindWindow(QStringLiteral("宏管理器"), dialog));
    desktop->Click(dialog + QPoint(40, 378));   // 新建
    desktop->Click(dialog + QPoint(320, 110));  // 开始录制
    desktop->Type(QStringLiteral("a"));
    desktop->Type(QStringLiteral("b"));
    desktop->Click(dialog + QPoint(320, 110));  // 停止录制
    desktop->Screenshot(folder / "recorded.png");
    desktop->Click(dialog + QPoint(300, 410));  // 确定

    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] { return std::filesystem::exists(folder / "data" / "MacroDefine.bin"); }, 5000));
    desktop->Click(window + QPoint(950, 620));  // 保存
    const std::vector<std::uint8_t> expected{0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x01, 0x05, 0x81, 0x05, 0x00};
    std::vector<std::uint8_t> block;
    EXPECT_TRUE(testing::DesktopSession::WaitFor(
        [&] {
            const auto flash = LoadFlashFile(state);
            if (!flash) {
                return false;
            }
            block.assign(flash->macroBlocks[0].begin(), flash->macroBlocks[0].begin() + 11);
            return block == expected;
        },
        15000));
    EXPECT_EQ(block, expected);
    if (const char* keep = std::getenv("SOLVANE_E2E_KEEP")) {
        std::filesystem::copy_file(folder / "recorded.png", std::filesystem::path(keep) / "macro-manager.png",
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

}  // namespace
}  // namespace solvane
