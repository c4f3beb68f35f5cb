#include "cor/EventStep.h"

namespace cor
{

EventStep::EventStep(std::int32_t stepCount) : m_stepCount(stepCount)
{
    setTypeName(EVENT_TYPE_STEP);
}

std::int32_t EventStep::stepCount() const
{
    return m_stepCount;
}

void EventStep::setStepCount(std::int32_t stepCount)
{
    m_stepCount = stepCount;
}

} // namespace cor
