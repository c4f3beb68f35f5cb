#ifndef HALVREN_GAME_STATE_H
#define HALVREN_GAME_STATE_H

#include <cstdint>

enum GameState : std::int32_t
{
    Title = 0,
    Story = 1,
    HowToPlay = 2,
    Playing = 3,
    LevelCompletePending = 4,
    LevelComplete = 5,
    Won = 6,
    Quitting = 7
};

#endif
