#ifndef HALVREN_BENCH_GAME_H
#define HALVREN_BENCH_GAME_H

// The game as the benchmarks run it: the engine started in a temporary copy of the built run
// directory, the data loaded as the program loads it, and frames made exactly as the game
// loop makes them.

#include <cor/Input.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class HalvrenController;

namespace bench
{

// Copies the run directory into a fresh temporary directory once and works inside it; the
// copy is removed when the process ends.
const std::filesystem::path& enterRunCopy();

// Starts the engine and loads levels, sprites and music as the program does. With a
// controller, the game starts on its title. False (engine stopped again) on any failure.
bool startGame(bool withController);
// The same in the working directory as it is, which must hold the run directory's files.
bool startGameHere(bool withController);
void stopGame();
HalvrenController* controller();

// The work of one frame of the game loop, without its sleep: step, input, world update,
// drawing and presenting.
void workFrame();
// A frame whose input is these key presses; drawn only when asked, to get somewhere fast.
void frameWithKeys(const std::vector<cor::Key>& keys, bool drawn = false);

enum class Screen
{
    Title,
    Story,
    HowToPlay,
    DensestPlay,
    LevelComplete,
    FinalResults,
    GameOver
};

// Drives the fresh game from its title to the screen by key presses, solving levels with
// the solver's shortest sequences on the way. False when the screen was not reached.
bool reachScreen(Screen screen);
// The level with the most objects (walls, exits and characters of both worlds).
int densestLevel();
// The game-over art ends the game when it has run; this starts it again when it has.
void keepGameOverShowing();

} // namespace bench

#endif
