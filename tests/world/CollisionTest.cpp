#include "WorldTestSupport.h"

#include <cor/WorldManager.h>

using worldtest::Delivery;
using worldtest::Recorder;

namespace
{

class CollisionTest : public worldtest::EngineTest
{
protected:
    Recorder* at(float x, float y, cor::Solidness solidness = cor::BLOCKING)
    {
        auto* object = new Recorder(&log);
        object->setPosition(cor::Vector(x, y));
        object->setSolidness(solidness);
        return object;
    }
    std::vector<std::int32_t> receivers() const
    {
        std::vector<std::int32_t> ids;
        for (const Delivery& delivery : log)
            ids.push_back(delivery.receiver);
        return ids;
    }

    cor::WorldManager& world = cor::WorldManager::instance();
    std::vector<Delivery> log;
};

} // namespace

TEST_F(CollisionTest, EveryTouchedObjectHearsOfTheMoveAndOnlyTwoBlockingOnesStopIt)
{
    constexpr cor::Solidness BLOCK = cor::BLOCKING;
    constexpr cor::Solidness PASS = cor::PASSABLE;
    constexpr cor::Solidness NONE = cor::INTANGIBLE;
    struct Other
    {
        cor::Vector position;
        cor::Solidness solidness;
    };
    struct Case
    {
        std::string name;
        cor::Solidness mover;
        cor::Vector where;
        std::vector<Other> others;
        int result;
        // Receivers in order, each collision heard by the mover first, then by others[i].
        std::vector<std::size_t> heardBy;
    };
    const cor::Vector start(10, 5);
    const std::vector<Case> cases = {
        // One-cell boxes of neighbouring cells touch, also at a corner only.
        {"neighbour", BLOCK, {11, 5}, {{{12, 5}, BLOCK}, {{12, 7}, BLOCK}}, -1, {0}},
        {"corner", BLOCK, {11, 6}, {{{12, 5}, BLOCK}, {{12, 7}, BLOCK}}, -1, {0, 1}},
        {"a hair's gap", BLOCK, {10.9f, 5}, {{{12, 5}, BLOCK}}, 0, {}},
        // Every overlapped object hears of it, even after the move is refused.
        {"several",
         BLOCK,
         {11, 5},
         {{{11, 5}, BLOCK}, {{11, 5}, NONE}, {{11, 5}, PASS}},
         -1,
         {0, 2}},
        {"onto passable", BLOCK, {11, 5}, {{{11, 5}, PASS}}, 0, {0}},
        {"onto intangible", BLOCK, {11, 5}, {{{11, 5}, NONE}}, 0, {}},
        {"passable mover", PASS, {11, 5}, {{{11, 5}, BLOCK}}, 0, {0}},
        // An intangible mover is never tested at all.
        {"intangible mover", NONE, {11, 5}, {{{11, 5}, BLOCK}}, 0, {}},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        log.clear();
        Recorder* mover = at(start.x, start.y, test.mover);
        std::vector<Recorder*> others;
        for (const Other& other : test.others)
            others.push_back(at(other.position.x, other.position.y, other.solidness));

        EXPECT_EQ(world.tryMoveObject(mover, test.where), test.result);
        EXPECT_EQ(mover->position(), test.result == 0 ? test.where : start);
        std::vector<std::int32_t> expected;
        for (std::size_t other : test.heardBy)
            expected.insert(expected.end(), {mover->id(), others[other]->id()});
        ASSERT_EQ(receivers(), expected);
        for (std::size_t i = 0; i < log.size(); ++i)
        {
            EXPECT_EQ(log[i].type, cor::EVENT_TYPE_COLLISION);
            EXPECT_EQ(log[i].mover, mover);
            EXPECT_EQ(log[i].other, others[test.heardBy[i / 2]]);
            EXPECT_EQ(log[i].position, test.where);
        }
        delete mover;
        for (Recorder* other : others)
            delete other;
    }
}

TEST_F(CollisionTest, SolidnessIsJudgedAfterTheHandlersRan)
{
    Recorder* mover = at(10, 5);
    Recorder* door = at(11, 5);
    door->onEvent = [&](const cor::Event&) { door->setSolidness(cor::PASSABLE); };
    EXPECT_EQ(world.tryMoveObject(mover, cor::Vector(11, 5)), 0);
    EXPECT_EQ(mover->position(), cor::Vector(11, 5));
}

TEST_F(CollisionTest, OutEventsOnlyWhenAMoveCrossesFromInsideToOutside)
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    const float right = static_cast<float>(display.cellColumns());
    const float bottom = static_cast<float>(display.cellRows());
    struct Move
    {
        cor::Vector from;
        cor::Vector to;
        bool out;
    };
    // Row 0 and column 0 are inside; the column and row counts are not.
    const std::vector<Move> moves = {
        {{right - 0.5f, 3}, {right, 3}, true},
        {{right, 3}, {right + 1, 3}, false},
        {{right + 1, 3}, {right - 1, 3}, false},
        {{right - 1, 3}, {right, 3}, true},
        {{-1, 0}, {-2, 0}, false},
        {{0, 0}, {0, -0.25f}, true},
        {{5, bottom - 0.1f}, {5, bottom}, true},
    };
    Recorder* object = at(0, 0);
    for (const Move& move : moves)
    {
        SCOPED_TRACE(std::to_string(move.from.x) + "," + std::to_string(move.from.y) + " to " +
                     std::to_string(move.to.x) + "," + std::to_string(move.to.y));
        log.clear();
        object->setPosition(move.from);
        EXPECT_EQ(world.tryMoveObject(object, move.to), 0);
        EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), move.out ? 1 : 0);
        EXPECT_EQ(log.size(), move.out ? 1u : 0u);
    }
}

TEST_F(CollisionTest, ABlockedMoveOffTheScreenSendsNoOutEvent)
{
    const float right = static_cast<float>(cor::DisplayManager::instance().cellColumns());
    Recorder* object = at(right - 1, 3);
    Recorder* wall = at(right, 3);
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(right, 3)), -1);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_COLLISION), 1);
    EXPECT_EQ(wall->count(cor::EVENT_TYPE_COLLISION), 1);
}
