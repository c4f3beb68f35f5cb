#ifndef MUSICGEN_SOUND_FILE_H
#define MUSICGEN_SOUND_FILE_H

#include <SFML/Audio/OutputSoundFile.hpp>

#include <string>

namespace musicgen
{

// Opens the file for writing 16-bit samples (interleaved when stereo); the format follows
// the file's extension.
bool openSoundFileWriter(sf::OutputSoundFile& file, const std::string& path, unsigned sampleRate,
                         unsigned channelCount);

} // namespace musicgen

#endif
