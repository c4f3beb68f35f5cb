#ifndef HALVREN_SCREEN_CENTRE_H
#define HALVREN_SCREEN_CENTRE_H

#include <cor/DisplayManager.h>
#include <cor/Vector.h>

// The middle of the cell grid, where the title and game-over art are centred.
inline cor::Vector screenCentre()
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    return cor::Vector(static_cast<float>(display.cellColumns()) * 0.5f,
                       static_cast<float>(display.cellRows()) * 0.5f);
}

#endif
