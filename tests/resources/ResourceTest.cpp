// Sprite files and the music table: every refusal with its one log line, and what a good
// sprite file becomes.
#include "TestSupport.h"

#include <cor/LogManager.h>
#include <cor/ResourceManager.h>

using namespace testsupport;

namespace
{

class ResourceTest : public EngineFixture
{
protected:
    // Loads the content as a sprite file with a fresh log; the log holds what it said.
    int load(const std::string& content, const std::string& label)
    {
        EXPECT_EQ(cor::LogManager::instance().initialize(), 0);
        writeFile("sprite.txt", content);
        return resources.loadSprite("sprite.txt", label);
    }
    cor::ResourceManager& resources = cor::ResourceManager::instance();
};

const std::string spritePrefix = "ResourceManager::loadSprite(): ";
const std::string musicPrefix = "ResourceManager::loadMusic(): ";
const auto SPRITES = std::int32_t(fact("capacities", 1)),
           MUSIC = std::int32_t(fact("capacities", 2));

} // namespace

TEST_F(ResourceTest, EveryBadSpriteFileAndAFullTableAreRefusedWithTheirOwnMessageTableUnchanged)
{
    ASSERT_EQ(load("1\n1\n1\n1\nred\nx\n", "kept"), 0);
    const std::string header = "1\n3\n1\n4\nyellow\n";
    // clang-format off
    const std::pair<std::string, std::string> refusals[] = {
        {"", "missing frame count."}, {"0\n", "error line 1. Invalid frame count '0'."},
        {"-2\n3\n", "error line 1. Invalid frame count '-2'."}, {"two\n", "error line 1. Invalid frame count 'two'."},
        {"-99999999999999999999\n", "error line 1. Invalid frame count '-99999999999999999999'."},
        {"1\n", "missing width."}, {"1\n0\n1\n", "error line 2. Invalid width '0'."},
        {"1\n5x\n", "missing height."}, {"1\n5x\nhigh\n", "error line 3. Invalid height 'high'."},
        {"1\n3\n1\n", "missing slowdown."}, {"1\n3\n1\n4\n", "missing color."},
        {"1\n3\n1\n4\nyellow \nabc\n", "error line 5. Unrecognized color 'yellow '."},
        {header, "file ended before all frame data was read."},
        {"2\n3\n1\n4\nyellow\nabc\nab\n", "error line 7. Line width 2, expected 3."},
        {header + "abcd\n", "error line 6. Line width 4, expected 3."},
        {"1\n3\n2\n4\nyellow\nabc", "file ended before all frame data was read."},
        {header + "abc\r", "error line 6. Line width 4, expected 3."},
        // A width beyond any int stays the largest int rather than wrapping round.
        {"1\n99999999999999999999\n1\n1\nred\nx\n", "error line 6. Line width 1, expected 2147483647."},
        // Far more frames than memory could hold: nothing is reserved before they are read.
        {"2000000000\n1\n1\n1\nred\na\nb\n", "file ended before all frame data was read."},
    };
    // clang-format on
    for (const auto& [content, message] : refusals)
    {
        EXPECT_EQ(load(content, "sprite"), -1) << content;
        EXPECT_EQ(log(), spritePrefix + message + "\n") << content;
    }
    EXPECT_EQ(resources.spriteCount(), 1);
    EXPECT_EQ(resources.findSprite("sprite"), nullptr);
    EXPECT_NE(resources.findSprite("kept"), nullptr);

    writeFile("dot.txt", "1\n1\n1\n1\nwhite\n.\n");
    for (int i = 1; i < SPRITES; ++i)
        ASSERT_EQ(resources.loadSprite("dot.txt", "dot" + std::to_string(i)), 0);
    // Were the empty file read, it would be refused for its missing frame count.
    EXPECT_EQ(load("", "one too many"), -1);
    EXPECT_EQ(log(), spritePrefix + "sprite array full.\n");
    EXPECT_EQ(resources.spriteCount(), SPRITES);
}

TEST_F(ResourceTest, GoodSpriteFilesKeepEveryFieldAndFrameInFileOrder)
{
    const std::string unix = "2\n3\n2\n4\nyellow\nabc\ndef\n g \n.h.\n";
    const std::string windows = "2\r\n3\r\n2\r\n4\r\nyellow\r\nabc\r\ndef\r\n g \r\n.h.\r\n";
    const std::string pair = "3x2, slowdown 4, colour 3: abcdef| g .h.|";
    // clang-format off
    const std::pair<std::string, std::string> accepted[] = {
        {unix + "a line nobody reads\n", pair}, {windows + "trailing\r\njunk", pair},
        {unix.substr(0, unix.size() - 1), pair},
        // Numbers are read as atoi reads them, clamped instead of overflowing.
        {"  1 frame\n2 wide\n1\nslow\ncyan\nab\n", "2x1, slowdown 0, colour 6: ab|"},
        {"1\n1\n1\n-1\nblack\nx\n", "1x1, slowdown -1, colour 0: x|"},
        {"1\n1\n1\n99999999999999999999\nmagenta\nx\n", "1x1, slowdown 2147483647, colour 5: x|"},
        {"1\n1\n1\n-99999999999999999999\nwhite\nx\n", "1x1, slowdown -2147483648, colour 7: x|"},
    };
    // clang-format on
    for (const auto& [content, expected] : accepted)
    {
        ASSERT_EQ(load(content, "sprite"), 0) << log();
        const cor::Sprite* sprite = resources.findSprite("sprite");
        std::string shown = std::to_string(sprite->width()) + "x" +
                            std::to_string(sprite->height()) + ", slowdown " +
                            std::to_string(sprite->slowdown()) + ", colour " +
                            std::to_string(sprite->color()) + ": ";
        for (std::int32_t f = 0; f < sprite->frameCount(); ++f)
            shown += sprite->frame(f).text() + "|";
        EXPECT_EQ(shown, expected);
        ASSERT_EQ(resources.initialize(), 0);
    }
}

TEST_F(ResourceTest, TheFirstOfALabelIsFoundAndARestartKeepsSpritesObjectsMayPointTo)
{
    ASSERT_EQ(load("1\n1\n1\n1\nred\nA\n", "a") + load("1\n1\n1\n1\nred\nB\n", "a"), 0);
    const cor::Sprite* kept = resources.findSprite("a");
    EXPECT_EQ(kept->frame(0).text(), "A");
    ASSERT_EQ(resources.initialize(), 0);
    EXPECT_EQ(resources.findSprite("a"), nullptr);
    ASSERT_EQ(load("1\n1\n1\n1\nred\nB\n", "b"), 0);
    EXPECT_EQ(kept->frame(0).text(), "A"); // the sanitizer build reports a destroyed one
}

TEST_F(ResourceTest, TheMusicTableChecksTheLabelThenRoomThenTheFile)
{
    const std::string tune = "sound/BGM/BGM.ogg";
    EXPECT_EQ(resources.loadMusic("missing.ogg", "bgm"), -1);
    EXPECT_EQ(resources.findMusic("bgm"), nullptr);
    ASSERT_EQ(resources.loadMusic(tune, "bgm"), 0);
    EXPECT_EQ(resources.musicCount(), 1); // the failed load left its record for this one
    for (int i = 1; i < MUSIC; ++i)
        ASSERT_EQ(resources.loadMusic(tune, "tune" + std::to_string(i)), 0);
    EXPECT_EQ(resources.loadMusic(tune, ""), -1);
    EXPECT_EQ(resources.loadMusic("missing.ogg", "one too many"), -1);
    EXPECT_EQ(log(), musicPrefix + "Unable to load from file 'missing.ogg'.\n" + musicPrefix +
                         "Music label cannot be empty.\n" + musicPrefix + "Music array full.\n");
}
