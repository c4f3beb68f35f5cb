#ifndef COR_EVENT_KEYBOARD_H
#define COR_EVENT_KEYBOARD_H

#include "cor/Event.h"
#include "cor/Input.h"

namespace cor
{

class EventKeyboard : public Event
{
public:
    EventKeyboard();

    void setKey(Key key) { m_key = key; }
    Key key() const { return m_key; }
    void setAction(KeyAction action) { m_action = action; }
    KeyAction action() const { return m_action; }

private:
    Key m_key;
    KeyAction m_action;
};

} // namespace cor

#endif
