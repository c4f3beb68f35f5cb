#include "cor/InputManager.h"

#include "cor/DisplayManager.h"
#include "cor/EventKeyboard.h"
#include "cor/EventMouse.h"
#include "cor/WorldManager.h"
#include "sfml/SfmlCompat.h"

namespace cor
{

namespace
{

// The pointer's pixel position turned into cells.
EventMouse mouseEvent(MouseAction action, MouseButton button, const sfml::InputEvent& polled)
{
    EventMouse mouse;
    mouse.setAction(action);
    mouse.setButton(button);
    mouse.setPosition(DisplayManager::instance().pixelsToCells(
        Vector(static_cast<float>(polled.x), static_cast<float>(polled.y))));
    return mouse;
}

} // namespace

InputManager& InputManager::instance()
{
    static InputManager manager;
    return manager;
}

InputManager::InputManager()
{
    setTypeName("InputManager");
}

InputManager::~InputManager() = default;

int InputManager::initialize()
{
    DisplayManager& display = DisplayManager::instance();
    if (!display.hasStarted())
        return -1;
    display.window()->setKeyRepeatEnabled(false);
    setStarted(true);
    return 0;
}

void InputManager::shutdown()
{
    if (sf::RenderWindow* window = DisplayManager::instance().window())
        window->setKeyRepeatEnabled(true);
    setStarted(false);
}

void InputManager::pollInput()
{
    sf::RenderWindow* window = DisplayManager::instance().window();
    if (window == nullptr)
        return;
    const WorldManager& world = WorldManager::instance();
    sfml::InputEvent polled;
    while (sfml::pollInput(*window, polled))
    {
        switch (polled.kind)
        {
        case sfml::InputEvent::Kind::KeyPressed:
        case sfml::InputEvent::Kind::KeyReleased:
        {
            const Key key = mapKey(polled.key);
            if (key == NO_KEY)
                break;
            EventKeyboard keyboard;
            keyboard.setKey(key);
            keyboard.setAction(polled.kind == sfml::InputEvent::Kind::KeyPressed ? PRESS : RELEASE);
            world.broadcast(keyboard);
            break;
        }
        case sfml::InputEvent::Kind::MouseMoved:
            world.broadcast(mouseEvent(MOVE, NO_BUTTON, polled));
            break;
        case sfml::InputEvent::Kind::MouseButtonPressed:
            if (polled.button >= LEFT_BUTTON && polled.button <= MIDDLE_BUTTON)
                world.broadcast(mouseEvent(CLICK, static_cast<MouseButton>(polled.button), polled));
            break;
        case sfml::InputEvent::Kind::Other:
            // Close requests included: the game ends only through its own loop.
            break;
        }
    }
}

Key InputManager::mapKey(sf::Keyboard::Key key)
{
    using SfKey = sf::Keyboard::Key;
    if (key >= SfKey::A && key <= SfKey::Z)
        return static_cast<Key>(A + (static_cast<int>(key) - static_cast<int>(SfKey::A)));
    if (key >= SfKey::F1 && key <= SfKey::F12)
        return static_cast<Key>(F1 + (static_cast<int>(key) - static_cast<int>(SfKey::F1)));
    if (key >= SfKey::Num1 && key <= SfKey::Num9)
        return static_cast<Key>(NUM1 + (static_cast<int>(key) - static_cast<int>(SfKey::Num1)));
    if (key == sfml::graveKey())
        return GRAVE;
    switch (key)
    {
    case SfKey::Space:
        return SPACE;
    case SfKey::Enter:
        return ENTER;
    case SfKey::Escape:
        return ESCAPE;
    case SfKey::Tab:
        return TAB;
    case SfKey::Left:
        return LEFT;
    case SfKey::Right:
        return RIGHT;
    case SfKey::Up:
        return UP;
    case SfKey::Down:
        return DOWN;
    case SfKey::Pause:
        return PAUSE;
    case SfKey::Hyphen:
        return HYPHEN;
    case SfKey::Equal:
        return EQUAL;
    case SfKey::Period:
        return PERIOD;
    case SfKey::Comma:
        return COMMA;
    case SfKey::Slash:
        return SLASH;
    case SfKey::LControl:
        return LCONTROL;
    case SfKey::RControl:
        return RCONTROL;
    case SfKey::LShift:
        return LSHIFT;
    case SfKey::RShift:
        return RSHIFT;
    case SfKey::Num0:
        return NUM0;
    default:
        return NO_KEY;
    }
}

} // namespace cor
