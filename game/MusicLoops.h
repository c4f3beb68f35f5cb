#ifndef HALVREN_MUSIC_LOOPS_H
#define HALVREN_MUSIC_LOOPS_H

// The background music's two loop regions, in seconds: the menus loop the first, a level the
// second. The game sets its loop points from these figures and the music generator
// (tools/musicgen) writes the piece to them, so each region begins and ends on a bar line.

struct MusicLoop
{
    double start;
    double end;

    constexpr double length() const { return end - start; }
};

// A short silent pickup comes before the menu loop.
inline constexpr MusicLoop MENU_MUSIC_LOOP{0.077, 17.852};
// The play loop follows straight on and runs to the end of the piece.
inline constexpr MusicLoop PLAY_MUSIC_LOOP{MENU_MUSIC_LOOP.end, 172.9};

#endif
