#ifndef COR_EVENT_STEP_H
#define COR_EVENT_STEP_H

#include "cor/Event.h"

#include <cstdint>

namespace cor
{

// Sent to every object once per frame; stepCount is the frame number from 0.
class EventStep : public Event
{
public:
    explicit EventStep(std::int32_t stepCount);

    std::int32_t stepCount() const;
    void setStepCount(std::int32_t stepCount);

private:
    std::int32_t m_stepCount;
};

} // namespace cor

#endif
