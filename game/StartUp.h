#ifndef HALVREN_START_UP_H
#define HALVREN_START_UP_H

class HalvrenController;

// Loads the levels, the sprites and the music, starts the menus' music and makes the
// controller, which shows the title. Null at the first failure; the loaders have reported it.
HalvrenController* startGame();

#endif
