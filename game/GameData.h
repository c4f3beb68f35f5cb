#ifndef HALVREN_GAME_DATA_H
#define HALVREN_GAME_DATA_H

// The files the game reads at start-up, all relative to the working directory.

// The labels of the title art and the game-over art; the board's sprites are labelled in
// BoardCells.h. Each sprite is read from "assets/<label>.txt".
inline constexpr const char* TITLE_ART_LABEL = "halvren-title";
inline constexpr const char* GAME_OVER_ART_LABEL = "gameover";

// The background music and the label it is loaded under.
inline constexpr const char* MUSIC_FILE = "sound/BGM/BGM.ogg";
inline constexpr const char* MUSIC_LABEL = "bgm";

// Loads the five levels into the level table, then the eight sprites and the music, stopping
// at the first file that fails: a level's fault goes to standard error, a sprite's or the
// music's to the log. Needs a started engine.
bool loadGameData();

// Starts the music looping over the menus' region, when it has loaded.
void startMenuMusic();

#endif
