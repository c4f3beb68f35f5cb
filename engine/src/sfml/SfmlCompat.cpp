#include "sfml/SfmlCompat.h"

#include "ReadableFile.h"
#include "platform/Platform.h"

#include <SFML/Window/Event.hpp>

#include <optional>

#define COR_TEXT_OF(value) #value
#define COR_TEXT(value) COR_TEXT_OF(value)

namespace cor::sfml
{

namespace
{

// The SFML the program was built against, kept in the binary where `strings` finds it: the
// test command checks that each build uses the SFML its preset names.
[[gnu::used]] const char builtAgainst[] = "Built against SFML " COR_TEXT(
    SFML_VERSION_MAJOR) "." COR_TEXT(SFML_VERSION_MINOR) "." COR_TEXT(SFML_VERSION_PATCH);

} // namespace

std::unique_ptr<sf::RenderWindow> createTitlebarWindow(unsigned width, unsigned height,
                                                       unsigned bitsPerPixel,
                                                       const std::string& title)
{
#if SFML_VERSION_MAJOR >= 3
    return std::make_unique<sf::RenderWindow>(sf::VideoMode({width, height}, bitsPerPixel), title,
                                              sf::Style::Titlebar, sf::State::Windowed,
                                              sf::ContextSettings{});
#else
    return std::make_unique<sf::RenderWindow>(sf::VideoMode(width, height, bitsPerPixel), title,
                                              sf::Style::Titlebar, sf::ContextSettings());
#endif
}

sf::Vector2u desktopSize()
{
#if SFML_VERSION_MAJOR >= 3
    return sf::VideoMode::getDesktopMode().size;
#else
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    return sf::Vector2u(desktop.width, desktop.height);
#endif
}

sf::WindowHandle nativeHandle(const sf::Window& window)
{
#if SFML_VERSION_MAJOR >= 3
    return window.getNativeHandle();
#else
    return window.getSystemHandle();
#endif
}

bool openFont(sf::Font& font, sf::InputStream& source)
{
#if SFML_VERSION_MAJOR >= 3
    return font.openFromStream(source);
#else
    return font.loadFromStream(source);
#endif
}

namespace
{

// A file handed to SFML as its input stream, whose reading calls differ between the versions.
class FileSource : public sf::InputStream
{
public:
    explicit FileSource(std::unique_ptr<ReadableFile> file) : m_file(std::move(file)) {}

#if SFML_VERSION_MAJOR >= 3
    std::optional<std::size_t> read(void* data, std::size_t size) override;
    std::optional<std::size_t> seek(std::size_t position) override;
    std::optional<std::size_t> tell() override;
    std::optional<std::size_t> getSize() override;
#else
    sf::Int64 read(void* data, sf::Int64 size) override;
    sf::Int64 seek(sf::Int64 position) override;
    sf::Int64 tell() override;
    sf::Int64 getSize() override;
#endif

private:
    std::unique_ptr<ReadableFile> m_file;
};

#if SFML_VERSION_MAJOR >= 3
// SFML 3 is told of a failed call by an empty result.
std::optional<std::size_t> counted(std::int64_t value)
{
    if (value < 0)
        return std::nullopt;
    return static_cast<std::size_t>(value);
}

std::optional<std::size_t> FileSource::read(void* data, std::size_t size)
{
    return counted(m_file->read(data, static_cast<std::int64_t>(size)));
}

std::optional<std::size_t> FileSource::seek(std::size_t position)
{
    return counted(m_file->seek(static_cast<std::int64_t>(position)));
}

std::optional<std::size_t> FileSource::tell()
{
    return counted(m_file->tell());
}

std::optional<std::size_t> FileSource::getSize()
{
    return counted(m_file->size());
}
#else
sf::Int64 FileSource::read(void* data, sf::Int64 size)
{
    return m_file->read(data, size);
}

sf::Int64 FileSource::seek(sf::Int64 position)
{
    return m_file->seek(position);
}

sf::Int64 FileSource::tell()
{
    return m_file->tell();
}

sf::Int64 FileSource::getSize()
{
    return m_file->size();
}
#endif

} // namespace

std::unique_ptr<sf::InputStream> openRegularFileSource(const std::string& path)
{
    return openReadable<FileSource>(path);
}

bool openFont(sf::Font& font, const std::string& path)
{
#if SFML_VERSION_MAJOR >= 3
    return font.openFromFile(path);
#else
    return font.loadFromFile(path);
#endif
}

sf::Text makeText(const sf::Font& font)
{
#if SFML_VERSION_MAJOR >= 3
    return sf::Text(font);
#else
    sf::Text text;
    text.setFont(font);
    return text;
#endif
}

bool pollInput(sf::Window& window, InputEvent& event)
{
    event = InputEvent{};
#if SFML_VERSION_MAJOR >= 3
    const std::optional<sf::Event> polled = window.pollEvent();
    if (!polled)
        return false;
    if (const auto* pressed = polled->getIf<sf::Event::KeyPressed>())
    {
        event.kind = InputEvent::Kind::KeyPressed;
        event.key = pressed->code;
    }
    else if (const auto* released = polled->getIf<sf::Event::KeyReleased>())
    {
        event.kind = InputEvent::Kind::KeyReleased;
        event.key = released->code;
    }
    else if (const auto* moved = polled->getIf<sf::Event::MouseMoved>())
    {
        event.kind = InputEvent::Kind::MouseMoved;
        event.x = moved->position.x;
        event.y = moved->position.y;
    }
    else if (const auto* clicked = polled->getIf<sf::Event::MouseButtonPressed>())
    {
        event.kind = InputEvent::Kind::MouseButtonPressed;
        event.button = static_cast<int>(clicked->button);
        event.x = clicked->position.x;
        event.y = clicked->position.y;
    }
    return true;
#else
    sf::Event polled;
    if (!window.pollEvent(polled))
        return false;
    switch (polled.type)
    {
    case sf::Event::KeyPressed:
        event.kind = InputEvent::Kind::KeyPressed;
        event.key = polled.key.code;
        break;
    case sf::Event::KeyReleased:
        event.kind = InputEvent::Kind::KeyReleased;
        event.key = polled.key.code;
        break;
    case sf::Event::MouseMoved:
        event.kind = InputEvent::Kind::MouseMoved;
        event.x = polled.mouseMove.x;
        event.y = polled.mouseMove.y;
        break;
    case sf::Event::MouseButtonPressed:
        event.kind = InputEvent::Kind::MouseButtonPressed;
        event.button = static_cast<int>(polled.mouseButton.button);
        event.x = polled.mouseButton.x;
        event.y = polled.mouseButton.y;
        break;
    default:
        break;
    }
    return true;
#endif
}

sf::Keyboard::Key graveKey()
{
#if SFML_VERSION_MAJOR >= 3
    return sf::Keyboard::Key::Grave;
#else
    return sf::Keyboard::Key::Tilde;
#endif
}

void setMusicLoopPoints(sf::Music& music, float offsetSeconds, float lengthSeconds)
{
#if SFML_VERSION_MAJOR >= 3
    music.setLoopPoints({sf::seconds(offsetSeconds), sf::seconds(lengthSeconds)});
#else
    music.setLoopPoints(
        sf::Music::TimeSpan(sf::seconds(offsetSeconds), sf::seconds(lengthSeconds)));
#endif
}

void setMusicLooping(sf::Music& music, bool looping)
{
#if SFML_VERSION_MAJOR >= 3
    music.setLooping(looping);
#else
    music.setLoop(looping);
#endif
}

bool musicLooping(const sf::Music& music)
{
#if SFML_VERSION_MAJOR >= 3
    return music.isLooping();
#else
    return music.getLoop();
#endif
}

bool textDrawsGlyph(std::uint32_t codepoint)
{
#if SFML_VERSION_MAJOR >= 3
    if (codepoint == U'\r')
        return false;
#endif
    return codepoint != U' ' && codepoint != U'\t' && codepoint != U'\n';
}

bool audioDeviceOpen()
{
#if SFML_VERSION_MAJOR >= 3
    return true;
#else
    // SFML 2 makes its OpenAL context current once it has opened a device; without one there
    // is none. Where OpenAL cannot be asked, the music plays as before.
    using CurrentContext = void* (*)();
    const auto currentContext =
        reinterpret_cast<CurrentContext>(platform::loadedFunction("alcGetCurrentContext"));
    return currentContext == nullptr || currentContext() != nullptr;
#endif
}

} // namespace cor::sfml
