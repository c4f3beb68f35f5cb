#include "QuitAnimation.h"

#include "Altitudes.h"
#include "GameData.h"
#include "ScreenCentre.h"

#include <cor/Event.h>
#include <cor/GameManager.h>
#include <cor/Sprite.h>
#include <cor/WorldManager.h>

#include <algorithm>

QuitAnimation::QuitAnimation() : m_countdown(1)
{
    setTypeName("quit-animation");
    if (assignSprite(GAME_OVER_ART_LABEL) == 0)
    {
        const cor::Sprite* sprite = animation().sprite();
        // A sprite file may carry any slowdown: keep the product inside the counter's range.
        const std::int64_t frames =
            static_cast<std::int64_t>(sprite->frameCount()) * sprite->slowdown();
        m_countdown =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, INT32_MIN, INT32_MAX));
    }
    setPosition(SCREEN_CENTRE);
    setSolidness(cor::INTANGIBLE);
    setAltitude(ART_ALTITUDE);
}

int QuitAnimation::handleEvent(const cor::Event* event)
{
    if (event->typeName() != cor::EVENT_TYPE_STEP)
        return 0;
    --m_countdown;
    if (m_countdown > 0)
        return 1;
    cor::WorldManager::instance().scheduleDeletion(this);
    cor::GameManager::instance().endGame();
    return 1;
}
