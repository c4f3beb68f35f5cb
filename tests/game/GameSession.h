#ifndef HALVREN_TESTS_GAME_SESSION_H
#define HALVREN_TESTS_GAME_SESSION_H

// Runs the game inside the test: the engine started in a temporary directory holding the
// test's data files, the controller created as the program does, and frames made by hand
// (step event, key events, deletion pass, drawing) so each can be inspected.

#include "GameFiles.h"
#include "TestSupport.h"

#include <HalvrenController.h>

#include <cor/Input.h>
#include <cor/Vector.h>

#include <gtest/gtest.h>

#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gametest
{

struct KeyInput
{
    cor::Key key;
    cor::KeyAction action = cor::PRESS;
};

struct SessionOptions
{
    // Frames and slowdown of the "gameover" sprite; no frames: none is loaded.
    int gameoverFrames = 5;
    int gameoverSlowdown = 4;
    bool withMusic = false;
};

class GameSession : public ::testing::Test
{
protected:
    void TearDown() override;

    // Starts the engine, loads the levels, sprites and (optionally) music, makes the controller.
    void start(const SessionOptions& options = {});

    // One frame as the game loop makes it, without drawing.
    void frame(const std::vector<KeyInput>& keys = {});
    void press(cor::Key key) { frame({{key}}); }
    void pressAll(const std::vector<cor::Key>& keys);
    // One frame with its drawing; returns what the window held before it was presented.
    sf::Image drawnFrame(const std::vector<KeyInput>& keys = {});

    // Title -> Story -> level 1.
    void enterLevelOne();
    // Plays the current level's solution after `wasted` moves into the left wall.
    void solveCurrentLevel(int wasted = 0);
    // Steps through the pause after a completion until the level-complete screen shows.
    void waitForLevelComplete();
    int pauseFrames() const;
    // From the fresh title, the shortest way to the given state (Quitting excluded).
    void reachState(GameState wanted);

    std::int32_t countOfType(const std::string& typeName) const;
    // Where map cell (row, column) of a world is shown.
    static cor::Vector redCell(Cell cell);
    static cor::Vector blueCell(Cell cell);
    const TestLevel& currentLevel() const;

    testsupport::TempDir m_dir;
    HalvrenController* m_controller = nullptr;
    std::int32_t m_frameNumber = 0;
    bool m_started = false;
};

} // namespace gametest

#endif
