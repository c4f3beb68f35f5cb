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

    void setKey(Key key);
    Key key() const;
    void setAction(KeyAction action);
    KeyAction action() const;

private:
    Key m_key;
    KeyAction m_action;
};

} // namespace cor

#endif
