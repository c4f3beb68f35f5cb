// halvren-musicgen: synthesises the game's background music and writes it as Ogg Vorbis.
// Usage: halvren-musicgen <output.ogg>
#include "Score.h"
#include "SoundFile.h"
#include "Synth.h"
#include "Timeline.h"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace
{

// Brings the mix to a steady level and rounds off the rare peaks instead of clipping them.
std::vector<std::int16_t> master(const musicgen::StereoBuffer& mix)
{
    double sumOfSquares = 0;
    for (std::size_t i = 0; i < mix.frames(); ++i)
        sumOfSquares += double(mix.left[i]) * mix.left[i] + double(mix.right[i]) * mix.right[i];
    const double rms = std::sqrt(sumOfSquares / (2.0 * static_cast<double>(mix.frames())));
    const double targetRms = 0.16;
    const double gain = rms > 0 ? targetRms / rms : 1.0;

    std::vector<std::int16_t> samples(mix.frames() * 2);
    for (std::size_t i = 0; i < mix.frames(); ++i)
    {
        const float channels[2] = {mix.left[i], mix.right[i]};
        for (int c = 0; c < 2; ++c)
        {
            const double shaped = std::tanh(channels[c] * gain * 1.1) / 1.1;
            samples[i * 2 + static_cast<std::size_t>(c)] =
                static_cast<std::int16_t>(std::lround(std::clamp(shaped, -1.0, 1.0) * 32000.0));
        }
    }
    return samples;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: halvren-musicgen <output.ogg>\n");
        return 2;
    }
    const std::filesystem::path output = argv[1];
    std::error_code error;
    if (output.has_parent_path())
        std::filesystem::create_directories(output.parent_path(), error);

    // Half a second of silence after the play region keeps the encoder's edge away from it.
    const auto frames =
        static_cast<std::size_t>((PLAY_MUSIC_LOOP.end + 0.5) * musicgen::SAMPLE_RATE);
    musicgen::StereoBuffer mix(frames);
    for (const musicgen::Note& note : musicgen::composePiece())
        musicgen::renderNote(note, mix);
    const std::vector<std::int16_t> samples = master(mix);

    // The encoder reports its own failures; only ours reach the console.
    sf::err().rdbuf(nullptr);
    sf::OutputSoundFile file;
    if (!musicgen::openSoundFileWriter(file, output.string(), musicgen::SAMPLE_RATE, 2))
    {
        std::fprintf(stderr, "halvren-musicgen: cannot write '%s'\n", output.string().c_str());
        return 1;
    }
    file.write(samples.data(), samples.size());
    return 0;
}
