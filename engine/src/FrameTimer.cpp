#include "cor/FrameTimer.h"

#include "platform/Platform.h"

namespace cor
{

std::int64_t FrameTimer::nowMilliseconds()
{
    return platform::monotonicMilliseconds();
}

void FrameTimer::sleepMilliseconds(std::int32_t milliseconds)
{
    platform::sleepMilliseconds(milliseconds);
}

int FrameTimer::beginResolution()
{
    return platform::beginTimerResolution();
}

void FrameTimer::endResolution()
{
    platform::endTimerResolution();
}

FrameTimer& FrameTimer::system()
{
    static FrameTimer timer;
    return timer;
}

} // namespace cor
