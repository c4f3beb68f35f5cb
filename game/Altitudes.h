#ifndef HALVREN_ALTITUDES_H
#define HALVREN_ALTITUDES_H

#include <cor/WorldManager.h>

#include <cstdint>

// The drawing passes of the game's objects, lowest first: the map cells, a character over its
// exit, the controller's texts over the maps, and the title and game-over art over everything.
inline constexpr std::int32_t WALL_ALTITUDE = 0;
inline constexpr std::int32_t EXIT_ALTITUDE = 1;
inline constexpr std::int32_t CHARACTER_ALTITUDE = 2;
inline constexpr std::int32_t TEXT_ALTITUDE = 3;
inline constexpr std::int32_t ART_ALTITUDE = 4;
static_assert(ART_ALTITUDE == cor::HIGHEST_ALTITUDE, "the art must be the last pass");

#endif
