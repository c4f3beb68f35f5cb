// Objects and the world manager on the engine started for real: collisions, out events,
// deletion, and drawing by altitude with sprite animations. Where a sprite lands on the grid,
// the end-to-end run reads off the window; the frame's motion pass, the loop test sees.
#include "TestSupport.h"

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

TEST(FixedObjectList, ReadingOutsideItsEntriesThrows)
{
    cor::Object a;
    cor::FixedObjectList list;
    list.append(&a);
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
    EXPECT_EQ(outside(-1) + " " + outside(0) + " " + outside(1),
              "Invalid index! read Invalid index!");
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

TEST_F(WorldTest, EachObjectIsDeletedExactlyOnceEvenByReentrantDestructorsAndAFullWorldTakesNoMore)
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

    // A full world leaves the next object unregistered.
    for (std::int32_t i = 0; i < CAPACITY; ++i)
        new Recorder;
    Recorder extra;
    world.broadcast(cor::EventStep(0));
    EXPECT_TRUE(world.allObjects().count() == CAPACITY &&
                extra.received(cor::EVENT_TYPE_STEP).empty());
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
}
