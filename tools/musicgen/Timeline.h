#ifndef HALVREN_MUSICGEN_TIMELINE_H
#define HALVREN_MUSICGEN_TIMELINE_H

// Where the piece's bars fall. The game loops the menu region while its menus show and the
// play region while a level is played, so both regions begin and end exactly on bar lines.

#include "MusicLoops.h"

namespace musicgen
{

constexpr unsigned SAMPLE_RATE = 48000; // every loop point lands on a whole sample
constexpr int MENU_BARS = 8;
constexpr int PLAY_BARS = 70;
constexpr int BEATS_PER_BAR = 4;

// A stretch of the piece with its own whole number of equal bars.
struct Region
{
    double start;
    double end;
    int bars;

    double barLength() const { return (end - start) / bars; }
    double beatLength() const { return barLength() / BEATS_PER_BAR; }
    // The time of a point given in bars from the region's start (fractions allowed).
    double at(double bar) const { return start + bar * barLength(); }
};

constexpr Region MENU_REGION{MENU_MUSIC_LOOP.start, MENU_MUSIC_LOOP.end, MENU_BARS};
constexpr Region PLAY_REGION{PLAY_MUSIC_LOOP.start, PLAY_MUSIC_LOOP.end, PLAY_BARS};

} // namespace musicgen

#endif
