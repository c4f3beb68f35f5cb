#ifndef COR_LIBRARY_DIAGNOSTICS_H
#define COR_LIBRARY_DIAGNOSTICS_H

namespace cor
{

// SFML and the audio library beneath it print diagnostics of their own on the console, where
// a player would see them: SFML on sf::err() (a font or music file it refuses, vertical sync
// unsupported), the audio library on the C standard error as it opens the sound device, which
// it does when the first music stream is made. The engine reports through its log instead.
//
// Called once at start-up, before any manager: sends sf::err() nowhere for the rest of the run,
// and makes the resource manager, whose music records open the sound device, with standard
// error silenced.
void quietLibraryDiagnostics();

} // namespace cor

#endif
