#include "GameFiles.h"

#include "TestSupport.h"

#include <cor/SfmlAdapter.h>

#include <cstdio>
#include <stdexcept>

namespace gametest
{

namespace
{

constexpr int ROWS = 13;
constexpr int COLUMNS = 19;

} // namespace

const std::vector<TestLevel>& testLevels()
{
    static const std::vector<TestLevel> levels = []
    {
        std::vector<TestLevel> made;
        made.push_back(
            {{6, 1}, {6, 4}, {6, 2}, {6, 4}, {cor::LEFT, cor::RIGHT, cor::D, cor::RIGHT}});
        for (int n = 2; n <= 5; ++n)
        {
            const std::vector<cor::Key> rights(static_cast<std::size_t>(n),
                                               n % 2 == 0 ? cor::D : cor::RIGHT);
            made.push_back({{6, 1}, {6, 1 + n}, {4, 1}, {4, 1 + n}, rights});
        }
        return made;
    }();
    return levels;
}

std::vector<std::string> mapRows(char marker, Cell start, Cell exit)
{
    std::vector<std::string> rows;
    for (int row = 0; row < ROWS; ++row)
    {
        std::string line;
        for (int column = 0; column < COLUMNS; ++column)
        {
            const bool border = row == 0 || row == ROWS - 1 || column == 0 || column == COLUMNS - 1;
            if (row == start.row && column == start.column)
                line += marker;
            else if (row == exit.row && column == exit.column)
                line += 'E';
            else
                line += border ? '#' : '.';
        }
        rows.push_back(line);
    }
    return rows;
}

std::string levelFileText(const TestLevel& level)
{
    std::string text = "[RED]\n";
    for (const std::string& row : mapRows('R', level.redStart, level.redExit))
        text += row + "\n";
    text += "[BLUE]\n";
    for (const std::string& row : mapRows('B', level.blueStart, level.blueExit))
        text += row + "\n";
    return text;
}

std::string spriteFileText(const SpriteData& sprite)
{
    std::string text = std::to_string(sprite.frames.size()) + "\n" + std::to_string(sprite.width) +
                       "\n" + std::to_string(sprite.height) + "\n" +
                       std::to_string(sprite.slowdown) + "\n" + sprite.colour + "\n";
    for (const std::string& frame : sprite.frames)
    {
        if (frame.size() != static_cast<std::size_t>(sprite.width * sprite.height))
            throw std::logic_error("sprite frame of the wrong size: " + sprite.label);
        for (int row = 0; row < sprite.height; ++row)
            text += frame.substr(static_cast<std::size_t>(row * sprite.width),
                                 static_cast<std::size_t>(sprite.width)) +
                    "\n";
    }
    return text;
}

std::vector<SpriteData> worldAndTitleSprites()
{
    return {
        {"assets/red-player.txt", "red-player", "red", 1, 1, 1, {"@"}},
        {"assets/blue-player.txt", "blue-player", "blue", 1, 1, 1, {"@"}},
        {"assets/red-wall.txt", "red-wall", "red", 1, 1, 1, {"#"}},
        {"assets/blue-wall.txt", "blue-wall", "blue", 1, 1, 1, {"#"}},
        {"assets/red-exit.txt", "red-exit", "magenta", 1, 1, 1, {"O"}},
        {"assets/blue-exit.txt", "blue-exit", "cyan", 1, 1, 1, {"O"}},
        // Uneven rows and columns so that a wrong centre shows.
        {"assets/halvren-title.txt",
         "halvren-title",
         "white",
         1,
         5,
         3,
         {"HALV="
          "|(#)|"
          "REN.."}},
    };
}

SpriteData gameoverSprite(int frameCount, int slowdown)
{
    SpriteData sprite{"assets/gameover.txt", "gameover", "red", slowdown, 9, 1, {}};
    for (int frame = 0; frame < frameCount; ++frame)
        sprite.frames.push_back("GAMEOVER" + std::to_string(frame % 10));
    return sprite;
}

void writeLevels(const std::filesystem::path& dir)
{
    const std::vector<TestLevel>& levels = testLevels();
    for (std::size_t i = 0; i < levels.size(); ++i)
    {
        char name[64];
        std::snprintf(name, sizeof name, "assets/levels/level-%02d.txt", static_cast<int>(i + 1));
        testsupport::writeFile(dir / name, levelFileText(levels[i]));
    }
}

void writeSprite(const std::filesystem::path& dir, const SpriteData& sprite)
{
    testsupport::writeFile(dir / sprite.file, spriteFileText(sprite));
}

void writeSilentMusic(const std::filesystem::path& path, float seconds)
{
    std::filesystem::create_directories(path.parent_path());
    // Written as WAV: the audio library recognises a file by its content, not by its name.
    const std::filesystem::path wavPath = path.string() + ".wav";
    {
        sf::OutputSoundFile file;
        if (!cor::sfml::openSoundFileWriter(file, wavPath.string(), MUSIC_SAMPLE_RATE, 1))
            throw std::runtime_error("cannot write " + wavPath.string());
        const std::vector<std::int16_t> silence(
            static_cast<std::size_t>(seconds * static_cast<float>(MUSIC_SAMPLE_RATE)), 0);
        file.write(silence.data(), silence.size());
    }
    std::filesystem::rename(wavPath, path);
}

} // namespace gametest
