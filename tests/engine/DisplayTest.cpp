// What the display manager puts into the window, read back cell by cell; the game's colours and
// alignments show on its screens in the end-to-end run.
#include "TestSupport.h"
#include "sfml/SfmlCompat.h"

#include <cor/DisplayManager.h>
#include <cor/InputManager.h>

#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>
#include <cmath>

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

// The batched cells against the same screen drawn one sf::RectangleShape and one sf::Text per
// cell, so that an SFML whose text layout differs from the batch's shows here.
TEST_F(DisplayTest, AScreenOfCellsLooksAsSfmlsOwnTextAndBoxesDrawIt)
{
    const std::pair<cor::Color, sf::Color> colours[] = {
        {cor::RED, sf::Color::Red},         {cor::GREEN, sf::Color::Green},
        {cor::YELLOW, sf::Color::Yellow},   {cor::BLUE, sf::Color::Blue},
        {cor::MAGENTA, sf::Color::Magenta}, {cor::CYAN, sf::Color::Cyan},
        {cor::WHITE, sf::Color::White}};
    const std::string characters = "@#O.gjqyW%$&|_ ~Mi";
    const auto cellAt = [&](int column, int row)
    {
        const std::size_t i = std::size_t(column * 7 + row * 3);
        return std::make_pair(characters[i % characters.size()],
                              colours[(i / characters.size() + std::size_t(row)) % 7]);
    };
    for (int row = 0; row < display.cellRows(); ++row)
        for (int column = 0; column < display.cellColumns(); ++column)
            ASSERT_EQ(display.drawCh(cor::Vector(float(column), float(row)),
                                     cellAt(column, row).first, cellAt(column, row).second.first),
                      0);
    const sf::Image batched = captureWindow();
    display.presentFrame();

    sf::Font font;
    ASSERT_TRUE(cor::sfml::openFont(font, cor::DEFAULT_FONT_FILE));
    sf::Text text = cor::sfml::makeText(font);
    text.setStyle(sf::Text::Bold);
    const float width = display.cellWidth(), height = display.cellHeight();
    text.setCharacterSize(unsigned(2 * std::min(width, height)));
    sf::RectangleShape box(sf::Vector2f(width, height - 1));
    box.setFillColor(sf::Color::Black);
    sf::RenderWindow& window = *display.window();
    for (int row = 0; row < display.cellRows(); ++row)
        for (int column = 0; column < display.cellColumns(); ++column)
        {
            const sf::Vector2f corner(float(column) * width, float(row) * height);
            box.setPosition(corner + sf::Vector2f(width / 10, height / 5));
            window.draw(box);
            text.setString(std::string(1, cellAt(column, row).first));
            text.setFillColor(cellAt(column, row).second.second);
            text.setPosition(corner);
            window.draw(text);
        }
    const sf::Image byShapes = captureWindow();

    int worst = 0, lit = 0;
    for (unsigned y = 0; y < unsigned(display.pixelHeight()); ++y)
        for (unsigned x = 0; x < unsigned(display.pixelWidth()); ++x)
        {
            const sf::Color a = pixelAt(batched, x, y), b = pixelAt(byShapes, x, y);
            worst =
                std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            lit += a != sf::Color::Black;
        }
    EXPECT_LE(worst, 4);
    EXPECT_GT(lit, display.pixelWidth() * display.pixelHeight() / 20); // not two black screens
}
