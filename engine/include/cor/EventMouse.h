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

    void setAction(MouseAction action);
    MouseAction action() const;
    void setButton(MouseButton button);
    MouseButton button() const;
    // Pointer position in cells.
    void setPosition(const Vector& position);
    const Vector& position() const;

private:
    MouseAction m_action;
    MouseButton m_button;
    Vector m_position;
};

} // namespace cor

#endif
