// HALVREN: two prisoners, two worlds, one set of keys.
#include "SelfCheck.h"
#include "StartUp.h"

#include <cor/GameManager.h>

#include <cstring>

int main(int argc, char* argv[])
{
    cor::GameManager& game = cor::GameManager::instance();
    if (game.initialize() != 0)
        return -1;

    if (argc > 1 && std::strcmp(argv[1], "--test") == 0)
    {
        const int result = runSelfCheck();
        game.shutdown();
        return result;
    }

    if (!startGame())
    {
        game.shutdown();
        return -1;
    }
    game.run();
    game.shutdown();
    return 0;
}
