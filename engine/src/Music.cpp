#include "cor/Music.h"

#include "cor/SfmlAdapter.h"

namespace cor
{

int Music::open(const std::string& fileName)
{
    return sfml::openMusic(m_stream, fileName) ? 0 : -1;
}

} // namespace cor
