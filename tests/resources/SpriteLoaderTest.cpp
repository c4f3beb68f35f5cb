// Reading sprite files: every refusal with its one message, and what a good file becomes.
#include "ResourceTestFixture.h"

#include <climits>
#include <string>
#include <vector>

using testsupport::writeFile;

namespace
{

const std::string prefix = "ResourceManager::loadSprite(): ";

class SpriteLoader : public ResourceTest
{
protected:
    // Loads `content` as a sprite file; on failure the sprite count must not have moved.
    int load(const std::string& content, const std::string& label = "sprite")
    {
        writeFile("sprite.txt", content);
        const std::int32_t before = resources().spriteCount();
        const int result = resources().loadSprite("sprite.txt", label);
        if (result != 0)
        {
            EXPECT_EQ(resources().spriteCount(), before);
        }
        return result;
    }
};

struct Refusal
{
    const char* what;
    std::string content;
    std::string message;
};

} // namespace

TEST_F(SpriteLoader, EveryBadFileFailsWithExactlyItsOwnMessage)
{
    const std::string header = "1\n3\n1\n4\nyellow\n";
    const std::vector<Refusal> refusals = {
        {"empty file", "", "missing frame count.\n"},
        {"zero frames", "0\n", "error line 1. Invalid frame count '0'.\n"},
        {"negative frames", "-2\n3\n", "error line 1. Invalid frame count '-2'.\n"},
        {"word for frames", "two\n", "error line 1. Invalid frame count 'two'.\n"},
        {"no width", "1\n", "missing width.\n"},
        {"zero width", "1\n0\n1\n", "error line 2. Invalid width '0'.\n"},
        {"no height", "1\n5x\n", "missing height.\n"},
        {"word for height", "1\n5x\nhigh\n", "error line 3. Invalid height 'high'.\n"},
        {"no slowdown", "1\n3\n1\n", "missing slowdown.\n"},
        {"no colour", "1\n3\n1\n4\n", "missing color.\n"},
        {"capital colour", "1\n3\n1\n4\nYellow\nabc\n",
         "error line 5. Unrecognized color 'Yellow'.\n"},
        {"colour and blank", "1\n3\n1\n4\nyellow \nabc\n",
         "error line 5. Unrecognized color 'yellow '.\n"},
        {"blank and colour", "1\n3\n1\n4\n yellow\nabc\n",
         "error line 5. Unrecognized color ' yellow'.\n"},
        {"no frame rows", header, "file ended before all frame data was read.\n"},
        {"row too short", "2\n3\n1\n4\nyellow\nabc\nab\n",
         "error line 7. Line width 2, expected 3.\n"},
        {"row too long", header + "abcd\n", "error line 6. Line width 4, expected 3.\n"},
        {"second row missing", "1\n3\n2\n4\nyellow\nabc",
         "file ended before all frame data was read.\n"},
        {"second frame short", "2\n2\n2\n1\nred\nab\ncd\nef\ng\n",
         "error line 9. Line width 1, expected 2.\n"},
        {"carriage return without line feed at the end", "1\n3\n1\n4\nyellow\nabc\r",
         "error line 6. Line width 4, expected 3.\n"},
    };
    for (const Refusal& refusal : refusals)
    {
        clearLog();
        EXPECT_EQ(load(refusal.content), -1) << refusal.what;
        EXPECT_EQ(log(), prefix + refusal.message) << refusal.what;
    }
    EXPECT_EQ(resources().spriteCount(), 0);
    EXPECT_EQ(resources().findSprite("sprite"), nullptr);
}

TEST_F(SpriteLoader, AFileThatCannotBeOpenedIsNamed)
{
    EXPECT_EQ(resources().loadSprite("no-such-file.txt", "ghost"), -1);
    std::filesystem::create_directory("a-directory");
    EXPECT_EQ(resources().loadSprite("a-directory", "ghost"), -1);
    EXPECT_EQ(log(), prefix + "unable to open file 'no-such-file.txt'.\n" + prefix +
                         "unable to open file 'a-directory'.\n");
    EXPECT_EQ(resources().spriteCount(), 0);
}

TEST_F(SpriteLoader, ATwoFrameSpriteKeepsEveryFieldAndFrameInFileOrder)
{
    ASSERT_EQ(load("2\n3\n2\n4\nyellow\nabc\ndef\n g \n.h.\n", "pair"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(resources().spriteCount(), 1);
    const cor::Sprite* sprite = resources().findSprite("pair");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->label(), "pair");
    EXPECT_EQ(sprite->width(), 3);
    EXPECT_EQ(sprite->height(), 2);
    EXPECT_EQ(sprite->slowdown(), 4);
    EXPECT_EQ(sprite->color(), cor::YELLOW);
    EXPECT_EQ(sprite->maxFrameCount(), 2);
    EXPECT_EQ(sprite->frameCount(), 2);
    EXPECT_EQ(sprite->frame(0).text(), "abcdef");
    EXPECT_EQ(sprite->frame(1).text(), " g .h.");
    EXPECT_EQ(sprite->frame(1).width(), 3);
    EXPECT_EQ(sprite->frame(1).height(), 2);
    // Outside the filled slots there is only an empty frame.
    EXPECT_EQ(sprite->frame(2).text(), "");
    EXPECT_EQ(sprite->frame(-1).width(), 0);
}

TEST_F(SpriteLoader, NumbersAreReadLikeAtoiAndClampedInsteadOfOverflowing)
{
    // Leading blanks and trailing words are fine; a word alone is 0, accepted as a slowdown.
    ASSERT_EQ(load("  1 frame\n2 wide\n1\nslow\ncyan\nab\n", "words"), 0);
    const cor::Sprite* sprite = resources().findSprite("words");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->width(), 2);
    EXPECT_EQ(sprite->slowdown(), 0);
    ASSERT_EQ(load("1\n1\n1\n-1\nblue\nx\n", "minus"), 0);
    EXPECT_EQ(resources().findSprite("minus")->slowdown(), -1);
    ASSERT_EQ(load("1\n1\n1\n99999999999999999999\nblue\nx\n", "huge"), 0);
    EXPECT_EQ(resources().findSprite("huge")->slowdown(), INT_MAX);
    ASSERT_EQ(load("1\n1\n1\n-99999999999999999999\nblue\nx\n", "tiny"), 0);
    EXPECT_EQ(resources().findSprite("tiny")->slowdown(), INT_MIN);

    // A width beyond any int stays the largest int rather than wrapping to a negative one.
    clearLog();
    EXPECT_EQ(load("1\n99999999999999999999\n1\n1\nred\nx\n"), -1);
    EXPECT_EQ(log(), prefix + "error line 6. Line width 1, expected 2147483647.\n");
    clearLog();
    EXPECT_EQ(load("-99999999999999999999\n"), -1);
    EXPECT_EQ(log(), prefix + "error line 1. Invalid frame count '-99999999999999999999'.\n");
}

TEST_F(SpriteLoader, AHugeFrameCountFailsWhenTheFileEndsWithoutReservingTheFrames)
{
    // Two thousand million frame slots would be far more memory than the machine has:
    // the loader only grows its storage as frames are read.
    EXPECT_EQ(load("2000000000\n1\n1\n1\nred\na\nb\nc\n"), -1);
    EXPECT_EQ(log(), prefix + "file ended before all frame data was read.\n");
    cor::Sprite sprite(2000000000);
    EXPECT_EQ(sprite.maxFrameCount(), 2000000000);
    EXPECT_EQ(sprite.pushFrame(cor::Frame(1, 1, "a")), 0);
    EXPECT_EQ(sprite.frameCount(), 1);
}

TEST_F(SpriteLoader, PushFrameRefusesAFrameBeyondItsSlots)
{
    cor::Sprite sprite(1);
    EXPECT_EQ(sprite.pushFrame(cor::Frame(2, 1, "ab")), 0);
    EXPECT_EQ(sprite.pushFrame(cor::Frame(2, 1, "cd")), -1);
    EXPECT_EQ(sprite.frameCount(), 1);
    EXPECT_EQ(sprite.frame(0).text(), "ab");
}

TEST_F(SpriteLoader, CarriageReturnLineEndsLoadTheSameAndExtraLinesAreIgnored)
{
    const std::string lines[] = {"2", "2", "2", "3", "green", "ab", "cd", "ef", "gh"};
    std::string unixText;
    std::string windowsText;
    for (const std::string& line : lines)
    {
        unixText += line + "\n";
        windowsText += line + "\r\n";
    }
    ASSERT_EQ(load(unixText + "a line nobody reads\n\n", "unix"), 0);
    ASSERT_EQ(load(windowsText + "trailing\r\njunk", "windows"), 0);
    // The last line needs no line end.
    ASSERT_EQ(load(unixText.substr(0, unixText.size() - 1), "unterminated"), 0);
    EXPECT_EQ(log(), "");
    for (const char* label : {"windows", "unterminated"})
    {
        const cor::Sprite* sprite = resources().findSprite(label);
        const cor::Sprite* reference = resources().findSprite("unix");
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->color(), reference->color());
        EXPECT_EQ(sprite->slowdown(), reference->slowdown());
        ASSERT_EQ(sprite->frameCount(), reference->frameCount());
        for (std::int32_t i = 0; i < sprite->frameCount(); ++i)
            EXPECT_EQ(sprite->frame(i).text(), reference->frame(i).text()) << label;
    }
}

TEST_F(SpriteLoader, EachColourWordGivesItsColour)
{
    const char* words[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
    for (int i = 0; i < 8; ++i)
    {
        ASSERT_EQ(load(std::string("1\n1\n1\n1\n") + words[i] + "\nx\n", words[i]), 0);
        EXPECT_EQ(resources().findSprite(words[i])->color(), static_cast<cor::Color>(i));
    }
}

TEST_F(SpriteLoader, AFullTableRefusesWithoutOpeningTheFile)
{
    writeFile("dot.txt", "1\n1\n1\n1\nwhite\n.\n");
    for (int i = 0; i < cor::SPRITE_CAPACITY; ++i)
        ASSERT_EQ(resources().loadSprite("dot.txt", "dot" + std::to_string(i)), 0);
    EXPECT_EQ(resources().spriteCount(), cor::SPRITE_CAPACITY);
    // A missing file would be reported as such if it were opened.
    EXPECT_EQ(resources().loadSprite("no-such-file.txt", "one too many"), -1);
    EXPECT_EQ(log(), prefix + "sprite array full.\n");
    EXPECT_EQ(resources().spriteCount(), cor::SPRITE_CAPACITY);
    EXPECT_NE(resources().findSprite("dot499"), nullptr);
}

TEST_F(SpriteLoader, LabelsAreFoundFirstLoadedFirstAndExactly)
{
    ASSERT_EQ(load("1\n1\n1\n1\nred\nA\n", "twin"), 0);
    ASSERT_EQ(load("1\n1\n1\n1\nblue\nB\n", "twin"), 0);
    const cor::Sprite* twin = resources().findSprite("twin");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->frame(0).text(), "A");
    EXPECT_EQ(resources().findSprite("Twin"), nullptr);
    EXPECT_EQ(resources().findSprite("twin "), nullptr);
    EXPECT_EQ(resources().findSprite(""), nullptr);
    EXPECT_EQ(log(), ""); // look-ups log nothing, found or not
}

TEST_F(SpriteLoader, ShutdownAndInitializeEmptyTheTable)
{
    ASSERT_EQ(load("1\n1\n1\n1\nred\nA\n", "kept"), 0);
    resources().shutdown();
    EXPECT_FALSE(resources().hasStarted());
    EXPECT_EQ(resources().spriteCount(), 0);
    EXPECT_EQ(resources().findSprite("kept"), nullptr);

    EXPECT_EQ(resources().initialize(), 0);
    EXPECT_TRUE(resources().hasStarted());
    ASSERT_EQ(load("1\n1\n1\n1\nred\nA\n", "again"), 0);
    EXPECT_EQ(resources().initialize(), 0);
    EXPECT_EQ(resources().spriteCount(), 0);
    EXPECT_EQ(resources().findSprite("again"), nullptr);
    // The table fills from its first slot again.
    ASSERT_EQ(load("1\n1\n1\n1\nred\nB\n", "after"), 0);
    EXPECT_EQ(resources().spriteCount(), 1);
    EXPECT_EQ(resources().findSprite("after")->frame(0).text(), "B");
}
