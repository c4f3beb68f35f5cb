#include "LibraryDiagnostics.h"

#include "cor/ResourceManager.h"
#include "platform/Platform.h"

#include <SFML/System/Err.hpp>

namespace cor
{

void quietLibraryDiagnostics()
{
    sf::err().rdbuf(nullptr);
    platform::silenceStandardError();
    ResourceManager::instance();
    platform::restoreStandardError();
}

} // namespace cor
