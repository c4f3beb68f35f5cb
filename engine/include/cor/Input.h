#ifndef COR_INPUT_H
#define COR_INPUT_H

#include <cstdint>

namespace cor
{

enum KeyAction : std::int32_t
{
    NO_KEY_ACTION = -1,
    PRESS = 0,
    RELEASE = 1
};

enum MouseAction : std::int32_t
{
    NO_MOUSE_ACTION = -1,
    CLICK = 0,
    MOVE = 1
};

enum MouseButton : std::int32_t
{
    NO_BUTTON = -1,
    LEFT_BUTTON = 0,
    RIGHT_BUTTON = 1,
    MIDDLE_BUTTON = 2
};

// The engine's keys. The digits of the main keyboard run NUM1..NUM9, then NUM0.
enum Key : std::int32_t
{
    NO_KEY = -1,
    SPACE = 0,
    ENTER,
    ESCAPE,
    TAB,
    LEFT,
    RIGHT,
    UP,
    DOWN,
    PAUSE,
    HYPHEN,
    EQUAL,
    GRAVE,
    PERIOD,
    COMMA,
    SLASH,
    LCONTROL,
    RCONTROL,
    LSHIFT,
    RSHIFT,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    NUM1,
    NUM2,
    NUM3,
    NUM4,
    NUM5,
    NUM6,
    NUM7,
    NUM8,
    NUM9,
    NUM0
};

static_assert(F1 == 19 && F12 == 30 && A == 31 && Z == 56 && NUM1 == 57 && NUM0 == 66,
              "Key values are part of the engine's interface");

} // namespace cor

#endif
