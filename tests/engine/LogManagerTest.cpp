#include "TestSupport.h"

#include <cor/LogManager.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::readFile;
using testsupport::TempDir;

namespace
{

class LogManagerTest : public ::testing::Test
{
protected:
    void TearDown() override { cor::LogManager::instance().shutdown(); }
    TempDir dir;
};

} // namespace

TEST_F(LogManagerTest, StartEmptiesAnEarlierLogAndWritesExactlyWhatIsFormatted)
{
    testsupport::writeFile("corvane.log", "left over from an earlier run\n");
    cor::LogManager& log = cor::LogManager::instance();
    ASSERT_EQ(log.initialize(), 0);
    EXPECT_TRUE(log.hasStarted());
    EXPECT_EQ(log.typeName(), "LogManager");

    const int written = log.logMessage("value %d and %s", 42, "text");
    EXPECT_EQ(written, static_cast<int>(std::string("value 42 and text").size()));
    log.logMessage(" continues the line\n");
    log.logMessage("%s\n", "100% exact");
    log.shutdown();

    EXPECT_EQ(readFile("corvane.log"), "value 42 and text continues the line\n100% exact\n");
}

TEST_F(LogManagerTest, MessagesOutsideAStartedLogAreDroppedWithMinusOne)
{
    cor::LogManager& log = cor::LogManager::instance();
    EXPECT_EQ(log.logMessage("before start\n"), -1);
    ASSERT_EQ(log.initialize(), 0);
    log.logMessage("kept\n");
    log.shutdown();
    EXPECT_FALSE(log.hasStarted());
    EXPECT_EQ(log.logMessage("after stop\n"), -1);
    EXPECT_EQ(readFile("corvane.log"), "kept\n");
}

TEST_F(LogManagerTest, FlushEachMessageMakesEveryMessageVisibleAtOnce)
{
    cor::LogManager& log = cor::LogManager::instance();
    ASSERT_EQ(log.initialize(), 0);
    log.setFlushEachMessage(true);
    log.logMessage("first\n");
    EXPECT_EQ(readFile("corvane.log"), "first\n");
    log.setFlushEachMessage(false);
}

TEST_F(LogManagerTest, StartFailsWhenTheFileCannotBeCreated)
{
    // A directory standing where the file should be.
    std::filesystem::create_directory("corvane.log");
    cor::LogManager& log = cor::LogManager::instance();
    EXPECT_EQ(log.initialize(), -1);
    EXPECT_FALSE(log.hasStarted());
    EXPECT_EQ(log.logMessage("nowhere to go\n"), -1);
}

TEST_F(LogManagerTest, StartFailsInAReadOnlyWorkingDirectory)
{
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    // Root writes anywhere, so the check runs as an unprivileged user in a child process.
    const pid_t child = fork();
    if (child == 0)
    {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        const int result = cor::LogManager::instance().initialize();
        _exit(result == -1 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists("corvane.log"));
}
