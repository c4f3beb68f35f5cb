// What each state shows, read back from the window. A screen is compared pixel for pixel with
// a reference drawn cell by cell from the expected texts, colours and map cells.
#include "GameSession.h"

#include <BoardVisibility.h>

#include <cor/DisplayManager.h>
#include <cor/SfmlAdapter.h>

#include <optional>

namespace gametest
{
namespace
{

constexpr int LEVEL_COUNT_SHOWN = 5;

struct Placed
{
    std::string text;
    float column; // of the first character
    float row;
    cor::Color colour;
};

Placed centred(const std::string& text, float column, float row, cor::Color colour)
{
    return {text, column - static_cast<float>(text.size()) * 0.5f, row, colour};
}

Placed leftFrom(const std::string& text, float column, float row, cor::Color colour)
{
    return {text, column, row, colour};
}

Placed rightBefore(const std::string& text, float column, float row, cor::Color colour)
{
    return {text, column - static_cast<float>(text.size()), row, colour};
}

// Everything one screen should show, in drawing order.
struct Screen
{
    std::vector<Placed> cells; // map cells and sprite art, drawn first
    std::vector<Placed> texts;
};

std::vector<Placed> playTexts(int level, int steps, bool pending)
{
    std::vector<Placed> texts = {
        centred("HALVREN", 40, 1, cor::WHITE),
        leftFrom("Level " + std::to_string(level) + "/" + std::to_string(LEVEL_COUNT_SHOWN), 2, 1,
                 cor::WHITE),
        rightBefore("Steps: " + std::to_string(steps), 78, 1, cor::YELLOW),
        centred("RED WORLD", 13, 3, cor::RED),
        centred("BLUE WORLD", 66, 3, cor::BLUE),
        centred("Move: WASD / Arrows   Restart: R   Quit: Q", 40, 19, cor::WHITE),
    };
    if (pending)
        texts.push_back(centred("Level complete! Preparing results...", 40, 22, cor::GREEN));
    else
        texts.push_back(centred("Guide both @ symbols to their O exits", 40, 22, cor::YELLOW));
    return texts;
}

std::vector<Placed> levelCompleteTexts(int level, int steps, bool promptShown)
{
    std::vector<Placed> texts = {
        centred("LEVEL " + std::to_string(level) + " COMPLETE", 40, 6, cor::GREEN),
        centred("Steps: " + std::to_string(steps), 40, 10, cor::YELLOW),
    };
    if (promptShown)
        texts.push_back(centred(level >= 5 ? "Press Enter to view final results"
                                           : "Press Enter for the next level",
                                40, 14, cor::WHITE));
    texts.push_back(centred("R: Replay level    Q: Quit", 40, 17, cor::WHITE));
    return texts;
}

// A sprite's first frame centred on the middle of the grid, as the title and quit art are.
std::vector<Placed> centredArt(const SpriteData& sprite, cor::Color colour)
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    const float left = static_cast<float>(display.cellColumns() / 2 - sprite.width / 2);
    const float top = static_cast<float>(display.cellRows() / 2 - sprite.height / 2);
    std::vector<Placed> rows;
    for (int row = 0; row < sprite.height; ++row)
        rows.push_back({sprite.frames.front().substr(static_cast<std::size_t>(row * sprite.width),
                                                     static_cast<std::size_t>(sprite.width)),
                        left, top + static_cast<float>(row), colour});
    return rows;
}

class ScreensTest : public GameSession
{
protected:
    // The map cells of a level with the characters where they stand, by altitude and in the
    // order the maps were read (red map first, row by row).
    std::vector<Placed> mapCells(const TestLevel& level, Cell redAt, Cell blueAt) const
    {
        const auto red = mapRows('R', level.redStart, level.redExit);
        const auto blue = mapRows('B', level.blueStart, level.blueExit);
        std::vector<Placed> cells;
        auto add = [&cells](const std::vector<std::string>& map, float originX, char wanted,
                            char glyph, cor::Color colour)
        {
            for (std::size_t row = 0; row < map.size(); ++row)
                for (std::size_t column = 0; column < map[row].size(); ++column)
                    if (map[row][column] == wanted)
                        cells.push_back({std::string(1, glyph),
                                         originX + static_cast<float>(column),
                                         5.0f + static_cast<float>(row), colour});
        };
        add(red, 4, '#', '#', cor::RED);
        add(blue, 57, '#', '#', cor::BLUE);
        add(red, 4, 'E', 'O', cor::MAGENTA);
        add(blue, 57, 'E', 'O', cor::CYAN);
        cells.push_back({"@", redCell(redAt).x, redCell(redAt).y, cor::RED});
        cells.push_back({"@", blueCell(blueAt).x, blueCell(blueAt).y, cor::BLUE});
        return cells;
    }

    sf::Image reference(const Screen& screen) const
    {
        cor::DisplayManager& display = cor::DisplayManager::instance();
        for (const auto* list : {&screen.cells, &screen.texts})
            for (const Placed& placed : *list)
                for (std::size_t i = 0; i < placed.text.size(); ++i)
                    display.drawCh(cor::Vector(placed.column + static_cast<float>(i), placed.row),
                                   placed.text[i], placed.colour);
        sf::Image image = cor::sfml::captureWindow(*display.window());
        display.presentFrame();
        return image;
    }

    static std::size_t litPixelsInRows(const sf::Image& image, float firstRow, float lastRow,
                                       float firstColumn = 0, float lastColumn = 79)
    {
        const cor::DisplayManager& display = cor::DisplayManager::instance();
        std::size_t lit = 0;
        for (auto y = static_cast<unsigned>(firstRow * display.cellHeight());
             y < static_cast<unsigned>((lastRow + 1) * display.cellHeight()); ++y)
            for (auto x = static_cast<unsigned>(firstColumn * display.cellWidth());
                 x < static_cast<unsigned>((lastColumn + 1) * display.cellWidth()); ++x)
            {
                const sf::Color pixel = cor::sfml::pixelAt(image, x, y);
                if (pixel.r > 0 || pixel.g > 0 || pixel.b > 0)
                    ++lit;
            }
        return lit;
    }

    // The drawn frame must equal the reference, pixel for pixel.
    void expectScreen(const sf::Image& drawn, const Screen& screen)
    {
        const sf::Image expected = reference(screen);
        const cor::DisplayManager& display = cor::DisplayManager::instance();
        std::size_t differing = 0;
        std::optional<std::pair<unsigned, unsigned>> firstDifference;
        for (unsigned y = 0; y < drawn.getSize().y; ++y)
            for (unsigned x = 0; x < drawn.getSize().x; ++x)
                if (cor::sfml::pixelAt(drawn, x, y) != cor::sfml::pixelAt(expected, x, y))
                {
                    ++differing;
                    if (!firstDifference)
                        firstDifference.emplace(x, y);
                }
        if (firstDifference)
            ADD_FAILURE() << differing << " pixels differ from the reference, the first in cell ("
                          << static_cast<float>(firstDifference->first) / display.cellWidth()
                          << ", "
                          << static_cast<float>(firstDifference->second) / display.cellHeight()
                          << ")";

        // A reference that shows nothing would make the comparison empty.
        EXPECT_GT(litPixelsInRows(expected, 0, static_cast<float>(display.cellRows() - 1)), 0u);
    }
};

// The story's and the how-to-play texts, cell by cell with their colours, are the end-to-end
// scenarios' to check; the title's uneven art shows a wrong centre here.
TEST_F(ScreensTest, TitleShowsOnlyItsArtCentredAlsoWhenItComesBack)
{
    start();
    const SpriteData title = worldAndTitleSprites().back();
    ASSERT_EQ(title.label, "halvren-title");
    expectScreen(drawnFrame(), {centredArt(title, cor::WHITE), {}});
    frame({{cor::I}});
    expectScreen(drawnFrame({{cor::ESCAPE}}), {centredArt(title, cor::WHITE), {}});
}

TEST_F(ScreensTest, PlayingFiveLevelsShowsEachScreenOfALevelAndTheResults)
{
    start();
    const TestLevel& first = testLevels()[0];
    expectScreen(drawnFrame({{cor::ENTER}, {cor::ENTER}}),
                 {mapCells(first, first.redStart, first.blueStart), playTexts(1, 0, false)});

    // The pause keeps the maps, with the green message; the move in its first frame is ignored.
    const int wasted = 2;
    solveCurrentLevel(wasted);
    const int steps = wasted + static_cast<int>(first.solution.size());
    expectScreen(drawnFrame({{cor::RIGHT}}),
                 {mapCells(first, first.redExit, first.blueExit), playTexts(1, steps, true)});
    for (int i = 2; i < pauseFrames(); ++i)
        frame();

    // The k-th frame of the level-complete screen shows the prompt while k mod 30 is below 15.
    const float promptRow = 14;
    for (int k = 1; k <= 31; ++k)
    {
        SCOPED_TRACE("frame " + std::to_string(k) + " of the level-complete screen");
        const sf::Image drawn = drawnFrame();
        ASSERT_EQ(m_controller->state(), LevelComplete);
        const bool shown = k % 30 < 15;
        if (k == 1 || k == 15 || k == 30)
            expectScreen(drawn, {{}, levelCompleteTexts(1, steps, shown)});
        EXPECT_EQ(litPixelsInRows(drawn, promptRow, promptRow) > 0, shown);
        // The maps' areas stay dark.
        EXPECT_EQ(litPixelsInRows(drawn, 5, 17, 4, 22), 0u);
        EXPECT_EQ(litPixelsInRows(drawn, 5, 17, 58, 75), 0u);
    }
    // A replay shows the maps again.
    expectScreen(drawnFrame({{cor::R}}),
                 {mapCells(first, first.redStart, first.blueStart), playTexts(1, 0, false)});

    int total = 0;
    for (int n = 1; n <= 5; ++n)
    {
        SCOPED_TRACE("level " + std::to_string(n));
        const TestLevel& level = testLevels()[static_cast<std::size_t>(n - 1)];
        const auto objectsOfLevel = [this]
        { return countOfType("wall") + countOfType("exit") + countOfType("player"); };
        const std::int32_t objects = objectsOfLevel();
        if (n == 3)
        {
            // Twelve moves into the left wall: both characters stay where they started.
            for (int i = 0; i < 11; ++i)
                press(cor::LEFT);
            const sf::Image drawn = drawnFrame({{cor::LEFT}});
            expectScreen(
                drawn, {mapCells(level, level.redStart, level.blueStart), playTexts(3, 12, false)});
        }
        solveCurrentLevel(n == 3 ? 0 : n + 2);
        const int levelSteps = (n == 3 ? 12 : n + 2) + static_cast<int>(level.solution.size());
        total += levelSteps;
        for (int i = 1; i < pauseFrames(); ++i)
            frame();
        // The last level's prompt asks for the final results.
        expectScreen(drawnFrame(), {{}, levelCompleteTexts(n, levelSteps, true)});
        press(cor::ENTER);
        // The old level is gone after the deletion pass; the next one replaced it.
        EXPECT_EQ(objectsOfLevel(), n < 5 ? objects : 0);
    }
    ASSERT_EQ(m_controller->state(), Won);
    EXPECT_EQ(m_controller->redPlayer(), nullptr);
    EXPECT_EQ(m_controller->bluePlayer(), nullptr);
    expectScreen(drawnFrame(),
                 {{},
                  {centred("YOU WIN!", 40, 7, cor::GREEN),
                   centred("All 5 levels completed", 40, 10, cor::WHITE),
                   centred("Total steps: " + std::to_string(total), 40, 12, cor::YELLOW),
                   centred("Press Q to quit", 40, 16, cor::WHITE)}});
}

class QuitScreen : public ScreensTest, public ::testing::WithParamInterface<std::vector<cor::Key>>
{
};

// From the title the art replaces the title's in the same frame; from a level it hides the maps.
TEST_P(QuitScreen, ShowsOnlyTheGameOverArt)
{
    start();
    pressAll(GetParam());
    expectScreen(drawnFrame({{cor::Q}}), {centredArt(gameoverSprite(5, 4), cor::RED), {}});
}

INSTANTIATE_TEST_SUITE_P(FromTitleAndLevel, QuitScreen,
                         ::testing::Values(std::vector<cor::Key>{},
                                           std::vector<cor::Key>{cor::ENTER, cor::ENTER}));

} // namespace
} // namespace gametest
