#include "Synth.h"

#include "Timeline.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace musicgen
{

namespace
{

constexpr double PI = 3.14159265358979323846;
constexpr std::size_t TABLE_SIZE = 4096;

using Table = std::array<float, TABLE_SIZE + 1>; // one extra entry for interpolation

// A single-cycle waveform built from harmonics (number, amplitude), peak-normalised.
Table buildTable(const std::vector<std::pair<int, double>>& harmonics)
{
    Table table{};
    double peak = 0;
    std::vector<double> values(TABLE_SIZE);
    for (std::size_t i = 0; i < TABLE_SIZE; ++i)
    {
        const double phase = 2 * PI * static_cast<double>(i) / TABLE_SIZE;
        double value = 0;
        for (const auto& [number, amplitude] : harmonics)
            value += amplitude * std::sin(number * phase);
        values[i] = value;
        peak = std::max(peak, std::abs(value));
    }
    for (std::size_t i = 0; i < TABLE_SIZE; ++i)
        table[i] = static_cast<float>(values[i] / peak);
    table[TABLE_SIZE] = table[0];
    return table;
}

std::vector<std::pair<int, double>> series(int count, double rolloff, bool oddOnly)
{
    std::vector<std::pair<int, double>> harmonics;
    for (int n = 1; n <= count; ++n)
    {
        if (oddOnly && n % 2 == 0)
            continue;
        harmonics.emplace_back(n, 1.0 / std::pow(n, rolloff));
    }
    return harmonics;
}

struct Tables
{
    Table sine = buildTable({{1, 1.0}});
    Table saw = buildTable(series(12, 1.2, false));
    Table hollow = buildTable(series(9, 1.4, true));
    Table bass = buildTable({{1, 1.0}, {2, 0.35}, {3, 0.12}});
    Table reed = buildTable({{1, 1.0}, {2, 0.25}, {3, 0.45}, {4, 0.12}, {5, 0.22}, {7, 0.1}});
    Table bell = buildTable({{1, 1.0}, {2, 0.3}, {3, 0.12}, {5, 0.06}});
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

// A table oscillator with its phase in cycles.
struct Oscillator
{
    const Table* table;
    double phase = 0;

    float next(double frequency)
    {
        const double position = phase * TABLE_SIZE;
        const auto index = static_cast<std::size_t>(position);
        const float fraction = static_cast<float>(position - static_cast<double>(index));
        const float value = (*table)[index] + ((*table)[index + 1] - (*table)[index]) * fraction;
        phase += frequency / SAMPLE_RATE;
        phase -= std::floor(phase);
        return value;
    }
};

// Small, fixed noise source: the same hits sound the same on every run.
struct Noise
{
    std::uint32_t state;

    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }
};

void panGains(float pan, float& left, float& right)
{
    const double angle = (static_cast<double>(pan) + 1.0) * PI / 4;
    left = static_cast<float>(std::cos(angle));
    right = static_cast<float>(std::sin(angle));
}

double releaseTime(Instrument instrument)
{
    switch (instrument)
    {
    case Instrument::Pad:
        return 0.10;
    case Instrument::RedLead:
        return 0.07;
    case Instrument::BlueBell:
        return 0.05;
    case Instrument::Bass:
        return 0.03;
    default:
        return 0.01;
    }
}

} // namespace

void renderNote(const Note& note, StereoBuffer& buffer)
{
    const double end = std::min(note.start + note.length, note.limit);
    const auto first = static_cast<std::size_t>(std::llround(note.start * SAMPLE_RATE));
    const auto last =
        std::min(buffer.frames(), static_cast<std::size_t>(std::llround(end * SAMPLE_RATE)));
    if (first >= last)
        return;
    const double duration = static_cast<double>(last - first) / SAMPLE_RATE;
    const double release = std::min(releaseTime(note.instrument), duration * 0.5);

    const Tables& waves = tables();
    // The wave of each pitched instrument; the drums sound from noise and sweeps instead.
    const std::pair<Instrument, const Table*> voices[] = {
        {Instrument::Pad, &waves.saw},       {Instrument::Pluck, &waves.hollow},
        {Instrument::Bass, &waves.bass},     {Instrument::RedLead, &waves.reed},
        {Instrument::BlueBell, &waves.bell},
    };
    Oscillator main{&waves.sine};
    for (const auto& [instrument, table] : voices)
    {
        if (instrument == note.instrument)
            main.table = table;
    }
    // The pad doubles its wave a little out of phase.
    Oscillator second{note.instrument == Instrument::Pad ? &waves.saw : &waves.sine};
    if (note.instrument == Instrument::Pad)
        second.phase = 0.37;
    Noise noise{static_cast<std::uint32_t>(first * 2654435761u) | 1u};
    float previousNoise = 0;
    double kickPhase = 0;

    float leftGain = 0;
    float rightGain = 0;
    panGains(note.pan, leftGain, rightGain);

    for (std::size_t i = first; i < last; ++i)
    {
        const double t = static_cast<double>(i - first) / SAMPLE_RATE;
        const double untilEnd = duration - t;
        double envelope = std::min(1.0, untilEnd / release);
        double value = 0;
        switch (note.instrument)
        {
        case Instrument::Pad:
            envelope *= std::min(1.0, t / 0.06);
            value =
                0.5 * (main.next(note.frequency * 1.0029) + second.next(note.frequency / 1.0029));
            break;
        case Instrument::Pluck:
            envelope *= std::min(1.0, t / 0.003) * std::exp(-t / 0.16);
            value = main.next(note.frequency);
            break;
        case Instrument::Bass:
            envelope *= std::min(1.0, t / 0.006) * (0.45 + 0.55 * std::exp(-t / 0.5));
            value = main.next(note.frequency);
            break;
        case Instrument::RedLead:
        {
            envelope *= std::min(1.0, t / 0.02) * (0.75 + 0.25 * std::exp(-t / 0.2));
            const double depth = t < 0.18 ? 0.0 : std::min(1.0, (t - 0.18) / 0.3) * 0.004;
            value = main.next(note.frequency * (1.0 + depth * std::sin(2 * PI * 5.2 * t)));
            break;
        }
        case Instrument::BlueBell:
            envelope *= std::min(1.0, t / 0.004) * std::exp(-t / 0.45);
            value = main.next(note.frequency) +
                    0.25 * std::exp(-t / 0.08) * second.next(note.frequency * 4.0);
            break;
        case Instrument::Kick:
        {
            envelope *= std::min(1.0, t / 0.002) * std::exp(-t / 0.2);
            const double frequency = 46.0 + 90.0 * std::exp(-t / 0.03);
            kickPhase += frequency / SAMPLE_RATE;
            value = std::sin(2 * PI * kickPhase);
            break;
        }
        case Instrument::Snare:
        {
            const float white = noise.next();
            const float bright = white - 0.55f * previousNoise;
            previousNoise = white;
            envelope *= std::min(1.0, t / 0.001);
            value =
                0.7 * bright * std::exp(-t / 0.1) + 0.5 * std::exp(-t / 0.05) * main.next(185.0);
            break;
        }
        case Instrument::Hat:
        {
            const float white = noise.next();
            const float hiss = white - previousNoise;
            previousNoise = white;
            envelope *= std::min(1.0, t / 0.001) * std::exp(-t / 0.03);
            value = 0.5 * hiss;
            break;
        }
        }
        const float sample = static_cast<float>(value * envelope) * note.gain;
        buffer.left[i] += sample * leftGain;
        buffer.right[i] += sample * rightGain;
    }
}

} // namespace musicgen
