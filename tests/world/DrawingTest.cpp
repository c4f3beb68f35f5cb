#include "WorldTestSupport.h"

#include <cor/InputManager.h>
#include <cor/Sprite.h>
#include <cor/WorldManager.h>

using worldtest::pixelsOfColor;

namespace
{

const sf::Color RED(255, 0, 0);
const sf::Color GREEN(0, 255, 0);
const sf::Color BLUE(0, 0, 255);
const sf::Color YELLOW(255, 255, 0);

// An object that notes when the world asks it to draw, then draws its sprite.
class DrawnObject : public cor::Object
{
public:
    DrawnObject(std::vector<DrawnObject*>& order, int altitude, cor::Vector position)
        : m_order(order)
    {
        setAltitude(altitude);
        setPosition(position);
    }
    int draw() override
    {
        m_order.push_back(this);
        return cor::Object::draw();
    }

private:
    std::vector<DrawnObject*>& m_order;
};

class DrawingTest : public worldtest::EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        // Start from a cleared window.
        cor::DisplayManager::instance().presentFrame();
    }

    // The frame indexes a fresh animation of the sprite shows over draws.
    std::vector<std::int32_t> framesShown(const std::string& label, int draws)
    {
        cor::SpriteAnimation animation;
        animation.setSprite(cor::ResourceManager::instance().findSprite(label));
        std::vector<std::int32_t> shown;
        for (int i = 0; i < draws; ++i)
        {
            shown.push_back(animation.frameIndex());
            EXPECT_EQ(animation.drawAt(cor::Vector(5, 5)), 0);
        }
        return shown;
    }
};

} // namespace

TEST_F(DrawingTest, ObjectsAreDrawnByAltitudeThenAgeAndOutOfRangeOnesNever)
{
    loadSprite("red", 1, 1, 0, "red", {"#"});
    loadSprite("green", 1, 1, 0, "green", {"#"});
    loadSprite("blue", 1, 1, 0, "blue", {"#"});
    loadSprite("yellow", 1, 1, 0, "yellow", {"#"});
    std::vector<DrawnObject*> order;
    const cor::Vector cell(20, 10);
    const cor::Vector elsewhere(40, 10);
    auto* three = new DrawnObject(order, 3, cell);
    auto* zero = new DrawnObject(order, 0, cell);
    auto* four = new DrawnObject(order, 4, cell);
    auto* five = new DrawnObject(order, cor::HIGHEST_ALTITUDE + 1, elsewhere);
    auto* below = new DrawnObject(order, -1, elsewhere);
    // Within one altitude the object made later is drawn later.
    const cor::Vector shared(30, 10);
    auto* earlier = new DrawnObject(order, 1, shared);
    auto* later = new DrawnObject(order, 1, shared);
    earlier->assignSprite("red");
    later->assignSprite("green");
    three->assignSprite("green");
    zero->assignSprite("red");
    four->assignSprite("blue");
    five->assignSprite("yellow");
    below->assignSprite("yellow");

    cor::WorldManager::instance().drawObjects();
    const sf::Image image = worldtest::captureFrame();
    cor::DisplayManager::instance().presentFrame();

    EXPECT_EQ(order, (std::vector<DrawnObject*>{zero, earlier, later, three, four}));
    // The last drawn covers the others in the shared cell.
    EXPECT_GT(pixelsOfColor(image, 20, 10, BLUE), 10);
    EXPECT_EQ(pixelsOfColor(image, 20, 10, RED), 0);
    EXPECT_EQ(pixelsOfColor(image, 20, 10, GREEN), 0);
    EXPECT_EQ(pixelsOfColor(image, 40, 10, YELLOW), 0);
    EXPECT_GT(pixelsOfColor(image, 30, 10, GREEN), 10);
    EXPECT_EQ(pixelsOfColor(image, 30, 10, RED), 0);
}

TEST_F(DrawingTest, SpritesAreCentredWithTheExtraCellLeftAndAbove)
{
    loadSprite("odd", 3, 3, 0, "red", {"#########"});
    loadSprite("even", 2, 2, 0, "green", {"####"});
    auto* odd = new cor::Object;
    odd->setPosition(cor::Vector(10, 10));
    odd->assignSprite("odd");
    auto* even = new cor::Object;
    even->setPosition(cor::Vector(30, 10));
    even->assignSprite("even");

    cor::WorldManager::instance().drawObjects();
    const sf::Image image = worldtest::captureFrame();
    cor::DisplayManager::instance().presentFrame();

    for (int row = 8; row <= 12; ++row)
    {
        for (int column = 8; column <= 12; ++column)
        {
            const bool covered = row >= 9 && row <= 11 && column >= 9 && column <= 11;
            // Glyphs may reach into the cell on their right; judge only cells left of that.
            if (column == 12)
                continue;
            EXPECT_EQ(pixelsOfColor(image, column, row, RED) > 10, covered) << column << "," << row;
        }
    }
    for (int row = 8; row <= 11; ++row)
    {
        for (int column = 28; column <= 30; ++column)
        {
            const bool covered = row >= 9 && row <= 10 && column >= 29 && column <= 30;
            EXPECT_EQ(pixelsOfColor(image, column, row, GREEN) > 10, covered)
                << column << "," << row;
        }
    }
}

TEST_F(DrawingTest, ANewObjectHasTheDefaultsAndDrawsNothing)
{
    auto* object = new cor::Object;
    EXPECT_EQ(object->typeName(), "Object");
    EXPECT_EQ(object->position(), cor::Vector(0, 0));
    EXPECT_EQ(object->altitude(), 2);
    // Its one-cell box and blocking solidness show in the collision tests.
    EXPECT_EQ(object->animation().sprite(), nullptr);
    EXPECT_EQ(object->velocity(), cor::Vector(0, 0));

    EXPECT_EQ(object->draw(), 0);
    const sf::Image image = worldtest::captureFrame();
    cor::DisplayManager::instance().presentFrame();
    for (int column = 0; column < 2; ++column)
        EXPECT_EQ(pixelsOfColor(image, column, 0, sf::Color::White), 0);
}

TEST_F(DrawingTest, AssignSpriteSizesTheBoxAndAnUnknownLabelChangesNothing)
{
    loadSprite("bar", 3, 1, 4, "yellow", {"<->", "<=>"});
    auto* object = new cor::Object;
    object->animation().setFrameIndex(1);
    object->animation().setSlowdownCount(3);
    ASSERT_EQ(object->assignSprite("bar"), 0);
    EXPECT_EQ(object->box().corner, cor::Vector(-1.5f, -0.5f));
    EXPECT_EQ(object->box().width, 3.0f);
    EXPECT_EQ(object->box().height, 1.0f);
    EXPECT_EQ(object->animation().frameIndex(), 0);
    EXPECT_EQ(object->animation().slowdownCount(), 0);

    const cor::BoundingBox custom(cor::Vector(-0.4f, -0.4f), 0.8f, 0.8f);
    object->setBox(custom);
    const cor::Sprite* before = object->animation().sprite();
    EXPECT_EQ(object->assignSprite("Bar"), -1);
    EXPECT_EQ(object->animation().sprite(), before);
    EXPECT_EQ(object->box().corner, custom.corner);
    EXPECT_EQ(object->box().width, custom.width);
}

TEST_F(DrawingTest, AnimationsStayOnEachFrameForTheSlowdown)
{
    loadSprite("slow", 1, 1, 2, "cyan", {"0", "1", "2", "3"});
    loadSprite("zero", 1, 1, 0, "cyan", {"0", "1", "2", "3"});
    loadSprite("negative", 1, 1, -3, "cyan", {"0", "1", "2", "3"});
    EXPECT_EQ(framesShown("slow", 9), (std::vector<std::int32_t>{0, 0, 1, 1, 2, 2, 3, 3, 0}));
    EXPECT_EQ(framesShown("zero", 5), (std::vector<std::int32_t>{0, 1, 2, 3, 0}));
    EXPECT_EQ(framesShown("negative", 5), (std::vector<std::int32_t>{0, 1, 2, 3, 0}));

    cor::SpriteAnimation frozen;
    frozen.setSprite(cor::ResourceManager::instance().findSprite("zero"));
    frozen.setFrameIndex(2);
    frozen.setSlowdownCount(cor::SpriteAnimation::FROZEN);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frozen.drawAt(cor::Vector(5, 5)), 0);
    EXPECT_EQ(frozen.frameIndex(), 2);
    EXPECT_EQ(frozen.slowdownCount(), cor::SpriteAnimation::FROZEN);
}

TEST_F(DrawingTest, AFrameThatCannotBeDrawnOrNoWindowFailsWithoutAdvancing)
{
    loadSprite("pair", 1, 1, 0, "magenta", {"a", "b"});
    cor::SpriteAnimation animation;
    animation.setSprite(cor::ResourceManager::instance().findSprite("pair"));
    for (std::int32_t index : {-1, 2, 100})
    {
        animation.setFrameIndex(index);
        animation.setSlowdownCount(0);
        EXPECT_EQ(animation.drawAt(cor::Vector(5, 5)), -1);
        EXPECT_EQ(animation.frameIndex(), index);
        EXPECT_EQ(animation.slowdownCount(), 0);
    }

    // A frame without text, as a sprite built in code may hold.
    cor::Sprite blank(2);
    blank.setWidth(1);
    blank.setHeight(1);
    blank.setColor(cor::MAGENTA);
    ASSERT_EQ(blank.pushFrame(cor::Frame(1, 1, "")), 0);
    animation.setSprite(&blank);
    animation.setFrameIndex(0);
    EXPECT_EQ(animation.drawAt(cor::Vector(5, 5)), -1);
    EXPECT_EQ(animation.frameIndex(), 0);
    EXPECT_EQ(animation.slowdownCount(), 0);

    const sf::Image image = worldtest::captureFrame();
    cor::DisplayManager::instance().presentFrame();
    EXPECT_EQ(pixelsOfColor(image, 5, 5, sf::Color::Magenta), 0);

    // Without a window no frame can be drawn.
    animation.setSprite(cor::ResourceManager::instance().findSprite("pair"));
    cor::InputManager::instance().shutdown();
    cor::DisplayManager::instance().shutdown();
    EXPECT_EQ(animation.drawAt(cor::Vector(5, 5)), -1);
    EXPECT_EQ(animation.frameIndex(), 0);
    EXPECT_EQ(animation.slowdownCount(), 0);
}
