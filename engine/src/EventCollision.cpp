#include "cor/EventCollision.h"

namespace cor
{

EventCollision::EventCollision() : m_mover(nullptr), m_other(nullptr)
{
    setTypeName(EVENT_TYPE_COLLISION);
}

void EventCollision::setPosition(const Vector& position)
{
    m_position = position;
}

const Vector& EventCollision::position() const
{
    return m_position;
}

void EventCollision::setMover(Object* mover)
{
    m_mover = mover;
}

Object* EventCollision::mover() const
{
    return m_mover;
}

void EventCollision::setOther(Object* other)
{
    m_other = other;
}

Object* EventCollision::other() const
{
    return m_other;
}

} // namespace cor
