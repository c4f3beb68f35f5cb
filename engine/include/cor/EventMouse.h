#ifndef COR_EVENT_MOUSE_H
#define COR_EVENT_MOUSE_H

#include "cor/Event.h"
#include "cor/Input.h"
#include "cor/Vector.h"

namespace cor
{

class EventMouse : public Event
{
public:
    EventMouse();

    void setAction(MouseAction action) { m_action = action; }
    MouseAction action() const { return m_action; }
    void setButton(MouseButton button) { m_button = button; }
    MouseButton button() const { return m_button; }
    // Pointer position in cells.
    void setPosition(const Vector& position) { m_position = position; }
    const Vector& position() const { return m_position; }

private:
    MouseAction m_action;
    MouseButton m_button;
    Vector m_position;
};

} // namespace cor

#endif
