// A small game on the engine, played through the real frame loop with real key presses:
// a player walks on arrow keys until a wall stops it, a falling block lands on a floor, and
// every frame is drawn by altitude.

#include "WorldTestSupport.h"
#include "XTestSupport.h"

#include <cor/EventKeyboard.h>
#include <cor/EventStep.h>
#include <cor/WorldManager.h>

#include <functional>
#include <memory>

namespace
{

const sf::Color YELLOW(255, 255, 0);
const sf::Color BLUE(0, 0, 255);
const sf::Color CYAN(0, 255, 255);
const sf::Color MAGENTA(255, 0, 255);

// Moves one cell per arrow press, through the world's collision check.
class Player : public cor::Object
{
public:
    Player()
    {
        setTypeName("player");
        assignSprite("player");
        // Smaller than a cell, so that it does not touch its neighbours.
        setBox(cor::BoundingBox(cor::Vector(-0.4f, -0.4f), 0.8f, 0.8f));
    }
    int handleEvent(const cor::Event* event) override
    {
        if (event->typeName() != cor::EVENT_TYPE_KEYBOARD)
            return 0;
        const auto* keyboard = static_cast<const cor::EventKeyboard*>(event);
        if (keyboard->action() != cor::PRESS)
            return 0;
        ++presses;
        cor::Vector step;
        if (keyboard->key() == cor::LEFT)
            step = cor::Vector(-1, 0);
        else if (keyboard->key() == cor::RIGHT)
            step = cor::Vector(1, 0);
        else if (keyboard->key() == cor::UP)
            step = cor::Vector(0, -1);
        else if (keyboard->key() == cor::DOWN)
            step = cor::Vector(0, 1);
        else
            return 0;
        if (cor::WorldManager::instance().tryMoveObject(this, position() + step) != 0)
            ++blocked;
        return 1;
    }

    int presses = 0;
    int blocked = 0;
};

class Block : public cor::Object
{
public:
    Block(const std::string& sprite, cor::Vector where, int altitude)
    {
        assignSprite(sprite);
        setPosition(where);
        setAltitude(altitude);
    }
    int handleEvent(const cor::Event* event) override
    {
        if (event->typeName() != cor::EVENT_TYPE_COLLISION)
            return 0;
        ++collisions;
        return 1;
    }

    int collisions = 0;
};

// Sends the key presses once the loop runs, ends the game when they have all arrived, and
// reads the finished picture back: it is drawn last, after everything else of the frame.
class Director : public cor::Object
{
public:
    Director(std::vector<std::string> keys, std::function<bool()> settled)
        : m_keys(std::move(keys)), m_settled(std::move(settled))
    {
        setAltitude(cor::HIGHEST_ALTITUDE);
        setSolidness(cor::INTANGIBLE);
    }
    int handleEvent(const cor::Event* event) override
    {
        if (event->typeName() != cor::EVENT_TYPE_STEP)
            return 0;
        const int step = static_cast<const cor::EventStep*>(event)->stepCount();
        lastStep = step;
        if (step == 2)
        {
            std::vector<std::string> arguments = {"key", "--delay", "20"};
            arguments.insert(arguments.end(), m_keys.begin(), m_keys.end());
            keysSent = xtest::xdotool(arguments);
        }
        // Give up after ten seconds of frames rather than hang.
        if (m_settled() || step > 300)
            m_finishing = true;
        return 1;
    }
    int draw() override
    {
        if (m_finishing && !picture)
        {
            picture = std::make_unique<sf::Image>(worldtest::captureFrame());
            cor::GameManager::instance().endGame();
        }
        return 0;
    }

    bool keysSent = false;
    int lastStep = -1;
    std::unique_ptr<sf::Image> picture;

private:
    std::vector<std::string> m_keys;
    std::function<bool()> m_settled;
    bool m_finishing = false;
};

class DemoTest : public worldtest::EngineTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xtest::usePrivateDisplay());
        EngineTest::SetUp();
        const std::string window = xtest::findWindow(cor::DEFAULT_TITLE);
        ASSERT_FALSE(window.empty());
        ASSERT_TRUE(xtest::focusWindow(window));
    }
};

} // namespace

TEST_F(DemoTest, APlayerWalksOnArrowKeysUntilAWallStopsIt)
{
    loadSprite("player", 1, 1, 0, "yellow", {"@"});
    loadSprite("wall", 1, 1, 0, "blue", {"#"});
    loadSprite("falling", 1, 1, 0, "cyan", {"o"});
    loadSprite("marker", 1, 1, 0, "magenta", {"*"});

    const cor::Vector start(20, 10);
    const int wallColumn = 30;
    const int floorRow = 18;
    for (int row = 5; row <= 15; ++row)
        new Block("wall", cor::Vector(static_cast<float>(wallColumn), static_cast<float>(row)), 0);
    for (int column = 40; column <= 44; ++column)
        new Block("wall", cor::Vector(static_cast<float>(column), static_cast<float>(floorRow)), 0);
    auto* player = new Player;
    player->setPosition(start);
    // Falls half a cell a frame until the floor stops it.
    auto* falling = new Block("falling", cor::Vector(42, 2), 2);
    falling->setDirection(cor::Vector(0, 1));
    falling->setSpeed(0.5f);
    // Over a wall cell at a higher altitude, and at the wall's altitude but made later.
    auto* marker = new Block("marker", cor::Vector(static_cast<float>(wallColumn), 5), 4);
    marker->setSolidness(cor::INTANGIBLE);
    auto* hidden = new Block("player", cor::Vector(static_cast<float>(wallColumn), 6), 0);
    hidden->setSolidness(cor::INTANGIBLE);
    static_cast<void>(hidden);

    const std::vector<std::string> keys = {"Up",    "Up",    "Right", "Right", "Right", "Right",
                                           "Right", "Right", "Right", "Right", "Right", "Right",
                                           "Right", "Right", "Right", "Down"};
    // Done when every press has arrived and the block has been stopped twice (it rests).
    auto* director = new Director(
        keys, [&]
        { return player->presses == static_cast<int>(keys.size()) && falling->collisions >= 2; });
    cor::GameManager::instance().run();

    ASSERT_TRUE(director->keysSent);
    ASSERT_EQ(player->presses, static_cast<int>(keys.size())) << "frames: " << director->lastStep;
    // Two up, thirteen right of which the wall refused those past the cell before it, one down.
    const cor::Vector expected(static_cast<float>(wallColumn - 1), start.y - 1);
    EXPECT_EQ(player->position(), expected);
    EXPECT_EQ(player->blocked, 13 - (wallColumn - 1 - static_cast<int>(start.x)));
    // Half-cell steps: the one that would make its box touch the floor's is refused, so the
    // block rests half a cell above the floor's neighbouring cell.
    const float restingRow = static_cast<float>(floorRow) - 1.5f;
    EXPECT_EQ(falling->position(), cor::Vector(42, restingRow));

    ASSERT_NE(director->picture, nullptr);
    const sf::Image& image = *director->picture;
    const int playerColumn = static_cast<int>(expected.x);
    const int playerRow = static_cast<int>(expected.y);
    EXPECT_GT(worldtest::pixelsOfColor(image, playerColumn, playerRow, YELLOW), 10);
    EXPECT_EQ(worldtest::pixelsOfColor(image, static_cast<int>(start.x), static_cast<int>(start.y),
                                       YELLOW),
              0);
    // Drawn at a half row, it shows across the two rows it straddles.
    EXPECT_GT(worldtest::pixelsOfColor(image, 42, floorRow - 2, CYAN) +
                  worldtest::pixelsOfColor(image, 42, floorRow - 1, CYAN),
              10);
    EXPECT_EQ(worldtest::pixelsOfColor(image, 42, 2, CYAN), 0);
    EXPECT_GT(worldtest::pixelsOfColor(image, 42, floorRow, BLUE), 10);
    // Altitude 4 over altitude 0; within one altitude the later object over the earlier.
    EXPECT_GT(worldtest::pixelsOfColor(image, wallColumn, 5, MAGENTA), 10);
    EXPECT_EQ(worldtest::pixelsOfColor(image, wallColumn, 5, BLUE), 0);
    EXPECT_GT(worldtest::pixelsOfColor(image, wallColumn, 6, YELLOW), 10);
    EXPECT_EQ(worldtest::pixelsOfColor(image, wallColumn, 6, BLUE), 0);
    EXPECT_GT(worldtest::pixelsOfColor(image, wallColumn, 7, BLUE), 10);
}
