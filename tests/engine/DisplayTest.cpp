// What the display manager puts into the window, read back cell by cell.
#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/InputManager.h>

using namespace testsupport;

namespace
{

class DisplayTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        display.presentFrame(); // a new window's content is undefined
    }
    cor::DisplayManager& display = cor::DisplayManager::instance();
};

} // namespace

TEST_F(DisplayTest, EachColourShowsInItsCellAndAnUndefinedOneAsWhiteWithAWarningPerCall)
{
    // clang-format off
    const std::pair<cor::Color, sf::Color> colours[] = {
        {cor::RED, sf::Color::Red}, {cor::GREEN, sf::Color::Green}, {cor::YELLOW, sf::Color::Yellow},
        {cor::BLUE, sf::Color::Blue}, {cor::MAGENTA, sf::Color::Magenta}, {cor::CYAN, sf::Color::Cyan},
        {cor::WHITE, sf::Color::White}, {cor::Color(8), sf::Color::White}, {cor::Color(-1), sf::Color::White},
        {cor::BLACK, sf::Color::Black}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(colours); ++i)
        ASSERT_EQ(display.drawCh(cor::Vector(4.0f * float(i), 3), 'M', colours[i].first), 0);
    const sf::Image image = captureFrame();
    for (std::size_t i = 0; i < std::size(colours); ++i)
        for (const auto& [other, shown] : colours)
            EXPECT_TRUE(shown == sf::Color::Black || (pixelsOfColor(image, 4 * int(i), 3, shown) >
                                                      10) == (shown == colours[i].second))
                << i << " as " << other;
    const std::string warning = "DisplayManager::drawCh(): Warning! Undefined color.\n";
    EXPECT_EQ(log(), warning + warning);
}

TEST_F(DisplayTest, ASpaceErasesItsBoxAndALineFeedTakesACell)
{
    display.drawCh(cor::Vector(33, 11), 'M', cor::YELLOW);
    ASSERT_GT(pixelsOfColor(captureFrame(), 33, 11, sf::Color::Yellow), 10);
    display.drawCh(cor::Vector(33, 11), ' ', cor::YELLOW);
    EXPECT_EQ(pixelsOfColor(captureFrame(), 33, 11, sf::Color::Yellow), 0);

    ASSERT_EQ(display.drawText(cor::Vector(5, 5), "I\nI", cor::ALIGN_LEFT, cor::WHITE), 0);
    const sf::Image image = captureFrame();
    EXPECT_GT(pixelsOfColor(image, 7, 5, sf::Color::White), 10);
    EXPECT_EQ(pixelsOfColor(image, 6, 5, sf::Color::White), 0);
    EXPECT_EQ(pixelsOfColor(image, 5, 6, sf::Color::White), 0);
}

TEST_F(DisplayTest, TextStartsWhereItsAlignmentPutsIt)
{
    // "IIII" drawn from column 20, and the column its first letter should stand in.
    const std::pair<cor::Alignment, int> cases[] = {{cor::ALIGN_LEFT, 20},
                                                    {cor::ALIGN_CENTER, 18},
                                                    {cor::ALIGN_RIGHT, 16},
                                                    {cor::Alignment(7), 20}};
    for (const auto& [alignment, first] : cases)
    {
        display.presentFrame();
        ASSERT_EQ(display.drawText(cor::Vector(20, 6), "IIII", alignment, cor::GREEN), 0);
        const sf::Image image = captureFrame();
        for (int column = 14; column < 26; ++column)
            EXPECT_EQ(pixelsOfColor(image, column, 6, sf::Color::Green) > 0,
                      column >= first && column < first + 4)
                << "alignment " << alignment << ", column " << column;
    }
}

TEST_F(DisplayTest, AnUnreadableFontFailsTheStart)
{
    cor::InputManager::instance().shutdown();
    display.shutdown();
    writeFile(cor::DEFAULT_FONT_FILE, "not a TrueType font\n");
    EXPECT_EQ(display.initialize(), -1);
    EXPECT_EQ(display.window(), nullptr);
}
