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

TEST_F(CollisionTest, OneCellBoxesInNeighbouringCellsTouchAndBlock)
{
    Recorder* mover = at(10, 5);
    Recorder* wall = at(12, 5);
    Recorder* diagonal = at(12, 7);
    const cor::Vector where(11, 5);

    EXPECT_EQ(world.tryMoveObject(mover, where), -1);
    EXPECT_EQ(mover->position(), cor::Vector(10, 5));
    // Each side hears of the collision once, the mover first.
    ASSERT_EQ(receivers(), (std::vector<std::int32_t>{mover->id(), wall->id()}));
    for (const Delivery& delivery : log)
    {
        EXPECT_EQ(delivery.type, cor::EVENT_TYPE_COLLISION);
        EXPECT_EQ(delivery.mover, mover);
        EXPECT_EQ(delivery.other, wall);
        EXPECT_EQ(delivery.position, where);
    }

    // Touching only at a corner is touching too.
    log.clear();
    EXPECT_EQ(world.tryMoveObject(mover, cor::Vector(11, 6)), -1);
    EXPECT_EQ(receivers(),
              (std::vector<std::int32_t>{mover->id(), wall->id(), mover->id(), diagonal->id()}));

    // A hair's gap is no collision.
    log.clear();
    EXPECT_EQ(world.tryMoveObject(mover, cor::Vector(10.9f, 5)), 0);
    EXPECT_EQ(mover->position(), cor::Vector(10.9f, 5));
    EXPECT_TRUE(log.empty());
}

TEST_F(CollisionTest, EveryOverlappedObjectHearsOfItEvenAfterTheMoveIsRefused)
{
    Recorder* mover = at(10, 5);
    Recorder* first = at(11, 5);
    Recorder* ghost = at(11, 5, cor::INTANGIBLE);
    Recorder* second = at(11, 5, cor::PASSABLE);

    EXPECT_EQ(world.tryMoveObject(mover, cor::Vector(11, 5)), -1);
    EXPECT_EQ(receivers(),
              (std::vector<std::int32_t>{mover->id(), first->id(), mover->id(), second->id()}));
    EXPECT_EQ(ghost->count(cor::EVENT_TYPE_COLLISION), 0);
}

TEST_F(CollisionTest, PassableAndIntangibleObjectsNeverBlock)
{
    Recorder* mover = at(10, 5);
    Recorder* passable = at(11, 5, cor::PASSABLE);
    EXPECT_EQ(world.tryMoveObject(mover, cor::Vector(11, 5)), 0);
    EXPECT_EQ(mover->position(), cor::Vector(11, 5));
    EXPECT_EQ(receivers(), (std::vector<std::int32_t>{mover->id(), passable->id()}));

    log.clear();
    Recorder* intangible = at(15, 5, cor::INTANGIBLE);
    EXPECT_EQ(world.tryMoveObject(mover, cor::Vector(15, 5)), 0);
    EXPECT_TRUE(log.empty());

    // A passable mover onto a blocking object: both hear of it, the move goes ahead.
    Recorder* wall = at(20, 5);
    passable->setPosition(cor::Vector(19, 5));
    EXPECT_EQ(world.tryMoveObject(passable, cor::Vector(20, 5)), 0);
    EXPECT_EQ(receivers(), (std::vector<std::int32_t>{passable->id(), wall->id()}));

    // An intangible mover is never tested at all.
    log.clear();
    EXPECT_EQ(world.tryMoveObject(intangible, cor::Vector(20, 5)), 0);
    EXPECT_EQ(intangible->position(), cor::Vector(20, 5));
    EXPECT_TRUE(log.empty());
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
    Recorder* object = at(right - 0.5f, 3);

    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(right, 3)), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 1);
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(right + 1, 3)), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 1);
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(right - 1, 3)), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 1);
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(right, 3)), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 2);

    // Already outside: no event.
    object->setPosition(cor::Vector(-1, 0));
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(-2, 0)), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 2);

    // The other edges: row 0 and column 0 are inside, the row count is not.
    object->setPosition(cor::Vector(0, 0));
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(0, -0.25f)), 0);
    object->setPosition(cor::Vector(5, bottom - 0.1f));
    EXPECT_EQ(world.tryMoveObject(object, cor::Vector(5, bottom)), 0);
    EXPECT_EQ(object->count(cor::EVENT_TYPE_OUT), 4);
    EXPECT_EQ(log.size(), 4u);
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
