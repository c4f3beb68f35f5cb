#ifndef HALVREN_SCREEN_CENTRE_H
#define HALVREN_SCREEN_CENTRE_H

#include <cor/DisplayManager.h>
#include <cor/Vector.h>

// The middle of the cell grid: the screens' texts and the title and game-over art centre on it.
inline cor::Vector screenCentre()
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    return cor::Vector(static_cast<float>(display.cellColumns()) * 0.5f,
                       static_cast<float>(display.cellRows()) * 0.5f);
}

#endif
