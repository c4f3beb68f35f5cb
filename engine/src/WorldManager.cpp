#include "cor/WorldManager.h"

#include "cor/DisplayManager.h"
#include "cor/EventCollision.h"
#include "cor/EventOut.h"
#include "cor/Object.h"

namespace cor
{

namespace
{

bool takesPartInCollisions(const Object& object)
{
    return object.solidness() == BLOCKING || object.solidness() == PASSABLE;
}

// Inclusive on every edge: boxes that only touch overlap.
bool rangesOverlap(float aStart, float aLength, float bStart, float bLength)
{
    return (bStart <= aStart && aStart <= bStart + bLength) ||
           (aStart <= bStart && bStart <= aStart + aLength);
}

bool boxesOverlap(const Object& mover, const Vector& where, const Object& other)
{
    const BoundingBox& a = mover.box();
    const BoundingBox& b = other.box();
    const float ax = where.x + a.corner.x;
    const float ay = where.y + a.corner.y;
    const float bx = other.position().x + b.corner.x;
    const float by = other.position().y + b.corner.y;
    return rangesOverlap(ax, a.width, bx, b.width) && rangesOverlap(ay, a.height, by, b.height);
}

bool isInsideScreen(const Vector& position)
{
    const DisplayManager& display = DisplayManager::instance();
    return position.x >= 0.0f && position.x < static_cast<float>(display.cellColumns()) &&
           position.y >= 0.0f && position.y < static_cast<float>(display.cellRows());
}

} // namespace

WorldManager& WorldManager::instance()
{
    static WorldManager manager;
    return manager;
}

WorldManager::WorldManager()
{
    setTypeName("WorldManager");
}

WorldManager::~WorldManager() = default;

int WorldManager::initialize()
{
    m_objects.clear();
    m_pendingDeletion.clear();
    setStarted(true);
    return 0;
}

void WorldManager::shutdown()
{
    const FixedObjectList snapshot = m_objects;
    for (std::int32_t i = 0; i < snapshot.count(); ++i)
    {
        // A destructor may already have deleted a later object of the snapshot.
        if (m_objects.contains(snapshot[i]))
            delete snapshot[i];
    }
    setStarted(false);
}

void WorldManager::addObject(Object* object)
{
    m_objects.append(object);
}

void WorldManager::detachObject(Object* object)
{
    m_objects.remove(object);
    // An object deleted before its deletion pass must not be deleted again there; its entry
    // becomes null rather than being removed, so a deletion pass in progress keeps its place.
    m_pendingDeletion.replace(object, nullptr);
}

void WorldManager::scheduleDeletion(Object* object)
{
    if (!m_pendingDeletion.contains(object))
        m_pendingDeletion.append(object);
}

bool WorldManager::isScheduledForDeletion(const Object* object) const
{
    return m_pendingDeletion.contains(object);
}

FixedObjectList WorldManager::allObjects() const
{
    return m_objects;
}

FixedObjectList WorldManager::findObjectsByType(const std::string& typeName) const
{
    FixedObjectList found;
    for (std::int32_t i = 0; i < m_objects.count(); ++i)
    {
        if (m_objects[i]->typeName() == typeName)
            found.append(m_objects[i]);
    }
    return found;
}

int WorldManager::tryMoveObject(Object* mover, const Vector& where)
{
    if (takesPartInCollisions(*mover))
    {
        FixedObjectList collisions;
        for (std::int32_t i = 0; i < m_objects.count(); ++i)
        {
            Object* other = m_objects[i];
            if (other != mover && takesPartInCollisions(*other) &&
                boxesOverlap(*mover, where, *other))
                collisions.append(other);
        }

        bool moveAllowed = true;
        for (std::int32_t i = 0; i < collisions.count(); ++i)
        {
            Object* other = collisions[i];
            EventCollision collision;
            collision.setPosition(where);
            collision.setMover(mover);
            collision.setOther(other);
            mover->handleEvent(&collision);
            other->handleEvent(&collision);
            if (mover->solidness() == BLOCKING && other->solidness() == BLOCKING)
                moveAllowed = false;
        }
        if (!moveAllowed)
            return -1;
    }

    const bool wasInside = isInsideScreen(mover->position());
    mover->setPosition(where);
    if (wasInside && !isInsideScreen(where))
    {
        const EventOut out;
        mover->handleEvent(&out);
    }
    return 0;
}

void WorldManager::updateWorld()
{
    // Both passes read the count afresh: handlers may add objects or schedule deletions.
    for (std::int32_t i = 0; i < m_objects.count(); ++i)
    {
        Object* object = m_objects[i];
        const Vector destination = object->position() + object->velocity();
        if (destination != object->position())
            tryMoveObject(object, destination);
    }
    for (std::int32_t i = 0; i < m_pendingDeletion.count(); ++i)
    {
        if (Object* object = m_pendingDeletion[i])
            delete object;
    }
    m_pendingDeletion.clear();
}

void WorldManager::drawObjects()
{
    for (std::int32_t altitude = 0; altitude <= HIGHEST_ALTITUDE; ++altitude)
    {
        for (std::int32_t i = 0; i < m_objects.count(); ++i)
        {
            Object* object = m_objects[i];
            if (object->altitude() == altitude)
                object->draw();
        }
    }
}

void WorldManager::broadcast(const Event& event) const
{
    const FixedObjectList snapshot = m_objects;
    for (std::int32_t i = 0; i < snapshot.count(); ++i)
        snapshot[i]->handleEvent(&event);
}

} // namespace cor
