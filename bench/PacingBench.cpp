// Frame pacing of the real loop: GameManager::run on the platform timer, on the play screen
// of the densest level, with the period taken between consecutive step events.
#include "BenchGame.h"

#include <cor/EventStep.h>
#include <cor/GameManager.h>
#include <cor/Object.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace
{

constexpr int PACED_FRAMES = 320;

// Notes when each step arrives and ends the game after the last one.
class StepClock : public cor::Object
{
public:
    StepClock()
    {
        setTypeName("step-clock");
        setSolidness(cor::INTANGIBLE);
        m_times.reserve(PACED_FRAMES + 1);
    }

    int handleEvent(const cor::Event* event) override
    {
        if (event->typeName() != cor::EVENT_TYPE_STEP)
            return 0;
        m_times.push_back(std::chrono::steady_clock::now());
        if (static_cast<int>(m_times.size()) > PACED_FRAMES)
            cor::GameManager::instance().endGame();
        return 1;
    }

    std::vector<double> periodsMs() const
    {
        std::vector<double> periods;
        for (std::size_t i = 1; i < m_times.size(); ++i)
            periods.push_back(
                std::chrono::duration<double, std::milli>(m_times[i] - m_times[i - 1]).count());
        return periods;
    }

private:
    std::vector<std::chrono::steady_clock::time_point> m_times;
};

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())) - 1.0);
    return values[std::min(index, values.size() - 1)];
}

void framePacing(benchmark::State& state)
{
    if (!bench::startGame(true) || !bench::reachScreen(bench::Screen::DensestPlay))
    {
        bench::stopGame();
        state.SkipWithError("the play screen was not reached");
        return;
    }
    std::vector<double> periods;
    for (auto _ : state)
    {
        auto* clock = new StepClock;
        cor::GameManager::instance().run();
        periods = clock->periodsMs();
    }
    bench::stopGame();

    const double target = cor::GameManager::instance().frameTimeMs();
    double sum = 0.0;
    std::vector<double> errors;
    for (double period : periods)
    {
        sum += period;
        errors.push_back(std::fabs(period - target));
    }
    state.counters["frames"] = static_cast<double>(periods.size());
    state.counters["mean_period_ms"] = sum / static_cast<double>(periods.size());
    state.counters["p50_error_ms"] = percentile(errors, 0.50);
    state.counters["p99_error_ms"] = percentile(errors, 0.99);
    state.counters["max_error_ms"] = percentile(errors, 1.0);
}

BENCHMARK(framePacing)->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace
