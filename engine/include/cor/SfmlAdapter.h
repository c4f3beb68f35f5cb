#ifndef COR_SFML_ADAPTER_H
#define COR_SFML_ADAPTER_H

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <memory>
#include <string>

// The one place that knows which SFML major version the engine is built against.
// Every call whose form differs between SFML 2.5 and SFML 3 goes through here; the
// rest of the engine (and its tools and tests) uses only what both versions share.
namespace cor::sfml
{

// The SFML major version the engine was compiled with (2 or 3).
int majorVersion();

// Keeps SFML's own diagnostics (sf::err()) off the console.
void silenceDiagnostics();

// A window with a title bar only: no close button, no resize border.
std::unique_ptr<sf::RenderWindow> createTitlebarWindow(unsigned width, unsigned height,
                                                       unsigned bitsPerPixel,
                                                       const std::string& title);

bool openFont(sf::Font& font, const std::string& path);

// A text object bound to the font, with an empty string.
sf::Text makeText(const sf::Font& font);

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

// Keys whose names differ between the versions.
sf::Keyboard::Key graveKey();

bool openMusic(sf::Music& music, const std::string& path);
void setMusicLoopPoints(sf::Music& music, float offsetSeconds, float lengthSeconds);
void musicLoopPoints(const sf::Music& music, float& offsetSeconds, float& lengthSeconds);
void setMusicLooping(sf::Music& music, bool looping);
bool isMusicLooping(const sf::Music& music);

// Reads back what has been drawn into the window so far (its back buffer).
sf::Image captureWindow(const sf::RenderWindow& window);
sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y);

bool openSoundFileWriter(sf::OutputSoundFile& file, const std::string& path, unsigned sampleRate,
                         unsigned channelCount);
bool openSoundFileReader(sf::InputSoundFile& file, const std::string& path);

} // namespace cor::sfml

#endif
