#ifndef HALVREN_PUZZLE_OBJECT_H
#define HALVREN_PUZZLE_OBJECT_H

#include <cor/Object.h>

// One wall, exit or character cell of a map; drawn only while the board is visible.
class PuzzleObject : public cor::Object
{
public:
    int draw() override;
};

#endif
