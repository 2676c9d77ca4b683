// The keyboard's replies and input reports: every sequence the program runs, and the command
// line on top of them, against a keyboard that answers with the fuzzer's bytes.
#include <algorithm>
#include <numeric>
#include <sstream>

#include "FuzzFixtures.h"
#include "FuzzSupport.h"
#include "FuzzedKeyboard.h"
#include "cli/Cli.h"
#include "link/Sequences.h"
#include "sim/VirtualKeyboard.h"

namespace solvane::fuzz {
namespace {

enum class Sequence { ReadBack, Write, FactoryReset, Read };

Status Run(Sequence sequence, KeyboardLink& link, DeviceImage& image) {
    FirmwareVersion firmware;
    switch (sequence) {
        case Sequence::ReadBack:
            return ReadBackWorker(link, image, firmware);
        case Sequence::Write:
            return WriteAll(link, image);
        case Sequence::FactoryReset:
            return FactoryResetSequence(link);
        case Sequence::Read:
            return ReadAll(link, image);
    }
    return Status::Ok();
}

// The pauses of a sequence that goes through on a well-behaved keyboard.
std::vector<int> NominalPauses(Sequence sequence) {
    VirtualKeyboardOptions options;
    options.waitForTimeout = nullptr;
    VirtualKeyboard keyboard(options);
    std::vector<int> pauses;
    KeyboardLink link(keyboard, [&](int ms) { pauses.push_back(ms); });
    FUZZ_REQUIRE(link.FindKeyboardPath() && link.OpenKeyboard(), "the virtual keyboard connects");
    DeviceImage image;
    FUZZ_REQUIRE(Run(sequence, link, image).ok(), "the virtual keyboard takes every sequence");
    return pauses;
}

const std::vector<int>& Nominal(Sequence sequence) {
    static const std::vector<int> readBack = NominalPauses(Sequence::ReadBack);
    static const std::vector<int> write = NominalPauses(Sequence::Write);
    static const std::vector<int> reset = NominalPauses(Sequence::FactoryReset);
    static const std::vector<int> read = NominalPauses(Sequence::Read);
    switch (sequence) {
        case Sequence::ReadBack:
            return readBack;
        case Sequence::Write:
            return write;
        case Sequence::FactoryReset:
            return reset;
        case Sequence::Read:
            break;
    }
    return read;
}

void RunAndCheck(Sequence sequence, FuzzedKeyboard& keyboard, KeyboardLink& link,
                 std::vector<int>& pauses, DeviceImage& image) {
    keyboard.ResetCounts();
    pauses.clear();
    const DeviceImage before = image;
    const Status status = Run(sequence, link, image);

    // A sequence ends at the first failure and says why; it succeeds only when nothing failed.
    FUZZ_REQUIRE(status.ok() == (keyboard.failures() == 0), "success means every call went through");
    FUZZ_REQUIRE(keyboard.callsAfterFailure() == 0, "nothing is tried after a failure");
    FUZZ_REQUIRE(keyboard.timeouts() <= 1, "at most one read time-out is waited for");
    if (!status.ok()) {
        FUZZ_REQUIRE(!status.message().empty(), "a failure says what failed");
        FUZZ_REQUIRE(status.code() == ErrorCode::Disconnected || status.code() == ErrorCode::Timeout,
                     "a failure is a lost keyboard or a time-out");
    }
    // It waits no longer than on a good keyboard: its pauses are the good run's, cut short.
    const auto& nominal = Nominal(sequence);
    FUZZ_REQUIRE(pauses.size() <= nominal.size() &&
                     std::equal(pauses.begin(), pauses.end(), nominal.begin()),
                 "the pauses are those of a good run, cut short");
    if (status.ok()) {
        FUZZ_REQUIRE(pauses.size() == nominal.size(), "a run that went through paused every pause");
    }

    // Whatever the keyboard answers, the bytes it does not transfer stay as they were.
    DeviceImage expected = before;
    expected.TakeTransferableFields(image);
    if (sequence == Sequence::Write) {
        // Writing only applies the Windows-key lock to the key enable bitmap.
        FUZZ_REQUIRE(std::equal(image.keyMapBlock().begin(), image.keyMapBlock().end(),
                                before.keyMapBlock().begin()),
                     "writing leaves the key map");
    }
    FUZZ_REQUIRE(image == expected, "only transferable fields change");
}

// solvane-cli on the same keyboard: it ends, and a failure is an exit status and a message.
void RunCommandLine(std::span<const std::uint8_t> bytes, const char* command) {
    CliEnvironment environment;
    std::size_t timeouts = 0;
    environment.pause = [](int) {};
    environment.readTimeoutWait = [&](int) { ++timeouts; };
    environment.hardware = [bytes] { return std::make_unique<FuzzedKeyboard>(bytes); };
    const auto dataDir = Scratch().path() / "data";
    std::error_code ignored;
    std::filesystem::remove_all(dataDir, ignored);
    const std::vector<std::string> arguments{"--data-dir", dataDir.string(), command};
    std::ostringstream out;
    std::ostringstream err;
    const int status = solvane::RunCli(arguments, out, err, environment);
    FUZZ_REQUIRE(status == 0 || status == 1, "the command line ends with success or failure");
    FUZZ_REQUIRE(status == 0 ? !out.str().empty() : !err.str().empty(), "the command line says what happened");
}

}  // namespace
}  // namespace solvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace solvane;
    using namespace solvane::fuzz;
    const std::span input(data, size);
    FuzzedKeyboard keyboard(input);
    std::vector<int> pauses;
    KeyboardLink link(keyboard, [&](int ms) { pauses.push_back(ms); });
    FUZZ_REQUIRE(link.FindKeyboardPath() && link.OpenKeyboard(), "the keyboard's interface is found");

    // What the program runs in a session: the read-back, a save, a factory reset and its read.
    DeviceImage image = PatternedImage(0x21);
    for (const auto sequence : {Sequence::ReadBack, Sequence::Write, Sequence::FactoryReset, Sequence::Read}) {
        RunAndCheck(sequence, keyboard, link, pauses, image);
    }
    RunCommandLine(input, "info");
    RunCommandLine(input, "read");
    return 0;
}
