#ifndef COR_OBJECT_H
#define COR_OBJECT_H

#include "cor/BoundingBox.h"
#include "cor/SpriteAnimation.h"
#include "cor/Vector.h"

#include <cstdint>
#include <string>

namespace cor
{

class Event;

enum Solidness : std::int32_t
{
    BLOCKING = 0,  // collides, and a blocking object cannot move onto another blocking one
    PASSABLE = 1,  // collides and gets collision events, but never blocks
    INTANGIBLE = 2 // takes no part in collisions
};

// Base of every game object. Registers itself with the world manager on construction,
// which owns it from then on; get rid of one with WorldManager::scheduleDeletion().
class Object
{
public:
    Object();
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // 1 when the event was handled, 0 when ignored.
    virtual int handleEvent(const Event* event);
    // Draws the sprite animation at the position; 0 on success, -1 on failure.
    virtual int draw();

    // Takes the sprite with that label and sizes the box to it; -1 when there is none.
    [[nodiscard]] int assignSprite(const std::string& label);

    std::int32_t id() const { return m_id; }
    const std::string& typeName() const { return m_typeName; }
    void setTypeName(const std::string& typeName) { m_typeName = typeName; }
    const Vector& position() const { return m_position; }
    void setPosition(const Vector& position) { m_position = position; }
    std::int32_t altitude() const { return m_altitude; }
    void setAltitude(std::int32_t altitude) { m_altitude = altitude; }
    const Vector& direction() const { return m_direction; }
    void setDirection(const Vector& direction) { m_direction = direction; }
    float speed() const { return m_speed; }
    void setSpeed(float speed) { m_speed = speed; }
    Solidness solidness() const { return m_solidness; }
    void setSolidness(Solidness solidness) { m_solidness = solidness; }
    const BoundingBox& box() const { return m_box; }
    void setBox(const BoundingBox& box) { m_box = box; }
    Vector velocity() const { return m_direction * m_speed; }
    SpriteAnimation& animation() { return m_animation; }
    const SpriteAnimation& animation() const { return m_animation; }

private:
    std::int32_t m_id;
    std::string m_typeName;
    Vector m_position;
    std::int32_t m_altitude;
    Vector m_direction;
    float m_speed;
    Solidness m_solidness;
    SpriteAnimation m_animation;
    BoundingBox m_box;
};

} // namespace cor

#endif
