#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/LogManager.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{

// A fresh working directory with the run directory's files and the log started; the display
// is started by each test itself.
class DisplayLifecycle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::copyRunDirectory(m_dir.path());
        ASSERT_EQ(cor::LogManager::instance().initialize(), 0);
    }

    void TearDown() override
    {
        display().shutdown();
        cor::LogManager::instance().shutdown();
    }

    static cor::DisplayManager& display() { return cor::DisplayManager::instance(); }

    // Every way of drawing refuses, and nothing reaches the log (not even the colour warning,
    // which would show that a cell was being drawn).
    void expectNothingDrawn()
    {
        EXPECT_EQ(display().window(), nullptr);
        EXPECT_EQ(display().drawCh(cor::Vector(1, 1), 'x', cor::WHITE), -1);
        EXPECT_EQ(display().drawCh(cor::Vector(1, 1), 'x', static_cast<cor::Color>(8)), -1);
        EXPECT_EQ(display().drawText(cor::Vector(1, 1), "abc", cor::ALIGN_LEFT,
                                     static_cast<cor::Color>(-1)),
                  -1);
        EXPECT_EQ(display().drawText(cor::Vector(1, 1), "", cor::ALIGN_LEFT, cor::WHITE), 0);
        display().presentFrame();
    }

    std::string closeLog()
    {
        cor::LogManager::instance().shutdown();
        return testsupport::readFile(m_dir / cor::DEFAULT_LOG_FILE);
    }

    testsupport::TempDir m_dir;
};

TEST_F(DisplayLifecycle, NothingIsDrawnBeforeInitializeOrAfterShutdown)
{
    EXPECT_FALSE(display().hasStarted());
    expectNothingDrawn();

    ASSERT_EQ(display().initialize(), 0);
    EXPECT_TRUE(display().hasStarted());
    EXPECT_EQ(display().drawCh(cor::Vector(1, 1), 'x', cor::WHITE), 0);
    display().shutdown();
    EXPECT_FALSE(display().hasStarted());
    expectNothingDrawn();

    EXPECT_EQ(closeLog(), "");
}

TEST_F(DisplayLifecycle, SecondInitializeKeepsTheWindowAndFont)
{
    ASSERT_EQ(display().initialize(), 0);
    sf::RenderWindow* const first = display().window();
    ASSERT_NE(first, nullptr);

    // Without the font file a real second start would fail: this one must not look for it.
    std::filesystem::remove(m_dir / cor::DEFAULT_FONT_FILE);
    EXPECT_EQ(display().initialize(), 0);
    EXPECT_EQ(display().window(), first);
    EXPECT_TRUE(display().hasStarted());
    EXPECT_EQ(display().drawText(cor::Vector(3, 3), "still drawn", cor::ALIGN_LEFT, cor::RED), 0);
}

TEST_F(DisplayLifecycle, MissingFontFailsWithoutLeavingAHalfStartedDisplay)
{
    std::filesystem::remove(m_dir / cor::DEFAULT_FONT_FILE);
    EXPECT_EQ(display().initialize(), -1);
    EXPECT_FALSE(display().hasStarted());
    EXPECT_EQ(display().window(), nullptr);
    EXPECT_EQ(display().drawCh(cor::Vector(0, 0), 'x', cor::WHITE), -1);

    // Once the font is there, starting again really starts the display.
    std::filesystem::copy_file(std::filesystem::path(HALVREN_RUN_DIR) / cor::DEFAULT_FONT_FILE,
                               m_dir / cor::DEFAULT_FONT_FILE);
    EXPECT_EQ(display().initialize(), 0);
    EXPECT_TRUE(display().hasStarted());
    EXPECT_NE(display().window(), nullptr);
    EXPECT_EQ(closeLog(), "") << "a missing font is reported only by the result";
}

TEST_F(DisplayLifecycle, AnUnreadableFontFails)
{
    testsupport::writeFile(m_dir / cor::DEFAULT_FONT_FILE, "not a TrueType font\n");
    EXPECT_EQ(display().initialize(), -1);
    EXPECT_FALSE(display().hasStarted());
    EXPECT_EQ(display().window(), nullptr);
}

TEST_F(DisplayLifecycle, DrawingWorksAgainAfterARestart)
{
    ASSERT_EQ(display().initialize(), 0);
    EXPECT_EQ(display().drawCh(cor::Vector(2, 2), 'a', cor::BLUE), 0);
    display().shutdown();
    ASSERT_EQ(display().initialize(), 0);
    EXPECT_EQ(display().drawCh(cor::Vector(2, 2), 'a', cor::BLUE), 0);
}

} // namespace
