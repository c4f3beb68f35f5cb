#include "cor/EventKeyboard.h"

namespace cor
{

EventKeyboard::EventKeyboard() : m_key(NO_KEY), m_action(NO_KEY_ACTION)
{
    setTypeName(EVENT_TYPE_KEYBOARD);
}

} // namespace cor
