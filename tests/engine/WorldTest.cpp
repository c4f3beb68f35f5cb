// Objects, their events and the world manager on the engine started for real: collisions, out
// events, motion, deletion, and drawing by altitude with sprite animations. Where a sprite lands
// on the grid, the end-to-end run reads off the window.
#include "TestSupport.h"

#include <cor/EventCollision.h>
#include <cor/EventKeyboard.h>
#include <cor/EventMouse.h>
#include <cor/EventOut.h>
#include <cor/EventStep.h>
#include <cor/ResourceManager.h>
#include <cor/Sprite.h>
#include <cor/WorldManager.h>

#include <algorithm>
#include <stdexcept>

using namespace testsupport;

namespace
{

class WorldTest : public EngineFixture
{
protected:
    Recorder* at(cor::Vector position, cor::Solidness solidness = cor::BLOCKING)
    {
        auto* object = new Recorder(&shared);
        object->setPosition(position);
        object->setSolidness(solidness);
        return object;
    }
    std::size_t destroyed() const
    {
        return std::count_if(shared.begin(), shared.end(),
                             [](const Delivery& entry) { return entry.type == "destroyed"; });
    }
    cor::WorldManager& world = cor::WorldManager::instance();
    std::vector<Delivery> shared;
};

constexpr cor::Solidness BLOCK = cor::BLOCKING, PASS = cor::PASSABLE, NONE = cor::INTANGIBLE;
const auto CAPACITY = std::int32_t(fact("capacities", 0));

} // namespace

TEST_F(WorldTest, ANewObjectTakesTheNextNumberAndItsDefaultsAndASpriteSizesItsBox)
{
    const std::int32_t deleted = std::make_unique<cor::Object>()->id(); // never given again
    cor::Object object;
    const auto box = [&]
    { return std::tuple(object.box().corner, object.box().width, object.box().height); };
    EXPECT_TRUE(object.id() == deleted + 1 && object.typeName() == "Object" &&
                object.position() == cor::Vector() && object.altitude() == 2 &&
                object.solidness() == cor::BLOCKING && object.draw() == 0);
    object.setDirection(cor::Vector(2, -1));
    object.setSpeed(0.5f);
    EXPECT_EQ(object.velocity(), cor::Vector(1, -0.5f));
    writeFile("wide.txt", "1\n3\n1\n1\nred\nabc\n");
    ASSERT_EQ(cor::ResourceManager::instance().loadSprite("wide.txt", "wide"), 0);
    for (const auto& [label, result, corner, width] :
         {std::tuple("narrow", -1, -0.5f, 1.0f), std::tuple("wide", 0, -1.5f, 3.0f)})
    {
        EXPECT_EQ(object.assignSprite(label), result);
        EXPECT_EQ(box(), std::tuple(cor::Vector(corner, -0.5f), width, 1.0f)) << label;
    }
    // Each event names its kind and starts with nothing set.
    const cor::EventKeyboard key;
    const cor::EventMouse mouse;
    const cor::EventCollision hit;
    EXPECT_EQ(cor::Event().typeName() + cor::EventStep(7).typeName() + key.typeName() +
                  mouse.typeName() + hit.typeName() + cor::EventOut().typeName(),
              "cor::undefinedcor::stepcor::keyboardcor::mousecor::collisioncor::out");
    EXPECT_TRUE(key.key() == cor::NO_KEY && key.action() == cor::NO_KEY_ACTION &&
                mouse.action() == cor::NO_MOUSE_ACTION && mouse.button() == cor::NO_BUTTON &&
                mouse.position() == cor::Vector() && !hit.mover() && !hit.other() &&
                hit.position() == cor::Vector() && cor::EventStep(7).stepCount() == 7);
}

TEST(FixedObjectList, ReadsOnlyItsEntriesKeepsOrderTakesNoMoreWhenFullAndCopiesAreSnapshots)
{
    cor::Object a, b;
    cor::FixedObjectList list;
    for (std::int32_t i = 0; i <= CAPACITY; ++i)
        list.append(i % 2 ? &a : &b);
    const cor::FixedObjectList copy = list;
    list.remove(&b); // the first b, the others keep their order
    EXPECT_TRUE(list.count() == CAPACITY - 1 && list[0] == &a && list[1] == &b);
    EXPECT_TRUE(copy.count() == CAPACITY && copy[0] == &b);
    const auto outside = [&](std::int32_t index) -> std::string
    {
        try
        {
            return list[index] ? "read" : "null";
        }
        catch (const std::out_of_range& error)
        {
            return error.what();
        }
    };
    EXPECT_EQ(outside(-1) + " " + outside(CAPACITY - 1), "Invalid index! Invalid index!");
}

TEST_F(WorldTest, ObjectsAreFoundByTheirExactTypeInTheOrderTheyWereMadeAndMovedByVelocity)
{
    std::vector<Recorder*> walls;
    for (const std::string type : {"wall", "Wall", "walls", "wal", "wall"})
    {
        Recorder* object = at({});
        object->setTypeName(type);
        if (type == "wall")
            walls.push_back(object);
    }
    const cor::FixedObjectList found = world.findObjectsByType("wall");
    EXPECT_TRUE(found.count() == 2 && found[0] == walls[0] && found[1] == walls[1]);

    // Each stands on a blocking object: a move, even to where it is, would be heard.
    const std::pair<cor::Vector, float> motions[] = {{{1, 0}, 0.5f}, {{1, 0}, 0}, {{}, 1}};
    std::vector<Recorder*> movers;
    for (const auto& [direction, speed] : motions)
    {
        Recorder* mover = movers.emplace_back(at({5, 5.0f + 3 * float(movers.size())}, PASS));
        mover->setDirection(direction);
        mover->setSpeed(speed);
        at(mover->position());
    }
    world.updateWorld();
    EXPECT_EQ(movers[0]->position(), cor::Vector(5.5f, 5));
    for (std::size_t i = 0; i < movers.size(); ++i)
        EXPECT_EQ(movers[i]->received(cor::EVENT_TYPE_COLLISION).size(), i == 0 ? 1u : 0u) << i;
}

TEST_F(WorldTest, EveryTouchedObjectHearsOfTheMoveOnlyTwoBlockingOnesStopItAfterTheirHandlers)
{
    const struct
    {
        cor::Solidness mover;
        cor::Vector where; // from (10, 5)
        std::vector<std::pair<cor::Vector, cor::Solidness>> others;
        int result;
        std::vector<std::size_t> heardBy; // each collision: the mover, then others[i]
    } cases[] = {
        // clang-format off
        {BLOCK, {11, 5}, {{{12, 5}, BLOCK}, {{12, 7}, BLOCK}}, -1, {0}}, // boxes that touch
        {BLOCK, {11, 6}, {{{12, 5}, BLOCK}, {{12, 7}, BLOCK}}, -1, {0, 1}}, // corners too
        {BLOCK, {10.9f, 5}, {{{12, 5}, BLOCK}}, 0, {}},
        {BLOCK, {11, 5}, {{{11, 5}, BLOCK}, {{11, 5}, NONE}, {{11, 5}, PASS}}, -1, {0, 2}},
        {BLOCK, {11, 5}, {{{11, 5}, PASS}}, 0, {0}}, {BLOCK, {11, 5}, {{{11, 5}, NONE}}, 0, {}},
        {PASS, {11, 5}, {{{11, 5}, BLOCK}}, 0, {0}}, {NONE, {11, 5}, {{{11, 5}, BLOCK}}, 0, {}},
        // clang-format on
    };
    for (const auto& test : cases)
    {
        shared.clear();
        Recorder* mover = at({10, 5}, test.mover);
        std::vector<Recorder*> others;
        for (const auto& [position, solidness] : test.others)
            others.push_back(at(position, solidness));
        EXPECT_EQ(world.tryMoveObject(mover, test.where), test.result);
        EXPECT_EQ(mover->position(), test.result == 0 ? test.where : cor::Vector(10, 5));
        std::vector<std::pair<std::int32_t, cor::Object*>> expected, heard;
        for (std::size_t other : test.heardBy)
            expected.insert(expected.end(),
                            {{mover->id(), others[other]}, {others[other]->id(), mover}});
        for (const Delivery& delivery : shared)
            heard.emplace_back(delivery.receiver, delivery.other);
        EXPECT_EQ(heard, expected) << &test - cases;
        others.push_back(mover);
        for (Recorder* object : others)
            delete object;
    }
    Recorder* door = at({21, 5});
    door->onEvent = [&](const cor::Event&) { door->setSolidness(cor::PASSABLE); };
    EXPECT_EQ(world.tryMoveObject(at({20, 5}), cor::Vector(21, 5)), 0);
}

TEST_F(WorldTest, OutEventsOnlyWhenAMoveCrossesFromInsideToOutside)
{
    const auto right = float(fact("grid", 0)), bottom = float(fact("grid", 1));
    const struct
    {
        cor::Vector from, to;
        bool walled; // a blocking object stands where it goes
        std::size_t outEvents;
        cor::Solidness solidness = BLOCK;
    } moves[] = {
        // clang-format off
        {{right - 0.5f, 3}, {right, 3}, false, 1}, {{right, 3}, {right + 1, 3}, false, 0},
        {{right + 1, 3}, {right - 1, 3}, false, 0}, {{-1, 0}, {-2, 0}, false, 0},
        {{0, 0}, {0, -0.25f}, false, 1}, {{5, bottom - 0.1f}, {5, bottom}, false, 1},
        {{right - 1, 3}, {right, 3}, true, 0}, {{right - 1, 3}, {right, 3}, true, 1, NONE},
        // clang-format on
    };
    for (const auto& move : moves)
    {
        Recorder* object = at(move.from, move.solidness);
        Recorder* wall = move.walled ? at(move.to) : nullptr;
        world.tryMoveObject(object, move.to);
        EXPECT_EQ(object->received(cor::EVENT_TYPE_OUT).size(), move.outEvents) << &move - moves;
        delete object;
        delete wall;
    }
}

TEST_F(WorldTest, EachObjectIsDeletedExactlyOnceEvenByReentrantDestructors)
{
    Recorder* parent = at({});
    Recorder* child = at({});
    parent->onDestroy = [&] { world.scheduleDeletion(child); }; // joins the pass in progress
    Recorder* owner = at({});
    Recorder* owned = at({});
    owner->onDestroy = [&] { delete owned; }; // scheduled as well, so the pass must skip it
    Recorder* early = at({});
    for (Recorder* object : {parent, parent, owner, owned, early})
        world.scheduleDeletion(object);
    delete early;                       // by the code that made it, after scheduling
    world.broadcast(cor::EventStep(0)); // the scheduled are spoken to until the pass
    EXPECT_EQ(parent->received(cor::EVENT_TYPE_STEP).size(), 1u);
    world.updateWorld();
    world.updateWorld();
    EXPECT_EQ(destroyed(), 5u);
    EXPECT_EQ(world.allObjects().count(), 0);

    Recorder* first = at({});
    Recorder* second = at({});
    at({});
    first->onDestroy = [&] { delete second; }; // a later object of the shutdown's list
    world.shutdown();
    EXPECT_EQ(destroyed(), 8u);
}

TEST_F(WorldTest, AFullWorldLeavesTheNextObjectUnregisteredAndAFullDeletionListTakesNoMore)
{
    while (world.allObjects().count() < CAPACITY)
        new Recorder;
    Recorder extra;
    EXPECT_FALSE(world.allObjects().contains(&extra));
    world.broadcast(cor::EventStep(0));
    EXPECT_TRUE(extra.received(cor::EVENT_TYPE_STEP).empty());
    const cor::FixedObjectList all = world.allObjects();
    for (std::int32_t i = 0; i < all.count(); ++i)
        world.scheduleDeletion(all[i]);
    world.scheduleDeletion(&extra); // were it taken, its deletion would fail on the stack
    world.updateWorld();
    EXPECT_EQ(world.allObjects().count(), 0);
}

TEST_F(WorldTest, ObjectsAreDrawnByAltitudeThenAge)
{
    std::vector<Recorder*> made, drawn;
    const int top = int(fact("draw_layers", 1)); // layers 0 to top are drawn
    for (const int altitude : {3, 0, top, top + 1, -1, 1, 1})
    {
        Recorder* object = made.emplace_back(at({}));
        object->setAltitude(altitude);
        object->onDraw = [&drawn, object] { drawn.push_back(object); };
    }
    world.drawObjects();
    EXPECT_EQ(drawn, (std::vector<Recorder*>{made[1], made[5], made[6], made[0], made[2]}));
}

TEST_F(WorldTest, AnimationsStayOnEachFrameForTheSlowdownAndUndrawableFramesStayPut)
{
    cor::Sprite blank(1); // a frame without text, as a sprite built in code may hold
    ASSERT_EQ(blank.pushFrame(cor::Frame(1, 1, "")), 0);
    EXPECT_EQ(blank.pushFrame(cor::Frame(1, 1, "x")), -1); // its one slot is taken
    // clang-format off
    const struct
    {
        int slowdown;
        std::int32_t firstFrame;
        std::vector<std::int32_t> shown; // empty: each draw fails and the frame stays
    } cases[] = {{2, 0, {0, 0, 1, 1, 2, 2, 0}}, {0, 0, {0, 1, 2, 0}}, {-3, 0, {0, 1, 2, 0}},
                 {0, -1, {}}, {0, 3, {}}, {0, 0, {}}};
    // clang-format on
    for (const auto& test : cases)
    {
        const std::string label = "sprite" + std::to_string(&test - cases);
        writeFile(label, "3\n1\n1\n" + std::to_string(test.slowdown) + "\ncyan\n0\n1\n2\n");
        ASSERT_EQ(cor::ResourceManager::instance().loadSprite(label, label), 0);
        cor::SpriteAnimation animation;
        animation.setSprite(
            &test == &cases[5] ? &blank : cor::ResourceManager::instance().findSprite(label));
        animation.setFrameIndex(test.firstFrame);
        for (std::size_t i = 0; i < std::max<std::size_t>(test.shown.size(), 2); ++i)
        {
            const bool drawable = !test.shown.empty();
            EXPECT_EQ(animation.frameIndex(), drawable ? test.shown[i] : test.firstFrame) << label;
            EXPECT_EQ(animation.drawAt(cor::Vector(5, 5)), drawable ? 0 : -1) << label;
        }
    }
    // A slowdown count of -1 holds the animation on its frame.
    cor::SpriteAnimation frozen;
    frozen.setSprite(cor::ResourceManager::instance().findSprite("sprite0"));
    frozen.setSlowdownCount(-1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frozen.drawAt(cor::Vector(5, 5)), 0);
    EXPECT_EQ(frozen.frameIndex(), 0);
}
