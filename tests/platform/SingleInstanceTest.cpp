#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/SingleInstance.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

// Whether a separate process can take the lock (flock is per open file, so a second process
// is the honest test).
bool AnotherProcessAcquires(const std::filesystem::path& folder) {
    const pid_t child = ::fork();
    if (child == 0) {
        SingleInstance other(folder);
        ::_exit(other.acquired() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SingleInstanceTest, OnlyOneProcessHoldsTheLockUntilItEnds) {
    testing::TempFolder folder;
    {
        SingleInstance first(folder.path());
        ASSERT_TRUE(first.acquired());
        EXPECT_EQ(first.lockPath().filename(), "solvane {57D1171D-1a34-0804-8A3A-65ABA2150002}.lock");
        EXPECT_FALSE(AnotherProcessAcquires(folder.path()));
    }
    EXPECT_TRUE(AnotherProcessAcquires(folder.path()));
}

}  // namespace
}  // namespace solvane
