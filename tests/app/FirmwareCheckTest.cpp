#include <gtest/gtest.h>

#include "app/FirmwareCheck.h"
#include "common/AtomicFile.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

TEST(FirmwareCheckTest, OffersTheUpdateOnlyForOlderFirmware) {
    struct Case {
        FirmwareVersion driver;
        FirmwareVersion firmware;
        bool offered;
    };
    const Case cases[] = {
        {{1, 2}, {1, 1}, true},  {{1, 2}, {1, 2}, false}, {{1, 2}, {1, 3}, false},
        {{1, 2}, {2, 0}, false}, {{1, 2}, {0, 9}, true},  {{0, 0}, {0, 0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirmwareUpdateOffered(c.driver, c.firmware), c.offered)
            << int{c.firmware.major} << "." << int{c.firmware.minor};
    }
}

TEST(FirmwareCheckTest, VerFileDigitsAtBytesFiveAndSeven) {
    testing::TempFolder folder;
    const auto path = folder / "VER.bin";
    const std::string text = "V1.0.1.2.000";  // bytes 5 and 7 are '1' and '2'
    ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end())));
    EXPECT_EQ(LoadDriverVersion(path), (FirmwareVersion{1, 2}));
    EXPECT_EQ(LoadDriverVersion(folder / "missing.bin"), (FirmwareVersion{0, 0}));

    // A byte below '0' wraps to a large major number, so the update is always offered.
    std::vector<std::uint8_t> low(12, '0');
    low[5] = 0x2F;
    const auto wrapped = DriverVersionFromBytes(low);
    EXPECT_EQ(wrapped.major, 255);
    EXPECT_TRUE(FirmwareUpdateOffered(wrapped, {9, 9}));
    // A truncated file gives nothing for the digits it does not hold.
    EXPECT_EQ(DriverVersionFromBytes(std::vector<std::uint8_t>(6, '3')), (FirmwareVersion{3, 0}));
}

}  // namespace
}  // namespace solvane
