#include "BoardVisibility.h"

bool boardVisible = true;
