// What the display manager puts into the window, read back pixel by pixel. The game's colours,
// alignments and glyphs show on its screens in the end-to-end run, whose reader compares every
// cell with the glyphs of SFML's own text at the size and in the cells the game must use.
#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/InputManager.h>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

using namespace testsupport;

using DisplayTest = EngineFixture;
static cor::DisplayManager& display = cor::DisplayManager::instance();

TEST_F(DisplayTest, ColoursShowAnUndefinedOneWhiteWithAWarningAndAnUnknownAlignmentIsLeft)
{
    const std::pair<cor::Color, sf::Color> colours[] = {{cor::CYAN, sf::Color::Cyan},
                                                        {cor::Color(8), sf::Color::White},
                                                        {cor::Color(-1), sf::Color::White},
                                                        {cor::BLACK, sf::Color::Black}};
    for (std::size_t i = 0; i < std::size(colours); ++i)
        ASSERT_EQ(display.drawCh(cor::Vector(4.0f * float(i), 3), 'M', colours[i].first), 0);
    // A line feed takes a cell of its own.
    ASSERT_EQ(display.drawText(cor::Vector(5, 5), "I\nI", cor::Alignment(7), cor::WHITE), 0);
    const sf::Image picture = windowPicture();
    for (std::size_t i = 0; i < std::size(colours); ++i)
        for (const sf::Color shown : {sf::Color::Cyan, sf::Color::White})
            EXPECT_EQ(pixelsOfColor(picture, 4 * int(i), 3, shown) > 10, shown == colours[i].second)
                << i;
    const std::string warning = "DisplayManager::drawCh(): Warning! Undefined color.\n";
    EXPECT_EQ(log(), warning + warning);
    EXPECT_GT(pixelsOfColor(picture, 7, 5, sf::Color::White), 10);
    EXPECT_EQ(pixelsOfColor(picture, 6, 5, sf::Color::White) +
                  pixelsOfColor(picture, 5, 6, sf::Color::White),
              0);
}

TEST_F(DisplayTest, EachCellPaintsItsBlackBoxWhereItsCellSays)
{
    // Over white, a blank at column 5.5, row 2 leaves its box, and nothing else, black.
    const double left = 5.5 * cellSize(0) + fact("cell_box", 0),
                 top = 2 * cellSize(1) + fact("cell_box", 1);
    display.flush();
    display.window()->draw(sf::RectangleShape(sf::Vector2f(display.window()->getSize())));
    ASSERT_EQ(display.drawCh(cor::Vector(5.5f, 2), ' ', cor::WHITE), 0);
    const sf::Image picture = windowPicture();
    int wrong = 0;
    for (unsigned y = 0; y < 120; ++y)
        for (unsigned x = 0; x < 120; ++x) // a pixel is covered when its centre is
            wrong += (pixelAt(picture, x, y) == sf::Color::Black) !=
                     (x + 0.5 >= left && x + 0.5 < left + fact("cell_box", 2) && y + 0.5 >= top &&
                      y + 0.5 < top + fact("cell_box", 3));
    EXPECT_EQ(wrong, 0);
}

TEST_F(DisplayTest, ASecondStartKeepsTheWindowAndWithoutOneInputCannotStartNorACellBeDrawn)
{
    const sf::RenderWindow* window = display.window();
    EXPECT_TRUE(display.initialize() == 0 && display.window() == window);
    cor::InputManager::instance().shutdown();
    display.shutdown();
    EXPECT_EQ(cor::InputManager::instance().initialize(), -1);
    writeFile(cor::DEFAULT_FONT_FILE, "not a TrueType font\n");
    EXPECT_TRUE(display.initialize() == -1 && display.window() == nullptr);
    EXPECT_EQ(display.drawCh(cor::Vector(1, 1), 'x', cor::WHITE), -1);
}
