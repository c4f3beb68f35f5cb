#ifndef COR_SFML_COMPAT_H
#define COR_SFML_COMPAT_H

// What differs between SFML 2.5 and SFML 3, behind one set of calls. The rest of the engine
// uses only what both versions share; SFML_VERSION_MAJOR (from SFML itself) picks the form.
#include <SFML/Audio/Music.hpp>
#include <SFML/Config.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/InputStream.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstdint>
#include <memory>
#include <string>

namespace cor::sfml
{

// A window with a title bar only: no close button, no resize border.
std::unique_ptr<sf::RenderWindow> createTitlebarWindow(unsigned width, unsigned height,
                                                       unsigned bitsPerPixel,
                                                       const std::string& title);
sf::Vector2u desktopSize();
// The window system's handle of the window (an X window id on Linux).
sf::WindowHandle nativeHandle(const sf::Window& window);

// A file for SFML's loaders to read, opened only when it is a regular file (links followed),
// so that a directory, FIFO or device is refused before a decoder can block or spin on it.
// Null when refused or absent.
std::unique_ptr<sf::InputStream> openRegularFileSource(const std::string& path);
// Reads the font through the source, which must outlive the font's use of it.
bool openFont(sf::Font& font, sf::InputStream& source);
// Reads the font straight from the file, for the engine's own tests and benchmarks.
bool openFont(sf::Font& font, const std::string& path);
// A text object bound to the font, with an empty string.
sf::Text makeText(const sf::Font& font);
// Whether sf::Text draws a glyph for this character (it draws none for white space).
bool textDrawsGlyph(std::uint32_t codepoint);

// A rectangle's corner and size, however the version stores them.
template <typename T> sf::Vector2<T> rectPosition(const sf::Rect<T>& rect)
{
#if SFML_VERSION_MAJOR >= 3
    return rect.position;
#else
    return sf::Vector2<T>(rect.left, rect.top);
#endif
}

template <typename T> sf::Vector2<T> rectSize(const sf::Rect<T>& rect)
{
#if SFML_VERSION_MAJOR >= 3
    return rect.size;
#else
    return sf::Vector2<T>(rect.width, rect.height);
#endif
}

// A window event reduced to what the engine reads from it.
struct InputEvent
{
    enum class Kind
    {
        KeyPressed,
        KeyReleased,
        MouseMoved,
        MouseButtonPressed,
        Other
    };
    Kind kind = Kind::Other;
    sf::Keyboard::Key key = sf::Keyboard::Key::Unknown;
    int button = -1; // sf::Mouse::Button as an integer, for MouseButtonPressed
    int x = 0;       // pointer position in pixels, for the mouse kinds
    int y = 0;
};

// Takes the next queued window event; false when the queue is empty.
bool pollInput(sf::Window& window, InputEvent& event);
// The key left of 1, whose name differs between the versions.
sf::Keyboard::Key graveKey();

void setMusicLoopPoints(sf::Music& music, float offsetSeconds, float lengthSeconds);
void setMusicLooping(sf::Music& music, bool looping);
bool musicLooping(const sf::Music& music);
// Whether music can sound. SFML 2 goes on without a sound device, but its streaming thread
// then spins and may never end, so that stopping the music hangs; SFML 3 stays quiet instead.
bool audioDeviceOpen();

} // namespace cor::sfml

#endif
