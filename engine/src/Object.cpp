#include "cor/Object.h"

#include "cor/ResourceManager.h"
#include "cor/Sprite.h"
#include "cor/WorldManager.h"

namespace cor
{

namespace
{
std::int32_t nextObjectId = 0;
}

Object::Object()
    : m_id(nextObjectId++), m_typeName("Object"), m_altitude(2), m_speed(0.0f),
      m_solidness(BLOCKING)
{
    WorldManager::instance().addObject(this);
}

Object::~Object()
{
    WorldManager::instance().detachObject(this);
}

int Object::handleEvent(const Event*)
{
    return 0;
}

int Object::draw()
{
    return m_animation.drawAt(m_position);
}

int Object::assignSprite(const std::string& label)
{
    const Sprite* sprite = ResourceManager::instance().findSprite(label);
    if (sprite == nullptr)
        return -1;
    m_animation.setSprite(sprite);
    m_animation.setFrameIndex(0);
    m_animation.setSlowdownCount(0);
    const float width = static_cast<float>(sprite->width());
    const float height = static_cast<float>(sprite->height());
    m_box = BoundingBox(Vector(-width * 0.5f, -height * 0.5f), width, height);
    return 0;
}

} // namespace cor
