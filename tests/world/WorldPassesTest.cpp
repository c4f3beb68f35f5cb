#include "WorldTestSupport.h"

#include <cor/EventStep.h>
#include <cor/FixedObjectList.h>
#include <cor/WorldManager.h>

#include <stdexcept>

using worldtest::Recorder;

namespace
{

class WorldPassesTest : public worldtest::EngineTest
{
protected:
    // A recorder that counts its own destruction.
    Recorder* counted()
    {
        auto* object = new Recorder;
        object->onDestroy = [this](Recorder&) { ++destroyed; };
        return object;
    }

    cor::WorldManager& world = cor::WorldManager::instance();
    int destroyed = 0;
};

} // namespace

TEST_F(WorldPassesTest, TheDeletionPassDeletesEachScheduledObjectOnce)
{
    Recorder* doomed = counted();
    Recorder* keeper = counted();
    world.scheduleDeletion(doomed);
    world.scheduleDeletion(doomed);
    // Still registered and still spoken to until the pass.
    world.broadcast(cor::EventStep(0));
    EXPECT_EQ(doomed->count(cor::EVENT_TYPE_STEP), 1);
    EXPECT_EQ(destroyed, 0);
    world.updateWorld();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(world.allObjects().contains(doomed));
    EXPECT_TRUE(world.allObjects().contains(keeper));
    world.updateWorld();
    EXPECT_EQ(destroyed, 1);

    // A destructor may schedule another object for the same pass, or delete one scheduled.
    Recorder* parent = counted();
    Recorder* child = counted();
    parent->onDestroy = [&](Recorder&)
    {
        ++destroyed;
        world.scheduleDeletion(child);
    };
    Recorder* owner = counted();
    Recorder* owned = counted();
    owner->onDestroy = [&](Recorder&)
    {
        ++destroyed;
        delete owned;
    };
    world.scheduleDeletion(parent);
    world.scheduleDeletion(owner);
    world.scheduleDeletion(owned);
    world.updateWorld();
    EXPECT_EQ(destroyed, 5);
    EXPECT_EQ(world.allObjects().count(), 1);

    // Deleted by the code that made it, after scheduling.
    Recorder* early = counted();
    world.scheduleDeletion(early);
    delete early;
    world.updateWorld();
    EXPECT_EQ(destroyed, 6);
}

TEST_F(WorldPassesTest, ShutdownDeletesEveryObjectOnce)
{
    Recorder* first = counted();
    Recorder* second = counted();
    counted();
    // A destructor that takes a later object with it.
    first->onDestroy = [&](Recorder&)
    {
        ++destroyed;
        delete second;
    };
    world.shutdown();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(world.allObjects().count(), 0);
    EXPECT_EQ(world.initialize(), 0);
}

TEST_F(WorldPassesTest, TheMotionPassMovesByVelocityThroughCollisions)
{
    Recorder* walker = new Recorder;
    walker->setPosition(cor::Vector(10, 10));
    walker->setDirection(cor::Vector(1, 0));
    walker->setSpeed(0.5f);
    world.updateWorld();
    EXPECT_EQ(walker->position(), cor::Vector(10.5f, 10));
    world.updateWorld();
    EXPECT_EQ(walker->position(), cor::Vector(11, 10));

    // A wall ahead stops it, and both hear of every attempt.
    Recorder* wall = new Recorder;
    wall->setPosition(cor::Vector(12.5f, 10));
    world.updateWorld();
    world.updateWorld();
    EXPECT_EQ(walker->position(), cor::Vector(11, 10));
    EXPECT_EQ(walker->count(cor::EVENT_TYPE_COLLISION), 2);
    EXPECT_EQ(wall->count(cor::EVENT_TYPE_COLLISION), 2);

    // Objects that would not move are not tried: a try would collide with the neighbour.
    walker->setSpeed(0);
    world.updateWorld();
    walker->setSpeed(1);
    walker->setDirection(cor::Vector(0, 0));
    world.updateWorld();
    EXPECT_EQ(walker->count(cor::EVENT_TYPE_COLLISION), 2);
    EXPECT_EQ(wall->count(cor::EVENT_TYPE_COLLISION), 2);

    // A passable wall lets it through; what its handler makes moves later in the same pass.
    wall->setSolidness(cor::PASSABLE);
    Recorder* spawned = nullptr;
    wall->onEvent = [&](const cor::Event&)
    {
        if (spawned != nullptr)
            return;
        spawned = new Recorder;
        spawned->setPosition(cor::Vector(30, 3));
        spawned->setDirection(cor::Vector(0, 1));
        spawned->setSpeed(2);
    };
    walker->setDirection(cor::Vector(1, 0));
    world.updateWorld();
    ASSERT_NE(spawned, nullptr);
    EXPECT_EQ(walker->position(), cor::Vector(12, 10));
    EXPECT_EQ(spawned->position(), cor::Vector(30, 5));
}

TEST_F(WorldPassesTest, IdsIncreaseWithoutReuseAndFindByTypeMatchesExactlyInOrder)
{
    Recorder* first = new Recorder;
    Recorder* second = new Recorder;
    const std::int32_t firstId = first->id();
    EXPECT_EQ(second->id(), firstId + 1);
    world.scheduleDeletion(first);
    world.scheduleDeletion(second);
    world.updateWorld();
    EXPECT_EQ((new Recorder)->id(), firstId + 2);

    const std::vector<std::string> types = {"wall", "Wall", "walls", "player",
                                            "wal",  "wall", "wall "};
    std::vector<Recorder*> walls;
    for (const std::string& type : types)
    {
        auto* object = new Recorder;
        object->setTypeName(type);
        if (type == "wall")
            walls.push_back(object);
    }
    const cor::FixedObjectList found = world.findObjectsByType("wall");
    ASSERT_EQ(found.count(), static_cast<std::int32_t>(walls.size()));
    for (std::int32_t i = 0; i < found.count(); ++i)
        EXPECT_EQ(found[i], walls[static_cast<std::size_t>(i)]);
    EXPECT_EQ(world.findObjectsByType("door").count(), 0);
}

TEST_F(WorldPassesTest, AFullWorldLeavesTheNextObjectUnregistered)
{
    std::vector<Recorder*> made;
    while (world.allObjects().count() < cor::OBJECT_LIST_CAPACITY)
        made.push_back(new Recorder);
    Recorder* extra = new Recorder;
    const cor::FixedObjectList all = world.allObjects();
    EXPECT_EQ(all.count(), cor::OBJECT_LIST_CAPACITY);
    EXPECT_FALSE(all.contains(extra));
    EXPECT_EQ(all[all.count() - 1], made.back());

    // The world never speaks to it; its maker deletes it.
    world.broadcast(cor::EventStep(0));
    EXPECT_TRUE(extra->ownLog.empty());
    EXPECT_EQ(made.back()->count(cor::EVENT_TYPE_STEP), 1);
    delete extra;
    EXPECT_EQ(world.allObjects().count(), cor::OBJECT_LIST_CAPACITY);
}

TEST(FixedObjectListTest, IndexingOutsideTheListThrowsAndCopiesAreSnapshots)
{
    cor::FixedObjectList list;
    std::vector<cor::Object*> fakes(cor::OBJECT_LIST_CAPACITY + 1);
    for (std::size_t i = 0; i < fakes.size(); ++i)
        fakes[i] = reinterpret_cast<cor::Object*>(&fakes[i]);

    EXPECT_THROW(static_cast<void>(list[0]), std::out_of_range);
    list.append(fakes[0]);
    const cor::FixedObjectList snapshot = list;
    list.append(fakes[1]);
    EXPECT_EQ(snapshot.count(), 1);
    EXPECT_EQ(list[1], fakes[1]);
    try
    {
        static_cast<void>(list[-1]);
        FAIL() << "no exception";
    }
    catch (const std::out_of_range& error)
    {
        EXPECT_STREQ(error.what(), "Invalid index!");
    }
    EXPECT_THROW(static_cast<void>(list[2]), std::out_of_range);

    for (std::size_t i = 2; i < fakes.size(); ++i)
        list.append(fakes[i]);
    EXPECT_EQ(list.count(), cor::OBJECT_LIST_CAPACITY);
    EXPECT_FALSE(list.contains(fakes.back()));
    EXPECT_TRUE(list.remove(fakes[0]));
    EXPECT_EQ(list[0], fakes[1]);
    EXPECT_EQ(list.count(), cor::OBJECT_LIST_CAPACITY - 1);
}
