// HALVREN: two prisoners, two worlds, one set of keys.
#include "GameData.h"
#include "HalvrenController.h"
#include "SelfCheck.h"

#include <cor/GameManager.h>

#include <cstring>

namespace
{

int failStartUp()
{
    cor::GameManager::instance().shutdown();
    return -1;
}

} // namespace

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

    if (!loadGameData())
        return failStartUp();
    startMenuMusic();

    new HalvrenController;

    game.run();
    game.shutdown();
    return 0;
}
