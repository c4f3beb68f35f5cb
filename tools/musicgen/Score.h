#ifndef HALVREN_MUSICGEN_SCORE_H
#define HALVREN_MUSICGEN_SCORE_H

#include "Synth.h"

#include <vector>

namespace musicgen
{

// The whole piece as a list of notes: an A-minor theme in which the red lead calls and the
// blue bell answers with the call turned upside down, over pad, arpeggio, bass and drums.
std::vector<Note> composePiece();

} // namespace musicgen

#endif
