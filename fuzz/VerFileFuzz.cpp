// VER.bin beside the program: the firmware version the program expects.
#include <algorithm>

#include "FuzzSupport.h"
#include "app/FirmwareCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace solvane;
    using namespace solvane::fuzz;
    const std::span input(data, size);
    const auto path = Scratch().Write(ver_file::kFileName, input);
    const FirmwareVersion loaded = LoadDriverVersion(path);
    // Only the first 12 bytes count, whatever follows them.
    const auto head = input.first(std::min(size, ver_file::kSize));
    FUZZ_REQUIRE(loaded == DriverVersionFromBytes(head), "the file gives the version of its bytes");
    const auto digit = [&](std::size_t at) {
        return at < head.size() ? static_cast<std::uint8_t>(head[at] - '0') : std::uint8_t{0};
    };
    FUZZ_REQUIRE(loaded.major == digit(ver_file::kMajorDigit) && loaded.minor == digit(ver_file::kMinorDigit),
                 "the version is read from its two digits");
    // The update question is a strict order: never for the same version, and never both ways.
    FUZZ_REQUIRE(!FirmwareUpdateOffered(loaded, loaded), "the same version needs no update");
    const FirmwareVersion other{digit(0), digit(1)};
    FUZZ_REQUIRE(!(FirmwareUpdateOffered(loaded, other) && FirmwareUpdateOffered(other, loaded)),
                 "an update is offered one way at most");
    return 0;
}
