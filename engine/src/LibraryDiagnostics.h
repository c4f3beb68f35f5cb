#ifndef COR_LIBRARY_DIAGNOSTICS_H
#define COR_LIBRARY_DIAGNOSTICS_H

#include "platform/Platform.h"

namespace cor
{

// SFML and the audio library beneath it print diagnostics of their own on the console, where
// a player would see them; the engine reports through its log instead. Two sources:
// - SFML writes to sf::err(): a font or music file it refuses, vertical sync unsupported.
//   quietLibraryDiagnostics(), called once at start-up, sends it nowhere for the whole run.
// - The audio library writes to the C standard error whenever it tries to open a sound device
//   and cannot (no sound card), which it does as music streams are made and opened.
//   withAudioQuiet() runs such a call with standard error silenced.
void quietLibraryDiagnostics();

template <typename AudioCall> auto withAudioQuiet(AudioCall call)
{
    // Restores standard error also when the call throws.
    struct Silenced
    {
        Silenced() { platform::silenceStandardError(); }
        ~Silenced() { platform::restoreStandardError(); }
        Silenced(const Silenced&) = delete;
        Silenced& operator=(const Silenced&) = delete;
    };
    const Silenced silenced;
    return call();
}

} // namespace cor

#endif
