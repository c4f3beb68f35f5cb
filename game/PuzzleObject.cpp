#include "PuzzleObject.h"

#include "BoardVisibility.h"

int PuzzleObject::draw()
{
    if (!boardVisible)
        return 0;
    return cor::Object::draw();
}
