#ifndef HALVREN_TESTS_GAME_FILES_H
#define HALVREN_TESTS_GAME_FILES_H

// The small data set the game tests play with: five level files whose solutions are known,
// the eight sprite files and a silent music piece, written into a working directory.

#include <cor/Input.h>

#include <filesystem>
#include <string>
#include <vector>

namespace gametest
{

// A map cell as (row, column).
struct Cell
{
    int row;
    int column;
};

// One test level: where each character starts and where its exit is, inside walled rooms.
struct TestLevel
{
    Cell redStart;
    Cell redExit;
    Cell blueStart;
    Cell blueExit;
    // Keys that take both characters onto their exits, shortest first.
    std::vector<cor::Key> solution;
};

// Level n is testLevels()[n - 1]. In level 1 the red character starts against the left wall
// one column further left than the blue one, so Left blocks red and moves blue.
const std::vector<TestLevel>& testLevels();

// 13 rows of 19 cells: a wall border around empty floor, the marker and the exit.
std::vector<std::string> mapRows(char marker, Cell start, Cell exit);
std::string levelFileText(const TestLevel& level);

struct SpriteData
{
    std::string file;
    std::string label;
    std::string colour;
    int slowdown;
    int width;
    int height;
    std::vector<std::string> frames; // each frame's rows joined, row by row
};

std::string spriteFileText(const SpriteData& sprite);

// The six map sprites (one cell each) and the title; the game-over art is chosen per test.
std::vector<SpriteData> worldAndTitleSprites();
// Game-over art of frameCount frames of 9 x 1 cells.
SpriteData gameoverSprite(int frameCount, int slowdown);

void writeLevels(const std::filesystem::path& dir);
void writeSprite(const std::filesystem::path& dir, const SpriteData& sprite);
// A silent mono piece long enough for both loop regions.
void writeSilentMusic(const std::filesystem::path& path, float seconds);

constexpr unsigned MUSIC_SAMPLE_RATE = 8000;
constexpr float MUSIC_SECONDS = 174.0f;

} // namespace gametest

#endif
