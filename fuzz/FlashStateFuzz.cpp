// The virtual keyboard's state file (--simulate=FILE), which the user may hand over from
// anywhere.
#include <algorithm>

#include "FuzzSupport.h"
#include "sim/KeyboardFlash.h"
#include "sim/VirtualKeyboard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace solvane;
    using namespace solvane::fuzz;
    const std::span input(data, size);
    const auto loaded = DeserializeFlash(input);
    if (loaded.ok()) {
        const auto again = SerializeFlash(loaded.value());
        FUZZ_REQUIRE(std::equal(again.begin(), again.end(), input.begin(), input.end()),
                     "an accepted state file saves back byte for byte");
    } else {
        FUZZ_REQUIRE(!loaded.status().message().empty(), "a refused state file says why");
    }

    // The keyboard starts from the file when it takes it, from the factory state otherwise.
    const auto path = Scratch().Write("kb.state", input);
    VirtualKeyboardOptions options;
    options.stateFile = path;
    options.waitForTimeout = nullptr;
    VirtualKeyboard keyboard(options);
    FUZZ_REQUIRE(keyboard.stateFileStatus().ok() == loaded.ok(), "the keyboard takes what the loader takes");
    FUZZ_REQUIRE(keyboard.flash() == (loaded.ok() ? loaded.value() : FactoryFlash(FactoryKeyMap)),
                 "the keyboard starts from the file or from the factory state");
    return 0;
}
