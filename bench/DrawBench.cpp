// A full screen of cells drawn one drawCh at a time, against the same picture built by hand
// into one vertex array and drawn in one call.
#include "BenchGame.h"
#include "CellBatch.h"
#include "sfml/SfmlCompat.h"

#include <cor/Color.h>
#include <cor/DisplayManager.h>
#include <cor/Vector.h>

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

constexpr cor::Color CELL_COLORS[] = {cor::RED,     cor::GREEN, cor::YELLOW, cor::BLUE,
                                      cor::MAGENTA, cor::CYAN,  cor::WHITE};
const sf::Color SFML_COLORS[] = {
    sf::Color(255, 0, 0),   sf::Color(0, 255, 0),   sf::Color(255, 255, 0),  sf::Color(0, 0, 255),
    sf::Color(255, 0, 255), sf::Color(0, 255, 255), sf::Color(255, 255, 255)};
constexpr int COLOR_COUNT = sizeof CELL_COLORS / sizeof CELL_COLORS[0];

// Every cell holds a letter; letters and colours vary from cell to cell.
char letterAt(int column, int row)
{
    return static_cast<char>('A' + (column + row * 7) % 26);
}
int colorAt(int column, int row)
{
    return (column + row) % COLOR_COUNT;
}

constexpr int FRAMES_PER_RUN = 100;
constexpr int REPETITIONS = 5;

void cellByCell(benchmark::State& state)
{
    if (!bench::startGame(false))
    {
        state.SkipWithError("the engine did not start");
        return;
    }
    cor::DisplayManager& display = cor::DisplayManager::instance();
    const int columns = display.cellColumns();
    const int rows = display.cellRows();
    const auto drawScreen = [&]
    {
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                display.drawCh(cor::Vector(static_cast<float>(column), static_cast<float>(row)),
                               letterAt(column, row), CELL_COLORS[colorAt(column, row)]);
        display.presentFrame();
    };
    drawScreen();
    for (auto _ : state)
        drawScreen();
    bench::stopGame();
}

void handBatched(benchmark::State& state)
{
    if (!bench::startGame(false))
    {
        state.SkipWithError("the engine did not start");
        return;
    }
    cor::DisplayManager& display = cor::DisplayManager::instance();
    sf::RenderWindow& window = *display.window();
    sf::Font font;
    if (!cor::sfml::openFont(font, cor::DEFAULT_FONT_FILE))
    {
        bench::stopGame();
        state.SkipWithError("no font");
        return;
    }
    const int columns = display.cellColumns();
    const int rows = display.cellRows();
    const float width = display.cellWidth();
    const float height = display.cellHeight();
    const auto characterSize =
        static_cast<unsigned>(std::floor(2.0f * (width < height ? width : height)));
    cor::CellBatch batch;
    // Each cell as drawCh draws it: its black box, then its glyph.
    const auto drawScreen = [&]
    {
        batch.clear();
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
            {
                const float x = static_cast<float>(column) * width;
                const float y = static_cast<float>(row) * height;
                batch.appendBox(sf::Vector2f(x + width / 10.0f, y + height / 5.0f),
                                sf::Vector2f(width, height - 1.0f), sf::Color::Black);
                const sf::Glyph& glyph = font.getGlyph(
                    static_cast<std::uint32_t>(letterAt(column, row)), characterSize, true);
                batch.appendGlyph(sf::Vector2f(x, y), characterSize,
                                  SFML_COLORS[colorAt(column, row)], glyph);
            }
        batch.drawInto(window, font.getTexture(characterSize));
        window.display();
        window.clear(sf::Color::Black);
    };
    drawScreen();
    for (auto _ : state)
        drawScreen();
    bench::stopGame();
}

BENCHMARK(cellByCell)
    ->Iterations(FRAMES_PER_RUN)
    ->Repetitions(REPETITIONS)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(handBatched)
    ->Iterations(FRAMES_PER_RUN)
    ->Repetitions(REPETITIONS)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
