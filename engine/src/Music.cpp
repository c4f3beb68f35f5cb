#include "cor/Music.h"

#include "cor/SfmlAdapter.h"

namespace cor
{

int Music::open(const std::string& fileName)
{
    // The audio library would report a file it cannot open on the console.
    sfml::silenceDiagnostics();
    return sfml::openMusic(m_stream, fileName) ? 0 : -1;
}

} // namespace cor
