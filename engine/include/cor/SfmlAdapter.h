#ifndef COR_SFML_ADAPTER_H
#define COR_SFML_ADAPTER_H

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <cstdint>
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
// Reads the font through the source, which must outlive the font's use of it.
bool openFont(sf::Font& font, sf::InputStream& source);

// A file for SFML's loaders to read, opened only when it is a regular file (links followed),
// so that a directory, FIFO or device is refused before a decoder can block or spin on it.
// Null when refused or absent.
std::unique_ptr<sf::InputStream> openRegularFileSource(const std::string& path);

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

// Streams the music from the source, which must outlive the music's use of it.
bool openMusic(sf::Music& music, sf::InputStream& source);
void setMusicLoopPoints(sf::Music& music, float offsetSeconds, float lengthSeconds);
void musicLoopPoints(const sf::Music& music, float& offsetSeconds, float& lengthSeconds);
void setMusicLooping(sf::Music& music, bool looping);
bool isMusicLooping(const sf::Music& music);

// Reads back what has been drawn into the window so far (its back buffer).
sf::Image captureWindow(const sf::RenderWindow& window);
sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y);

// Batched cell drawing: the triangles sf::Text and sf::RectangleShape would draw, gathered
// into one vertex array that is drawn with the font's texture.
sf::VertexArray makeTriangleBatch();
// The pixel area a quad covers.
struct QuadExtent
{
    float left;
    float top;
    float right;
    float bottom;
};
// The quad of one glyph whose text origin is at origin (top-left of the text's line).
QuadExtent appendGlyphQuad(sf::VertexArray& batch, sf::Vector2f origin, unsigned characterSize,
                           sf::Color color, const sf::Glyph& glyph);
// A solid rectangle, drawn through the white texel every font texture page reserves.
void appendSolidRect(sf::VertexArray& batch, sf::Vector2f topLeft, sf::Vector2f size,
                     sf::Color color);
// Whether sf::Text draws a glyph for this character (it draws none for white space).
bool textDrawsGlyph(std::uint32_t codepoint);

bool openSoundFileWriter(sf::OutputSoundFile& file, const std::string& path, unsigned sampleRate,
                         unsigned channelCount);
bool openSoundFileReader(sf::InputSoundFile& file, const std::string& path);

} // namespace cor::sfml

#endif
