#include "Score.h"

#include "Timeline.h"

#include <cmath>
#include <cstdlib>

namespace musicgen
{

namespace
{

// Scale degrees of A natural minor, A4 = degree 0.
constexpr int MINOR_SCALE[7] = {0, 2, 3, 5, 7, 8, 10};

struct Chord
{
    int root;      // scale degree 0..6
    bool dominant; // the seventh degree raised (E major leading back to A minor)
};

constexpr Chord Am{0, false};
constexpr Chord Dm{3, false};
constexpr Chord Em{4, false};
constexpr Chord E{4, true};
constexpr Chord F{5, false};
constexpr Chord C{2, false};
constexpr Chord G{6, false};

int floorDiv(int value, int divisor)
{
    return (value >= 0) ? value / divisor : -((-value + divisor - 1) / divisor);
}

double frequencyOf(int degree, bool raiseSeventh)
{
    const int octave = floorDiv(degree, 7);
    const int step = degree - 7 * octave;
    int semitone = MINOR_SCALE[step] + 12 * octave;
    if (raiseSeventh && step == 6)
        ++semitone;
    return 440.0 * std::pow(2.0, semitone / 12.0);
}

// The chord tone (as a pitch class 0..6) placed in the octave nearest to `near`.
int placeNear(int pitchClass, int near)
{
    int degree = pitchClass + 7 * floorDiv(near - pitchClass + 3, 7);
    return degree;
}

int chordTone(const Chord& chord, int index)
{
    return (chord.root + 2 * index) % 7;
}

// A melody note on the 8th-note grid of one bar.
struct MelodyNote
{
    int start;  // in 8ths from the bar line
    int length; // in 8ths
    int degree;
    bool red; // red lead or blue bell
};

// The theme over Am F C G Am F Dm E: bars 0-1 and 4-5 the red call, 2-3 and 6-7 the blue
// answer. Bars 2-3 are bars 0-1 mirrored: every step of the call taken the other way.
const std::vector<std::vector<MelodyNote>> THEME = {
    {{0, 3, 4, true}, {3, 1, 3, true}, {4, 2, 2, true}, {6, 2, 4, true}},
    {{0, 4, 7, true}, {4, 2, 6, true}, {6, 2, 5, true}},
    {{0, 3, 2, false}, {3, 1, 3, false}, {4, 2, 4, false}, {6, 2, 2, false}},
    {{0, 4, -1, false}, {4, 2, 0, false}, {6, 2, 1, false}},
    {{0, 2, 7, true}, {2, 1, 6, true}, {3, 1, 7, true}, {4, 2, 9, true}, {6, 2, 7, true}},
    {{0, 3, 9, true}, {3, 1, 8, true}, {4, 4, 7, true}},
    {{0, 3, 3, false}, {3, 1, 4, false}, {4, 2, 5, false}, {6, 2, 7, false}},
    {{0, 2, 6, false}, {2, 2, 8, false}, {4, 4, 4, false}},
};

// The last six bars of the play region, ending like the menu region does.
const std::vector<std::vector<MelodyNote>> CODA = {
    {{0, 2, 5, true}, {2, 2, 3, true}, {4, 4, 7, true}},
    {{0, 4, 6, true}, {4, 4, 8, true}},
    {{0, 3, 4, false}, {3, 1, 3, false}, {4, 4, 2, false}},
    {{0, 2, 5, false}, {2, 2, 7, false}, {4, 4, 9, false}},
    {{0, 3, 10, true}, {3, 1, 9, true}, {4, 2, 8, true}, {6, 2, 7, true}},
    THEME[7],
};

enum class Style
{
    Menu,      // bell theme, light drums
    Theme,     // both leads, full drums
    Lift,      // long red notes, bell figures, busier drums
    Breakdown, // no leads but the bell arpeggio, sparse drums
    Coda
};

struct Section
{
    Style style;
    std::vector<Chord> chords; // one per bar
};

class Composer
{
public:
    explicit Composer(std::vector<Note>& notes) : m_notes(notes) {}

    void region(const Region& region, const std::vector<Section>& sections)
    {
        m_region = region;
        int bar = 0;
        for (const Section& section : sections)
        {
            for (std::size_t i = 0; i < section.chords.size(); ++i, ++bar)
                this->bar(bar, static_cast<int>(i), section);
        }
        if (bar != region.bars)
            std::abort(); // the sections must fill the region exactly
    }

private:
    void add(double startBeat, double lengthBeats, double frequency, Instrument instrument,
             float gain, float pan)
    {
        Note note;
        note.start = m_region.start + startBeat * m_region.beatLength();
        note.length = lengthBeats * m_region.beatLength();
        note.frequency = frequency;
        note.instrument = instrument;
        note.gain = gain;
        note.pan = pan;
        note.limit = m_region.end;
        m_notes.push_back(note);
    }

    void bar(int bar, int indexInSection, const Section& section)
    {
        const Chord& chord = section.chords[static_cast<std::size_t>(indexInSection)];
        const double beat0 = bar * BEATS_PER_BAR;
        const bool phraseEnd = (indexInSection % 8) == 7 || bar == m_region.bars - 1;
        pad(beat0, chord, section.style);
        bass(beat0, chord, section.style);
        arpeggio(beat0, chord, section.style, bar);
        drums(beat0, section.style, phraseEnd);
        melody(beat0, chord, section.style, indexInSection);
    }

    void pad(double beat0, const Chord& chord, Style style)
    {
        const float gain = style == Style::Breakdown ? 0.16f : 0.12f;
        const int centres[3] = {-5, -3, -1};
        for (int i = 0; i < 3; ++i)
        {
            const int degree = placeNear(chordTone(chord, i), centres[i]);
            add(beat0, BEATS_PER_BAR, frequencyOf(degree, chord.dominant), Instrument::Pad, gain,
                i == 0 ? -0.5f : (i == 1 ? 0.0f : 0.5f));
        }
    }

    void bass(double beat0, const Chord& chord, Style style)
    {
        const int root = placeNear(chord.root, -14);
        const double low = frequencyOf(root, chord.dominant);
        const double fifth = frequencyOf(root + 4, chord.dominant);
        if (style == Style::Menu || style == Style::Breakdown)
        {
            add(beat0, 2, low, Instrument::Bass, 0.45f, 0.0f);
            add(beat0 + 2, 2, style == Style::Menu ? low : fifth, Instrument::Bass, 0.45f, 0.0f);
            return;
        }
        // Driving 8ths, the fifth on the off-beat of beat three.
        for (int eighth = 0; eighth < 8; ++eighth)
        {
            const double frequency = (eighth == 5) ? fifth : low;
            add(beat0 + eighth * 0.5, 0.5, frequency, Instrument::Bass,
                eighth % 2 == 0 ? 0.5f : 0.38f, 0.0f);
        }
    }

    void arpeggio(double beat0, const Chord& chord, Style style, int bar)
    {
        // Up and down over two octaves of chord tones.
        static const int pattern[8] = {0, 1, 2, 3, 4, 3, 2, 1};
        const bool sixteenths = style == Style::Lift || style == Style::Coda;
        const int steps = sixteenths ? 16 : 8;
        const double stepBeats = BEATS_PER_BAR / static_cast<double>(steps);
        const int base = placeNear(chord.root, 0);
        const Instrument instrument =
            style == Style::Breakdown ? Instrument::BlueBell : Instrument::Pluck;
        const float gain = style == Style::Breakdown ? 0.14f : 0.11f;
        for (int step = 0; step < steps; ++step)
        {
            const int index = pattern[(step + bar) % 8];
            const int degree = base + 2 * (index % 3) + 7 * (index / 3);
            const float pan = (step % 2 == 0) ? -0.35f : 0.35f;
            add(beat0 + step * stepBeats, stepBeats * 1.5, frequencyOf(degree, chord.dominant),
                instrument, gain, pan);
        }
    }

    void drums(double beat0, Style style, bool phraseEnd)
    {
        const bool light = style == Style::Menu || style == Style::Breakdown;
        const float hatGain = light ? 0.10f : 0.16f;
        for (int eighth = 0; eighth < 8; ++eighth)
            add(beat0 + eighth * 0.5, 0.25, 0, Instrument::Hat,
                eighth % 2 == 0 ? hatGain : hatGain * 0.6f, 0.25f);
        if (light)
        {
            add(beat0, 0.9, 0, Instrument::Kick, 0.55f, 0.0f);
            add(beat0 + 2, 0.9, 0, Instrument::Kick, 0.45f, 0.0f);
            if (phraseEnd)
            {
                for (int i = 0; i < 4; ++i)
                    add(beat0 + 3 + i * 0.25, 0.25, 0, Instrument::Snare, 0.18f + 0.06f * i, -0.1f);
            }
            return;
        }
        add(beat0, 0.9, 0, Instrument::Kick, 0.8f, 0.0f);
        add(beat0 + 1.5, 0.5, 0, Instrument::Kick, 0.55f, 0.0f);
        add(beat0 + 2, 0.9, 0, Instrument::Kick, 0.75f, 0.0f);
        add(beat0 + 1, 0.9, 0, Instrument::Snare, 0.42f, -0.1f);
        if (phraseEnd)
        {
            for (int i = 0; i < 4; ++i)
                add(beat0 + 3 + i * 0.25, 0.25, 0, Instrument::Snare, 0.32f + 0.08f * i, -0.1f);
        }
        else
        {
            add(beat0 + 3, 0.9, 0, Instrument::Snare, 0.42f, -0.1f);
        }
        if (style == Style::Lift)
        {
            for (int i = 0; i < 4; ++i)
                add(beat0 + 3 + i * 0.25, 0.2, 0, Instrument::Hat, 0.08f, -0.3f);
        }
    }

    void melodyNote(double beat0, const MelodyNote& note, const Chord& chord, float redGain,
                    float blueGain)
    {
        const double start = beat0 + note.start * 0.5;
        const double length = note.length * 0.5;
        const double frequency = frequencyOf(note.degree, chord.dominant);
        if (note.red)
        {
            add(start, length, frequency, Instrument::RedLead, redGain, -0.4f);
            // An echo from the other world, a dotted eighth later.
            add(start + 0.75, length, frequency, Instrument::RedLead, redGain * 0.25f, 0.6f);
        }
        else
        {
            add(start, length + 0.5, frequency, Instrument::BlueBell, blueGain, 0.4f);
            add(start + 0.75, length, frequency, Instrument::BlueBell, blueGain * 0.25f, -0.6f);
        }
    }

    void melody(double beat0, const Chord& chord, Style style, int indexInSection)
    {
        switch (style)
        {
        case Style::Menu:
            for (MelodyNote note : THEME[static_cast<std::size_t>(indexInSection % 8)])
            {
                note.red = false;
                melodyNote(beat0, note, chord, 0, 0.16f);
            }
            break;
        case Style::Theme:
        case Style::Coda:
        {
            const auto& source = style == Style::Coda ? CODA : THEME;
            for (const MelodyNote& note : source[static_cast<std::size_t>(indexInSection % 8)])
                melodyNote(beat0, note, chord, 0.17f, 0.24f);
            // The closing bar joins both worlds, as the loop returns to the red call.
            if (style == Style::Coda && indexInSection == static_cast<int>(CODA.size()) - 1)
            {
                for (MelodyNote note : CODA.back())
                {
                    note.red = true;
                    note.degree -= 7;
                    melodyNote(beat0, note, chord, 0.13f, 0);
                }
            }
            break;
        }
        case Style::Lift:
        {
            // Two long red notes per bar, the chord's upper tones, led by the nearest step.
            for (int half = 0; half < 2; ++half)
            {
                const int degree = placeNear(chordTone(chord, half == 0 ? 2 : 1), 7);
                add(beat0 + half * 2, 2, frequencyOf(degree, chord.dominant), Instrument::RedLead,
                    0.15f, -0.4f);
            }
            // The blue bell answers on the off-beats, an octave up.
            for (int i = 0; i < 4; ++i)
            {
                const int degree = placeNear(chordTone(chord, i % 3), 11) + (i == 3 ? 7 : 0);
                add(beat0 + i + 0.5, 0.5, frequencyOf(degree, chord.dominant), Instrument::BlueBell,
                    0.09f, 0.5f);
            }
            break;
        }
        case Style::Breakdown:
            break;
        }
    }

    std::vector<Note>& m_notes;
    Region m_region{0, 0, 1};
};

} // namespace

std::vector<Note> composePiece()
{
    const std::vector<Chord> theme = {Am, F, C, G, Am, F, Dm, E};
    const std::vector<Chord> lift = {F, G, Em, Am, Dm, G, C, E, F, G, Em, Am, Dm, G, C, E};
    const std::vector<Chord> breakdown = {Am, Am, F, F, C, C, G, E, Am, Am, F, F, C, C, G, E};
    const std::vector<Chord> coda = {Dm, E, Am, F, Dm, E};

    std::vector<Note> notes;
    Composer composer(notes);
    composer.region(MENU_REGION, {{Style::Menu, theme}});
    composer.region(PLAY_REGION, {{Style::Theme, theme},
                                  {Style::Theme, theme},
                                  {Style::Lift, lift},
                                  {Style::Breakdown, breakdown},
                                  {Style::Theme, theme},
                                  {Style::Theme, theme},
                                  {Style::Coda, coda}});
    return notes;
}

} // namespace musicgen
