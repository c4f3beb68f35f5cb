#include "LibraryDiagnostics.h"

#include <SFML/System/Err.hpp>

namespace cor
{

void quietLibraryDiagnostics()
{
    sf::err().rdbuf(nullptr);
}

} // namespace cor
