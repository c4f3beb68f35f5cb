#include "LibraryDiagnostics.h"

#include <SFML/System/Err.hpp>

#include <ostream>

namespace cor
{

void quietLibraryDiagnostics()
{
    sf::err().rdbuf(nullptr);
}

} // namespace cor
