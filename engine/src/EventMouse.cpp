#include "cor/EventMouse.h"

namespace cor
{

EventMouse::EventMouse() : m_action(NO_MOUSE_ACTION), m_button(NO_BUTTON)
{
    setTypeName(EVENT_TYPE_MOUSE);
}

void EventMouse::setAction(MouseAction action)
{
    m_action = action;
}

MouseAction EventMouse::action() const
{
    return m_action;
}

void EventMouse::setButton(MouseButton button)
{
    m_button = button;
}

MouseButton EventMouse::button() const
{
    return m_button;
}

void EventMouse::setPosition(const Vector& position)
{
    m_position = position;
}

const Vector& EventMouse::position() const
{
    return m_position;
}

} // namespace cor
