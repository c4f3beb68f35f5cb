#ifndef HALVREN_MUSICGEN_SYNTH_H
#define HALVREN_MUSICGEN_SYNTH_H

#include <cstdint>
#include <vector>

namespace musicgen
{

enum class Instrument
{
    Pad,      // soft detuned chord pad
    Pluck,    // short arpeggio notes
    Bass,     // round bass
    RedLead,  // reedy lead of the red world
    BlueBell, // bell-like lead of the blue world
    Kick,
    Snare,
    Hat
};

// One sounding event. Nothing of it, release included, sounds at or after `limit`:
// that keeps every note inside the loop region it belongs to.
struct Note
{
    double start = 0;     // seconds
    double length = 0;    // seconds, release included
    double frequency = 0; // Hz; unused by the drums
    Instrument instrument = Instrument::Pad;
    float gain = 1;
    float pan = 0; // -1 left .. 1 right
    double limit = 0;
};

// Two channels of float samples at SAMPLE_RATE.
struct StereoBuffer
{
    explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
    std::size_t frames() const { return left.size(); }

    std::vector<float> left;
    std::vector<float> right;
};

// Mixes the note into the buffer.
void renderNote(const Note& note, StereoBuffer& buffer);

} // namespace musicgen

#endif
