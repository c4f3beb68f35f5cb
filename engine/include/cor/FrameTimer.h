#ifndef COR_FRAME_TIMER_H
#define COR_FRAME_TIMER_H

#include <cstdint>

namespace cor
{

// The clock, sleep and timer resolution the frame loop runs on. The default
// implementation uses the platform's monotonic clock; tests substitute their own.
class FrameTimer
{
public:
    virtual ~FrameTimer() = default;
    virtual std::int64_t nowMilliseconds();
    virtual void sleepMilliseconds(std::int32_t milliseconds);
    // 0 when the 1 ms resolution was granted.
    [[nodiscard]] virtual int beginResolution();
    virtual void endResolution();

    // The platform timer every game manager starts with.
    static FrameTimer& system();
};

} // namespace cor

#endif
