// Time from program start to the first presented frame: a fresh process runs the program's
// start-up (engine, levels, sprites, music, controller) and one frame of the loop, then
// reports when that frame was presented.
#include "BenchGame.h"
#include "StartUpProbe.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

extern char** environ;

namespace
{

std::int64_t monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Starts this program as a probe and returns the milliseconds to its first frame, or -1.
double timeToFirstFrame()
{
    int output[2];
    if (pipe(output) != 0)
        return -1.0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    std::string self = "/proc/self/exe";
    std::string flag = bench::START_UP_PROBE_FLAG;
    char* arguments[] = {self.data(), flag.data(), nullptr};

    const std::int64_t started = monotonicNanoseconds();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0)
    {
        close(output[0]);
        return -1.0;
    }
    std::string text;
    char buffer[256];
    ssize_t count = 0;
    while ((count = read(output[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(count));
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    long long presented = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(text.c_str(), "%lld", &presented) != 1)
        return -1.0;
    return static_cast<double>(presented - started) / 1.0e6;
}

void startUpToFirstFrame(benchmark::State& state)
{
    bench::enterRunCopy();
    double milliseconds = -1.0;
    for (auto _ : state)
        milliseconds = timeToFirstFrame();
    if (milliseconds < 0.0)
    {
        state.SkipWithError("the probe did not report a frame");
        return;
    }
    state.counters["first_frame_ms"] = milliseconds;
}

BENCHMARK(startUpToFirstFrame)
    ->Iterations(1)
    ->Repetitions(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

namespace bench
{

int runStartUpProbe()
{
    if (!startGameHere(true))
        return 1;
    workFrame();
    const std::int64_t presented = monotonicNanoseconds();
    std::printf("%lld\n", static_cast<long long>(presented));
    std::fflush(stdout);
    stopGame();
    return 0;
}

} // namespace bench
