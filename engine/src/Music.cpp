#include "cor/Music.h"

#include "cor/SfmlAdapter.h"

namespace cor
{

Music::Music() = default;

Music::~Music() = default;

int Music::open(const std::string& fileName)
{
    std::unique_ptr<sf::InputStream> source = sfml::openRegularFileSource(fileName);
    if (!source)
        return -1;
    // The audio library would report a file it cannot open on the console.
    sfml::silenceDiagnostics();
    if (!sfml::openMusic(m_stream, *source))
        return -1;
    // Opening stopped the stream and closed what it read before, so the old source can go.
    m_source = std::move(source);
    return 0;
}

} // namespace cor
