#ifndef HALVREN_HALVREN_CONTROLLER_H
#define HALVREN_HALVREN_CONTROLLER_H

#include "BoardCells.h"
#include "GameState.h"
#include "Levels.h"

#include <cor/DisplayManager.h>
#include <cor/Input.h>
#include <cor/Object.h>
#include <cor/Vector.h>

#include <cstdint>

class PuzzleObject;
class TitleScreen;

// Runs the game: its states, the simultaneous moves of both characters, step counting,
// building and clearing levels, and the screen of each state.
class HalvrenController : public cor::Object
{
public:
    // The maps stand side by side, as far from the grid's sides as from each other's middle.
    static constexpr float MAP_MARGIN = 4.0f;
    static constexpr float MAP_TOP = 5.0f;
    static constexpr cor::Vector redOrigin{MAP_MARGIN, MAP_TOP};
    static constexpr cor::Vector blueOrigin{
        static_cast<float>(cor::CELL_COLUMNS - MAP_COLUMNS) - MAP_MARGIN, MAP_TOP};

    HalvrenController();

    int handleEvent(const cor::Event* event) override;
    int draw() override;

    void buildLevel();
    void clearLevel();
    void moveBoth(float dx, float dy);
    void restartAttempt();
    void beginQuit();
    // Called by the title object when Enter or I takes the player on.
    void leaveTitle(GameState next);

    GameState state() const { return m_state; }
    std::int32_t level() const { return m_level; }
    std::int32_t steps() const { return m_steps; }
    std::int32_t levelSteps() const { return m_levelSteps; }
    std::int32_t totalSteps() const { return m_totalSteps; }
    std::int32_t pendingFrames() const { return m_pendingFrames; }
    std::int32_t blinkCounter() const { return m_blinkCounter; }
    PuzzleObject* redPlayer() const { return m_redPlayer; }
    PuzzleObject* bluePlayer() const { return m_bluePlayer; }
    TitleScreen* titleScreen() const { return m_titleScreen; }
    const cor::Vector& redExit() const { return m_redExit; }
    const cor::Vector& blueExit() const { return m_blueExit; }

    int drawPlayScreen();
    int drawStoryScreen();
    int drawHowToPlayScreen();
    int drawLevelCompleteScreen();
    int drawWinScreen();

private:
    // The level-complete prompt blinks: shown for the first half of every period of step events.
    static constexpr std::int32_t BLINK_PERIOD = 30;
    static constexpr std::int32_t BLINK_SHOWN_FRAMES = BLINK_PERIOD / 2;

    struct PlacedMap
    {
        PuzzleObject* character = nullptr;
        cor::Vector exit;
    };
    PlacedMap placeMap(const LevelMap& rows, const cor::Vector& origin, World world);

    // Every change of state goes through here, with what the change brings along: the title
    // made or dropped, the board shown or hidden, the counters of an attempt, the music.
    void enterState(GameState next);

    // The keys of each state; 1 when the key did something, 0 when the state ignores it.
    int handleKey(cor::Key key);
    int keyOnStory(cor::Key key);
    int keyOnHowToPlay(cor::Key key);
    int keyOnPlaying(cor::Key key);
    int keyOnCompletionPause(cor::Key key);
    int keyOnLevelComplete(cor::Key key);
    int handleStep();

    PuzzleObject* m_redPlayer;
    PuzzleObject* m_bluePlayer;
    TitleScreen* m_titleScreen;
    cor::Vector m_redExit;
    cor::Vector m_blueExit;
    cor::Vector m_redStart;
    cor::Vector m_blueStart;
    std::int32_t m_level;
    GameState m_state;
    std::int32_t m_steps;
    std::int32_t m_levelSteps;
    std::int32_t m_totalSteps;
    std::int32_t m_pendingFrames;
    std::int32_t m_blinkCounter;
};

#endif
