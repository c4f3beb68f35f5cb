// The eight sprite files the game ships: they load, and they fit where the game draws them.
#include "ResourceTestFixture.h"

#include <cor/DisplayManager.h>

#include <string>

namespace
{

const std::string assets = std::string(HALVREN_RUN_DIR) + "/assets/";

class ShippedSprites : public ResourceTest
{
protected:
    const cor::Sprite* loadShipped(const std::string& label)
    {
        EXPECT_EQ(resources().loadSprite(assets + label + ".txt", label), 0) << label;
        EXPECT_EQ(log(), "") << label;
        return resources().findSprite(label);
    }

    // Every cell of every frame lies on the screen when the sprite is centred the way the
    // title and the quit animation place it: on (columns / 2, rows / 2), halves rounded down.
    static void expectFitsCentred(const cor::Sprite& sprite)
    {
        const cor::DisplayManager& display = cor::DisplayManager::instance();
        const int centreX = display.cellColumns() / 2;
        const int centreY = display.cellRows() / 2;
        const int left = centreX - sprite.width() / 2;
        const int top = centreY - sprite.height() / 2;
        EXPECT_GE(left, 0) << sprite.label();
        EXPECT_GE(top, 0) << sprite.label();
        EXPECT_LE(left + sprite.width(), display.cellColumns()) << sprite.label();
        EXPECT_LE(top + sprite.height(), display.cellRows()) << sprite.label();
    }
};

} // namespace

TEST_F(ShippedSprites, WorldSpritesAreOneCellInTheirWorldsColour)
{
    struct WorldSprite
    {
        const char* label;
        cor::Color color;
        char glyph; // 0: the art's choice, but not blank
    };
    const WorldSprite sprites[] = {
        {"red-player", cor::RED, '@'}, {"blue-player", cor::BLUE, '@'},
        {"red-wall", cor::RED, 0},     {"blue-wall", cor::BLUE, 0},
        {"red-exit", cor::RED, 'O'},   {"blue-exit", cor::BLUE, 'O'},
    };
    for (const WorldSprite& expected : sprites)
    {
        const cor::Sprite* sprite = loadShipped(expected.label);
        ASSERT_NE(sprite, nullptr) << expected.label;
        EXPECT_EQ(sprite->width(), 1) << expected.label;
        EXPECT_EQ(sprite->height(), 1) << expected.label;
        EXPECT_EQ(sprite->color(), expected.color) << expected.label;
        ASSERT_GE(sprite->frameCount(), 1) << expected.label;
        for (std::int32_t i = 0; i < sprite->frameCount(); ++i)
        {
            const char shown = sprite->frame(i).text().at(0);
            if (expected.glyph != 0)
                EXPECT_EQ(shown, expected.glyph) << expected.label;
            else
                EXPECT_NE(shown, ' ') << expected.label;
        }
    }
}

TEST_F(ShippedSprites, TitleIsAnimatedFitsTheScreenAndNamesItsKeys)
{
    const cor::Sprite* title = loadShipped("halvren-title");
    ASSERT_NE(title, nullptr);
    expectFitsCentred(*title);
    ASSERT_GE(title->frameCount(), 2);
    EXPECT_GE(title->slowdown(), 1);
    bool changes = false;
    for (std::int32_t i = 0; i < title->frameCount(); ++i)
    {
        const std::string& text = title->frame(i).text();
        changes = changes || text != title->frame(0).text();
        // The title state shows nothing but this art, so every frame tells the keys.
        EXPECT_NE(text.find("ENTER"), std::string::npos) << "frame " << i;
        EXPECT_NE(text.find("[I]"), std::string::npos) << "frame " << i;
        EXPECT_NE(text.find("[Q]"), std::string::npos) << "frame " << i;
    }
    EXPECT_TRUE(changes);
}

TEST_F(ShippedSprites, GameOverFitsTheScreenAndPlaysForOneToTwoSeconds)
{
    const cor::Sprite* gameOver = loadShipped("gameover");
    ASSERT_NE(gameOver, nullptr);
    expectFitsCentred(*gameOver);
    // The quit animation runs frameCount x slowdown game-loop frames of 33 ms.
    const int loopFrames = gameOver->frameCount() * gameOver->slowdown();
    EXPECT_GE(loopFrames, 30);
    EXPECT_LE(loopFrames, 60);
}
