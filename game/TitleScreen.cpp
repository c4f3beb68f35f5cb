#include "TitleScreen.h"

#include "Altitudes.h"
#include "GameData.h"
#include "HalvrenController.h"
#include "KeyPress.h"
#include "ScreenCentre.h"

#include <cor/WorldManager.h>

#include <optional>

TitleScreen::TitleScreen(HalvrenController* controller) : m_controller(controller)
{
    setTypeName("title-screen");
    // Without its art the title is invisible, but its keys still work.
    static_cast<void>(assignSprite(TITLE_ART_LABEL));
    setPosition(SCREEN_CENTRE);
    setSolidness(cor::INTANGIBLE);
    setAltitude(ART_ALTITUDE);
}

int TitleScreen::handleEvent(const cor::Event* event)
{
    const std::optional<cor::Key> key = pressedKey(event);
    // Once it has let the player through, the title stays listed until the frame's deletion
    // pass; later keys of that frame belong to the next screen, not to it.
    if (!key || cor::WorldManager::instance().isScheduledForDeletion(this))
        return 0;

    switch (*key)
    {
    case cor::ENTER:
        m_controller->leaveTitle(Story);
        cor::WorldManager::instance().scheduleDeletion(this);
        return 1;
    case cor::I:
        m_controller->leaveTitle(HowToPlay);
        cor::WorldManager::instance().scheduleDeletion(this);
        return 1;
    case cor::Q:
        m_controller->beginQuit();
        return 1;
    default:
        return 0;
    }
}
