// What the display manager puts into the window, read back cell by cell. The game's colours,
// alignments and glyphs show on its screens in the end-to-end run, whose reader compares every
// cell with the glyphs of SFML's own text.
#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/InputManager.h>

using namespace testsupport;

using DisplayTest = EngineFixture;
static cor::DisplayManager& display = cor::DisplayManager::instance();

TEST_F(DisplayTest, CyanShowsAndAnUndefinedColourDrawsWhiteWithAWarningPerCall)
{
    const std::pair<cor::Color, sf::Color> colours[] = {{cor::CYAN, sf::Color::Cyan},
                                                        {cor::Color(8), sf::Color::White},
                                                        {cor::Color(-1), sf::Color::White},
                                                        {cor::BLACK, sf::Color::Black}};
    for (std::size_t i = 0; i < std::size(colours); ++i)
        ASSERT_EQ(display.drawCh(cor::Vector(4.0f * float(i), 3), 'M', colours[i].first), 0);
    for (std::size_t i = 0; i < std::size(colours); ++i)
        for (const sf::Color shown : {sf::Color::Cyan, sf::Color::White})
            EXPECT_EQ(pixelsOfColor(4 * int(i), 3, shown) > 10, shown == colours[i].second) << i;
    const std::string warning = "DisplayManager::drawCh(): Warning! Undefined color.\n";
    EXPECT_EQ(log(), warning + warning);
}

TEST_F(DisplayTest, ASpaceErasesItsBoxALineFeedTakesACellAndAnUnknownAlignmentIsLeft)
{
    display.drawCh(cor::Vector(33, 11), 'M', cor::YELLOW);
    ASSERT_GT(pixelsOfColor(33, 11, sf::Color::Yellow), 10);
    display.drawCh(cor::Vector(33, 11), ' ', cor::YELLOW);
    EXPECT_EQ(pixelsOfColor(33, 11, sf::Color::Yellow), 0);

    // An alignment the display does not know puts the text where ALIGN_LEFT would.
    ASSERT_EQ(display.drawText(cor::Vector(5, 5), "I\nI", cor::Alignment(7), cor::WHITE), 0);
    EXPECT_GT(pixelsOfColor(7, 5, sf::Color::White), 10);
    EXPECT_EQ(pixelsOfColor(6, 5, sf::Color::White), 0);
    EXPECT_EQ(pixelsOfColor(5, 6, sf::Color::White), 0);
}

TEST_F(DisplayTest, AnUnreadableFontFailsTheStart)
{
    cor::InputManager::instance().shutdown();
    display.shutdown();
    writeFile(cor::DEFAULT_FONT_FILE, "not a TrueType font\n");
    EXPECT_EQ(display.initialize(), -1);
    EXPECT_EQ(display.window(), nullptr);
}
