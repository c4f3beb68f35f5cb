#ifndef COR_EVENT_COLLISION_H
#define COR_EVENT_COLLISION_H

#include "cor/Event.h"
#include "cor/Vector.h"

namespace cor
{

class Object;

class EventCollision : public Event
{
public:
    EventCollision();

    // Where the mover was going to be.
    void setPosition(const Vector& position);
    const Vector& position() const;
    void setMover(Object* mover);
    Object* mover() const;
    void setOther(Object* other);
    Object* other() const;

private:
    Vector m_position;
    Object* m_mover;
    Object* m_other;
};

} // namespace cor

#endif
