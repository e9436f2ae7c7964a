// One program per user: a second start is refused while the first runs, and a lock left by a
// program that crashed does not block the next start.
#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

namespace rpanel {
namespace {

using Result = SingleInstance::Result;

TEST(SingleInstanceTest, SecondStartIsRefusedWhileTheFirstRunsAndNoRuntimeDirectoryMeansNoGuard) {
    QTemporaryDir runtime;
    auto first = std::make_unique<SingleInstance>(runtime.path());
    ASSERT_EQ(first->Acquire(), Result::Acquired);
    EXPECT_TRUE(first->LockPath().endsWith("/OEM2-PROGRAM"));

    EXPECT_EQ(SingleInstance(runtime.path()).Acquire(), Result::HeldElsewhere);

    first.reset();
    EXPECT_EQ(SingleInstance(runtime.path()).Acquire(), Result::Acquired);

    // Without a runtime directory the program runs unguarded.
    EXPECT_EQ(SingleInstance(QString()).Acquire(), Result::Unavailable);
    EXPECT_EQ(SingleInstance(runtime.filePath("missing")).Acquire(), Result::Unavailable);
}

TEST(SingleInstanceTest, LockOfACrashedProgramIsTakenOver) {
    QTemporaryDir runtime;
    // A child takes the lock and dies without releasing it, as a crash would leave it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance crashing(runtime.path());
        _exit(crashing.Acquire() == Result::Acquired ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(runtime.filePath("OEM2-PROGRAM")));

    EXPECT_EQ(SingleInstance(runtime.path()).Acquire(), Result::Acquired);
}

}  // namespace
}  // namespace rpanel
