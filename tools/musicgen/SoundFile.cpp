#include "SoundFile.h"

#include <SFML/Config.hpp>

#include <vector>

namespace musicgen
{

bool openSoundFileWriter(sf::OutputSoundFile& file, const std::string& path, unsigned sampleRate,
                         unsigned channelCount)
{
#if SFML_VERSION_MAJOR >= 3
    // SFML 3 is told where each channel plays.
    std::vector<sf::SoundChannel> channels;
    if (channelCount == 1)
        channels = {sf::SoundChannel::Mono};
    else
        channels = {sf::SoundChannel::FrontLeft, sf::SoundChannel::FrontRight};
    return file.openFromFile(path, sampleRate, channelCount, channels);
#else
    return file.openFromFile(path, sampleRate, channelCount);
#endif
}

} // namespace musicgen
