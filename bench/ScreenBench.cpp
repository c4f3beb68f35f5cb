// Frame work per screen: everything the game loop does in a frame but its sleep.
#include "BenchGame.h"

#include <cor/WorldManager.h>

#include <benchmark/benchmark.h>

namespace
{

// Frames drawn before timing: the font rasterises each glyph the first time it is shown.
constexpr int WARM_UP_FRAMES = 10;

void frameWork(benchmark::State& state, bench::Screen screen)
{
    if (!bench::startGame(true))
    {
        state.SkipWithError("the game did not start");
        return;
    }
    if (!bench::reachScreen(screen))
    {
        bench::stopGame();
        state.SkipWithError("the screen was not reached");
        return;
    }
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        bench::workFrame();
    state.counters["objects"] = cor::WorldManager::instance().allObjects().count();
    if (screen == bench::Screen::DensestPlay)
        state.counters["level"] = bench::densestLevel();
    const bool gameOver = screen == bench::Screen::GameOver;
    for (auto _ : state)
    {
        if (gameOver)
        {
            state.PauseTiming();
            bench::keepGameOverShowing();
            state.ResumeTiming();
        }
        bench::workFrame();
    }
    bench::stopGame();
}

constexpr int FRAMES_PER_RUN = 150;
constexpr int REPETITIONS = 5;

#define HALVREN_SCREEN_BENCH(name, screen)                                                         \
    BENCHMARK_CAPTURE(frameWork, name, screen)                                                     \
        ->Iterations(FRAMES_PER_RUN)                                                               \
        ->Repetitions(REPETITIONS)                                                                 \
        ->UseRealTime()                                                                            \
        ->Unit(benchmark::kMillisecond)

HALVREN_SCREEN_BENCH(title, bench::Screen::Title);
HALVREN_SCREEN_BENCH(story, bench::Screen::Story);
HALVREN_SCREEN_BENCH(how_to_play, bench::Screen::HowToPlay);
HALVREN_SCREEN_BENCH(densest_play, bench::Screen::DensestPlay);
HALVREN_SCREEN_BENCH(level_complete, bench::Screen::LevelComplete);
HALVREN_SCREEN_BENCH(final_results, bench::Screen::FinalResults);
HALVREN_SCREEN_BENCH(game_over, bench::Screen::GameOver);

} // namespace
