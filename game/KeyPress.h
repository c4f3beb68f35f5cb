#ifndef HALVREN_KEY_PRESS_H
#define HALVREN_KEY_PRESS_H

#include <cor/EventKeyboard.h>

#include <optional>

// The key that a keyboard event presses; nothing for a release or any other event.
inline std::optional<cor::Key> pressedKey(const cor::Event* event)
{
    if (event->typeName() != cor::EVENT_TYPE_KEYBOARD)
        return std::nullopt;
    const auto* keyboard = dynamic_cast<const cor::EventKeyboard*>(event);
    if (keyboard == nullptr || keyboard->action() != cor::PRESS)
        return std::nullopt;
    return keyboard->key();
}

#endif
