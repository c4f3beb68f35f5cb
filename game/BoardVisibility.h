#ifndef HALVREN_BOARD_VISIBILITY_H
#define HALVREN_BOARD_VISIBILITY_H

// Whether the puzzle objects draw themselves; true when the program starts.
extern bool boardVisible;

#endif
