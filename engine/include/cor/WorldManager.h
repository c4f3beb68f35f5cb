#ifndef COR_WORLD_MANAGER_H
#define COR_WORLD_MANAGER_H

#include "cor/FixedObjectList.h"
#include "cor/Manager.h"
#include "cor/Vector.h"

#include <string>

namespace cor
{

class Event;
class Object;

inline constexpr std::int32_t HIGHEST_ALTITUDE = 4;

// Knows every game object: moves and collides them, deletes those scheduled for deletion
// and draws them by altitude.
class WorldManager : public Manager
{
public:
    static WorldManager& instance();
    ~WorldManager() override;

    // Forgets every listed object (without deleting it); always 0.
    [[nodiscard]] int initialize() override;
    // Deletes every registered object.
    void shutdown() override;

    // Called only by Object's constructor and destructor.
    void addObject(Object* object);
    void detachObject(Object* object);

    // The object is deleted in the next deletion pass; scheduling twice deletes once.
    void scheduleDeletion(Object* object);
    bool isScheduledForDeletion(const Object* object) const;

    FixedObjectList allObjects() const;
    FixedObjectList findObjectsByType(const std::string& typeName) const;

    // Moves with collision and out-of-screen handling; 0 moved, -1 blocked.
    int tryMoveObject(Object* mover, const Vector& where);

    // Motion pass, then deletion pass.
    void updateWorld();
    // Draws altitude 0 first and HIGHEST_ALTITUDE last.
    void drawObjects();

    // Delivers the event to every object listed now, in order; objects made meanwhile miss it.
    void broadcast(const Event& event) const;

private:
    WorldManager();

    FixedObjectList m_objects;
    FixedObjectList m_pendingDeletion;
};

} // namespace cor

#endif
