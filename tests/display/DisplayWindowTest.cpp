#include "DisplayTestSupport.h"
#include "TestSupport.h"

#include <cor/DisplayManager.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

// The window as the X server sees it. This program holds this one test only: it finds
// its windows by the program's name, so no other test may open windows beside it.

namespace
{

cor::DisplayManager& display()
{
    return cor::DisplayManager::instance();
}

// The number after label in text, or -1.
long numberAfter(const std::string& text, const std::string& label)
{
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(label + "\\s*(-?[0-9]+)")))
        return -1;
    return std::stol(match[1].str());
}

// The hexadecimal fields of a property as xprop prints it ("NAME(TYPE) = 0x3, 0xc, ...").
std::vector<unsigned long> hexFields(const std::string& text)
{
    std::vector<unsigned long> fields;
    const std::regex hex("0x[0-9a-fA-F]+");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), hex);
         it != std::sregex_iterator(); ++it)
        fields.push_back(std::stoul(it->str(), nullptr, 16));
    return fields;
}

TEST(DisplayWindow, OneFixedSizeTitledWindowWithoutCloseOrResize)
{
    testsupport::TempDir dir;
    testsupport::copyRunDirectory(dir.path());
    const std::string title = cor::DEFAULT_TITLE;

    // A start that fails for want of a font leaves no window behind.
    std::filesystem::rename(dir / cor::DEFAULT_FONT_FILE, dir / "font-away.ttf");
    ASSERT_EQ(display().initialize(), -1);
    EXPECT_TRUE(displaytest::waitForWindowsOfThisProgram(title, 0).empty());
    std::filesystem::rename(dir / "font-away.ttf", dir / cor::DEFAULT_FONT_FILE);

    ASSERT_EQ(display().initialize(), 0);
    ASSERT_EQ(display().initialize(), 0);
    const std::vector<std::string> windows = displaytest::waitForWindowsOfThisProgram(title, 1);
    ASSERT_EQ(windows.size(), 1u) << "two starts open one window";
    const std::string& id = windows.front();

    EXPECT_EQ(displaytest::runXTool("xdotool", {"getwindowname", id}), title + "\n");
    const std::string info = displaytest::runXTool("xwininfo", {"-id", id});
    EXPECT_EQ(numberAfter(info, "Width:"), display().pixelWidth());
    EXPECT_EQ(numberAfter(info, "Height:"), display().pixelHeight());
    EXPECT_NE(info.find("IsViewable"), std::string::npos);

    // The window manager is told the window cannot be resized...
    const std::string sizeHints = displaytest::runXTool("xprop", {"-id", id, "WM_NORMAL_HINTS"});
    EXPECT_EQ(numberAfter(sizeHints, "minimum size:"), display().pixelWidth());
    EXPECT_EQ(numberAfter(sizeHints, "maximum size:"), display().pixelWidth());
    EXPECT_EQ(numberAfter(sizeHints, "by"), display().pixelHeight());
    // ...and, through the Motif hints (flags, functions, decorations), that it has a title
    // bar but neither a close button nor a resize border.
    const std::vector<unsigned long> motif =
        hexFields(displaytest::runXTool("xprop", {"-id", id, "_MOTIF_WM_HINTS"}));
    ASSERT_GE(motif.size(), 3u);
    const unsigned long allExceptListed = 0x1;
    const unsigned long functionResize = 0x2;
    const unsigned long functionClose = 0x20;
    const unsigned long decorationTitle = 0x8;
    const unsigned long decorationResizeHandles = 0x4;
    EXPECT_EQ(motif[1] & (allExceptListed | functionResize | functionClose), 0u);
    EXPECT_NE(motif[2] & decorationTitle, 0u);
    EXPECT_EQ(motif[2] & (allExceptListed | decorationResizeHandles), 0u);

    display().shutdown();
    EXPECT_TRUE(displaytest::waitForWindowsOfThisProgram(title, 0).empty())
        << "shutdown closes the window";
}

} // namespace
