#ifndef HALVREN_MOVE_KEYS_H
#define HALVREN_MOVE_KEYS_H

#include <cor/Input.h>

// The keys that move both characters one cell: a letter key, which the level solver also
// writes its solutions in, and the arrow key beside it. y grows downwards.
struct MoveKey
{
    char letter;
    cor::Key letterKey;
    cor::Key arrowKey;
    int dx;
    int dy;
};

inline constexpr MoveKey MOVE_KEYS[] = {
    {'W', cor::W, cor::UP, 0, -1},
    {'A', cor::A, cor::LEFT, -1, 0},
    {'S', cor::S, cor::DOWN, 0, 1},
    {'D', cor::D, cor::RIGHT, 1, 0},
};

// The move a key makes, by its letter key or its arrow key; null when it makes none.
inline const MoveKey* moveOfKey(cor::Key key)
{
    for (const MoveKey& move : MOVE_KEYS)
    {
        if (move.letterKey == key || move.arrowKey == key)
            return &move;
    }
    return nullptr;
}

// The move written as this letter; null for any other letter.
inline const MoveKey* moveOfLetter(char letter)
{
    for (const MoveKey& move : MOVE_KEYS)
    {
        if (move.letter == letter)
            return &move;
    }
    return nullptr;
}

#endif
