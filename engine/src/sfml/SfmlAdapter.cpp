#include "cor/SfmlAdapter.h"

#include "platform/Platform.h"

#include <cstdio>
#include <optional>
#include <vector>

#ifndef HALVREN_SFML_MAJOR
#error "HALVREN_SFML_MAJOR must be set by the build"
#endif

namespace cor::sfml
{

int majorVersion()
{
    return HALVREN_SFML_MAJOR;
}

void silenceDiagnostics()
{
    sf::err().rdbuf(nullptr);
}

std::unique_ptr<sf::RenderWindow> createTitlebarWindow(unsigned width, unsigned height,
                                                       unsigned bitsPerPixel,
                                                       const std::string& title)
{
#if HALVREN_SFML_MAJOR >= 3
    auto window = std::make_unique<sf::RenderWindow>(sf::VideoMode({width, height}, bitsPerPixel),
                                                     title, sf::Style::Titlebar,
                                                     sf::State::Windowed, sf::ContextSettings{});
    const sf::Vector2u desktop = sf::VideoMode::getDesktopMode().size;
#else
    auto window =
        std::make_unique<sf::RenderWindow>(sf::VideoMode(width, height, bitsPerPixel), title,
                                           sf::Style::Titlebar, sf::ContextSettings());
    const sf::Vector2u desktop(sf::VideoMode::getDesktopMode().width,
                               sf::VideoMode::getDesktopMode().height);
#endif
    // Centred on the desktop, whichever version placed it where.
    if (window->isOpen())
        window->setPosition(
            sf::Vector2i((static_cast<int>(desktop.x) - static_cast<int>(width)) / 2,
                         (static_cast<int>(desktop.y) - static_cast<int>(height)) / 2));
    return window;
}

bool openFont(sf::Font& font, const std::string& path)
{
#if HALVREN_SFML_MAJOR >= 3
    return font.openFromFile(path);
#else
    return font.loadFromFile(path);
#endif
}

bool openFont(sf::Font& font, sf::InputStream& source)
{
#if HALVREN_SFML_MAJOR >= 3
    return font.openFromStream(source);
#else
    return font.loadFromStream(source);
#endif
}

namespace
{

// A standard I/O file handed to SFML as its input stream; owns the file.
class FileSource : public sf::InputStream
{
public:
    explicit FileSource(std::FILE* file) : m_file(file) {}
    ~FileSource() override { std::fclose(m_file); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

#if HALVREN_SFML_MAJOR >= 3
    std::optional<std::size_t> read(void* data, std::size_t size) override
    {
        const std::size_t count = std::fread(data, 1, size, m_file);
        if (count < size && std::ferror(m_file))
            return std::nullopt;
        return count;
    }
    std::optional<std::size_t> seek(std::size_t position) override
    {
        if (std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0)
            return std::nullopt;
        return position;
    }
    std::optional<std::size_t> tell() override
    {
        const long position = std::ftell(m_file);
        if (position < 0)
            return std::nullopt;
        return static_cast<std::size_t>(position);
    }
    std::optional<std::size_t> getSize() override
    {
        const long size = sizeOfFile();
        if (size < 0)
            return std::nullopt;
        return static_cast<std::size_t>(size);
    }
#else
    sf::Int64 read(void* data, sf::Int64 size) override
    {
        if (size <= 0)
            return 0;
        const std::size_t count = std::fread(data, 1, static_cast<std::size_t>(size), m_file);
        if (count < static_cast<std::size_t>(size) && std::ferror(m_file))
            return -1;
        return static_cast<sf::Int64>(count);
    }
    sf::Int64 seek(sf::Int64 position) override
    {
        if (std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0)
            return -1;
        return position;
    }
    sf::Int64 tell() override
    {
        return std::ftell(m_file);
    }
    sf::Int64 getSize() override
    {
        return sizeOfFile();
    }
#endif

private:
    long sizeOfFile()
    {
        const long position = std::ftell(m_file);
        if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
            return -1;
        const long size = std::ftell(m_file);
        std::fseek(m_file, position, SEEK_SET);
        return size;
    }

    std::FILE* m_file;
};

} // namespace

std::unique_ptr<sf::InputStream> openRegularFileSource(const std::string& path)
{
    std::FILE* file = platform::openRegularFileForReading(path.c_str());
    if (file == nullptr)
        return nullptr;
    return std::make_unique<FileSource>(file);
}

sf::Text makeText(const sf::Font& font)
{
#if HALVREN_SFML_MAJOR >= 3
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
#if HALVREN_SFML_MAJOR >= 3
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
#if HALVREN_SFML_MAJOR >= 3
    return sf::Keyboard::Key::Grave;
#else
    return sf::Keyboard::Key::Tilde;
#endif
}

bool openMusic(sf::Music& music, sf::InputStream& source)
{
    return music.openFromStream(source);
}

void setMusicLoopPoints(sf::Music& music, float offsetSeconds, float lengthSeconds)
{
#if HALVREN_SFML_MAJOR >= 3
    music.setLoopPoints({sf::seconds(offsetSeconds), sf::seconds(lengthSeconds)});
#else
    music.setLoopPoints(
        sf::Music::TimeSpan(sf::seconds(offsetSeconds), sf::seconds(lengthSeconds)));
#endif
}

void musicLoopPoints(const sf::Music& music, float& offsetSeconds, float& lengthSeconds)
{
    const sf::Music::TimeSpan span = music.getLoopPoints();
    offsetSeconds = span.offset.asSeconds();
    lengthSeconds = span.length.asSeconds();
}

void setMusicLooping(sf::Music& music, bool looping)
{
#if HALVREN_SFML_MAJOR >= 3
    music.setLooping(looping);
#else
    music.setLoop(looping);
#endif
}

bool isMusicLooping(const sf::Music& music)
{
#if HALVREN_SFML_MAJOR >= 3
    return music.isLooping();
#else
    return music.getLoop();
#endif
}

sf::Image captureWindow(const sf::RenderWindow& window)
{
#if HALVREN_SFML_MAJOR >= 3
    sf::Texture texture(window.getSize());
#else
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
#endif
    texture.update(window);
    return texture.copyToImage();
}

sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y)
{
#if HALVREN_SFML_MAJOR >= 3
    return image.getPixel({x, y});
#else
    return image.getPixel(x, y);
#endif
}

sf::VertexArray makeTriangleBatch()
{
    return sf::VertexArray(sf::PrimitiveType::Triangles);
}

namespace
{

void appendQuad(sf::VertexArray& batch, sf::Vector2f p1, sf::Vector2f p2, sf::Vector2f uv1,
                sf::Vector2f uv2, sf::Color color)
{
    // The same two triangles, in the same order, as sf::Text builds for a glyph.
    batch.append(sf::Vertex{{p1.x, p1.y}, color, {uv1.x, uv1.y}});
    batch.append(sf::Vertex{{p2.x, p1.y}, color, {uv2.x, uv1.y}});
    batch.append(sf::Vertex{{p1.x, p2.y}, color, {uv1.x, uv2.y}});
    batch.append(sf::Vertex{{p1.x, p2.y}, color, {uv1.x, uv2.y}});
    batch.append(sf::Vertex{{p2.x, p1.y}, color, {uv2.x, uv1.y}});
    batch.append(sf::Vertex{{p2.x, p2.y}, color, {uv2.x, uv2.y}});
}

} // namespace

QuadExtent appendGlyphQuad(sf::VertexArray& batch, sf::Vector2f origin, unsigned characterSize,
                           sf::Color color, const sf::Glyph& glyph)
{
    const float padding = 1.0f;
#if HALVREN_SFML_MAJOR >= 3
    const sf::Vector2f boundsPosition = glyph.bounds.position;
    const sf::Vector2f boundsSize = glyph.bounds.size;
    const sf::Vector2f texturePosition(glyph.textureRect.position);
    const sf::Vector2f textureSize(glyph.textureRect.size);
#else
    const sf::Vector2f boundsPosition(glyph.bounds.left, glyph.bounds.top);
    const sf::Vector2f boundsSize(glyph.bounds.width, glyph.bounds.height);
    const sf::Vector2f texturePosition(static_cast<float>(glyph.textureRect.left),
                                       static_cast<float>(glyph.textureRect.top));
    const sf::Vector2f textureSize(static_cast<float>(glyph.textureRect.width),
                                   static_cast<float>(glyph.textureRect.height));
#endif
    // sf::Text puts the first baseline one character size below its origin.
    const sf::Vector2f baseline(origin.x, origin.y + static_cast<float>(characterSize));
    const sf::Vector2f p1(baseline.x + boundsPosition.x - padding,
                          baseline.y + boundsPosition.y - padding);
    const sf::Vector2f p2(baseline.x + boundsPosition.x + boundsSize.x + padding,
                          baseline.y + boundsPosition.y + boundsSize.y + padding);
    const sf::Vector2f uv1(texturePosition.x - padding, texturePosition.y - padding);
    const sf::Vector2f uv2(texturePosition.x + textureSize.x + padding,
                           texturePosition.y + textureSize.y + padding);
    appendQuad(batch, p1, p2, uv1, uv2, color);
    return QuadExtent{p1.x, p1.y, p2.x, p2.y};
}

void appendSolidRect(sf::VertexArray& batch, sf::Vector2f topLeft, sf::Vector2f size,
                     sf::Color color)
{
    const sf::Vector2f whiteTexel(1.0f, 1.0f);
    appendQuad(batch, topLeft, sf::Vector2f(topLeft.x + size.x, topLeft.y + size.y), whiteTexel,
               whiteTexel, color);
}

bool textDrawsGlyph(std::uint32_t codepoint)
{
#if HALVREN_SFML_MAJOR >= 3
    if (codepoint == U'\r')
        return false;
#endif
    return codepoint != U' ' && codepoint != U'\t' && codepoint != U'\n';
}

bool openSoundFileWriter(sf::OutputSoundFile& file, const std::string& path, unsigned sampleRate,
                         unsigned channelCount)
{
#if HALVREN_SFML_MAJOR >= 3
    std::vector<sf::SoundChannel> channels;
    if (channelCount == 1)
        channels = {sf::SoundChannel::Mono};
    else
        channels = {sf::SoundChannel::FrontLeft, sf::SoundChannel::FrontRight};
    return file.openFromFile(path, sampleRate, channelCount, channels);
#else
    return file.openFromFile(path, sampleRate, channelCount);
#endif
}

bool openSoundFileReader(sf::InputSoundFile& file, const std::string& path)
{
    return file.openFromFile(path);
}

} // namespace cor::sfml
