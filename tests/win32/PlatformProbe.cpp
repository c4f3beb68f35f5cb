// Under Wine, against the steady clock: the layer's clock keeps time to within its millisecond
// ticks, a 10 ms sleep takes 10 to 20 ms, and standard error is silenced and given back.
#include "platform/Platform.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

int main()
{
    namespace platform = cor::platform;
    using Milliseconds = std::chrono::duration<double, std::milli>;
    bool passed = platform::beginTimerResolution() == 0;

    // No sleep may end early; their median, not one late wake-up on a busy machine, decides.
    std::vector<double> sleeps, clockErrors;
    for (int i = 0; i < 9; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        const std::int64_t clockStart = platform::monotonicMilliseconds();
        platform::sleepMilliseconds(10);
        const auto clockSlept = double(platform::monotonicMilliseconds() - clockStart);
        sleeps.push_back(Milliseconds(std::chrono::steady_clock::now() - start).count());
        clockErrors.push_back(clockSlept - sleeps.back());
    }
    platform::endTimerResolution();
    for (std::vector<double>* samples : {&sleeps, &clockErrors})
        std::sort(samples->begin(), samples->end());
    std::printf("10 ms sleeps %.2f to %.2f ms, median %.2f; clock error %.2f ms\n", sleeps[0],
                sleeps[8], sleeps[4], clockErrors[4]);
    passed = passed && sleeps[0] >= 10.0 && sleeps[4] <= 20.0 && std::abs(clockErrors[4]) < 1.5;

    platform::silenceStandardError();
    std::fputs("this line must not reach standard error\n", stderr);
    platform::restoreStandardError();
    std::fputs(passed ? "standard error is back: every check passed\n" : "", stderr);
    return passed ? 0 : 1;
}
