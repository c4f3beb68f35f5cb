#include "cor/EventKeyboard.h"

namespace cor
{

EventKeyboard::EventKeyboard() : m_key(NO_KEY), m_action(NO_KEY_ACTION)
{
    setTypeName(EVENT_TYPE_KEYBOARD);
}

void EventKeyboard::setKey(Key key)
{
    m_key = key;
}

Key EventKeyboard::key() const
{
    return m_key;
}

void EventKeyboard::setAction(KeyAction action)
{
    m_action = action;
}

KeyAction EventKeyboard::action() const
{
    return m_action;
}

} // namespace cor
