#include "cor/EventMouse.h"

namespace cor
{

EventMouse::EventMouse() : m_action(NO_MOUSE_ACTION), m_button(NO_BUTTON)
{
    setTypeName(EVENT_TYPE_MOUSE);
}

} // namespace cor
