#ifndef HALVREN_SCREEN_CENTRE_H
#define HALVREN_SCREEN_CENTRE_H

#include <cor/DisplayManager.h>
#include <cor/Vector.h>

// The middle of the cell grid: the screens' texts and the title and game-over art centre on it.
inline constexpr cor::Vector SCREEN_CENTRE{static_cast<float>(cor::CELL_COLUMNS) * 0.5f,
                                           static_cast<float>(cor::CELL_ROWS) * 0.5f};

#endif
