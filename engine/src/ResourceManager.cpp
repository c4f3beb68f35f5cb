#include "cor/ResourceManager.h"

#include "cor/DataFile.h"
#include "cor/LogManager.h"
#include "cor/PrintableText.h"
#include "platform/Platform.h"

#include <climits>
#include <cstdlib>

namespace cor
{

namespace
{

const char* const colorWords[] = {"black", "red",     "green", "yellow",
                                  "blue",  "magenta", "cyan",  "white"};

// Reads one line; a carriage return before the line feed belongs to the line end.
bool readLine(DataFile& file, std::string& line)
{
    if (!file.readLine(line))
        return false;
    if (file.lineEnded() && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

// Reads a number the way atoi does, but clamps instead of overflowing.
std::int32_t readNumber(const std::string& line)
{
    const long value = std::strtol(line.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<std::int32_t>(value);
}

} // namespace

ResourceManager::QuietAudioStart::QuietAudioStart()
{
    platform::silenceStandardError();
}

ResourceManager& ResourceManager::instance()
{
    static ResourceManager manager;
    return manager;
}

ResourceManager::ResourceManager() : m_spriteCount(0), m_musicCount(0)
{
    // The music records above have opened the audio device by now.
    platform::restoreStandardError();
    setTypeName("ResourceManager");
}

ResourceManager::~ResourceManager() = default;

int ResourceManager::initialize()
{
    // Objects may still point to the sprites loaded so far: they leave the table, which later
    // loads fill afresh, but live on until shutdown().
    for (std::int32_t i = 0; i < m_spriteCount; ++i)
        m_retiredSprites.push_back(std::move(m_sprites[static_cast<std::size_t>(i)]));
    m_spriteCount = 0;
    m_musicCount = 0;
    setStarted(true);
    return 0;
}

void ResourceManager::shutdown()
{
    for (std::int32_t i = 0; i < m_spriteCount; ++i)
        m_sprites[static_cast<std::size_t>(i)].reset();
    m_spriteCount = 0;
    m_retiredSprites.clear();
    setStarted(false);
}

int ResourceManager::loadSprite(const std::string& fileName, const std::string& label)
{
    LogManager& log = LogManager::instance();
    if (m_spriteCount >= SPRITE_CAPACITY)
    {
        log.logMessage("ResourceManager::loadSprite(): sprite array full.\n");
        return -1;
    }
    DataFile file(fileName);
    if (!file.isOpen())
    {
        log.logMessage("ResourceManager::loadSprite(): unable to open file '%s'.\n",
                       escapeControlCharacters(fileName).c_str());
        return -1;
    }

    std::string line;
    struct Header
    {
        const char* missing;
        const char* invalid; // null: any value is accepted
    };
    const Header headers[] = {
        {"ResourceManager::loadSprite(): missing frame count.\n",
         "ResourceManager::loadSprite(): error line %d. Invalid frame count '%s'.\n"},
        {"ResourceManager::loadSprite(): missing width.\n",
         "ResourceManager::loadSprite(): error line %d. Invalid width '%s'.\n"},
        {"ResourceManager::loadSprite(): missing height.\n",
         "ResourceManager::loadSprite(): error line %d. Invalid height '%s'.\n"},
        {"ResourceManager::loadSprite(): missing slowdown.\n", nullptr},
    };
    std::int32_t values[4] = {};
    for (int i = 0; i < 4; ++i)
    {
        if (!readLine(file, line))
        {
            log.logMessage("%s", headers[i].missing);
            return -1;
        }
        values[i] = readNumber(line);
        if (headers[i].invalid != nullptr && values[i] <= 0)
        {
            log.logMessage(headers[i].invalid, i + 1, echoedLine(line).c_str());
            return -1;
        }
    }
    const std::int32_t frameCount = values[0];
    const std::int32_t width = values[1];
    const std::int32_t height = values[2];

    if (!readLine(file, line))
    {
        log.logMessage("ResourceManager::loadSprite(): missing color.\n");
        return -1;
    }
    int colorIndex = -1;
    for (int i = 0; i < 8 && colorIndex < 0; ++i)
    {
        if (line == colorWords[i])
            colorIndex = i;
    }
    if (colorIndex < 0)
    {
        log.logMessage("ResourceManager::loadSprite(): error line %d. Unrecognized color '%s'.\n",
                       5, echoedLine(line).c_str());
        return -1;
    }

    auto sprite = std::make_unique<Sprite>(frameCount);
    sprite->setWidth(width);
    sprite->setHeight(height);
    sprite->setSlowdown(values[3]);
    sprite->setColor(static_cast<Color>(colorIndex));

    std::int32_t lineNumber = 5;
    for (std::int32_t f = 0; f < frameCount; ++f)
    {
        std::string text;
        for (std::int32_t row = 0; row < height; ++row)
        {
            if (!readLine(file, line))
            {
                log.logMessage(
                    "ResourceManager::loadSprite(): file ended before all frame data was read.\n");
                return -1;
            }
            ++lineNumber;
            if (line.size() != static_cast<std::size_t>(width))
            {
                log.logMessage("ResourceManager::loadSprite(): error line %d. Line width %d, "
                               "expected %d.\n",
                               lineNumber, static_cast<int>(line.size()), width);
                return -1;
            }
            text += line;
        }
        if (sprite->pushFrame(Frame(width, height, std::move(text))) != 0)
        {
            log.logMessage("ResourceManager::loadSprite(): unable to add frame %d.\n", f);
            return -1;
        }
    }

    sprite->setLabel(label);
    m_sprites[static_cast<std::size_t>(m_spriteCount++)] = std::move(sprite);
    return 0;
}

Sprite* ResourceManager::findSprite(const std::string& label) const
{
    for (std::int32_t i = 0; i < m_spriteCount; ++i)
    {
        Sprite* sprite = m_sprites[static_cast<std::size_t>(i)].get();
        if (sprite != nullptr && sprite->label() == label)
            return sprite;
    }
    return nullptr;
}

int ResourceManager::loadMusic(const std::string& fileName, const std::string& label)
{
    LogManager& log = LogManager::instance();
    if (label.empty())
    {
        log.logMessage("ResourceManager::loadMusic(): Music label cannot be empty.\n");
        return -1;
    }
    if (m_musicCount >= MUSIC_CAPACITY)
    {
        log.logMessage("ResourceManager::loadMusic(): Music array full.\n");
        return -1;
    }
    Music& record = m_music[static_cast<std::size_t>(m_musicCount)];
    if (record.open(fileName) != 0)
    {
        log.logMessage("ResourceManager::loadMusic(): Unable to load from file '%s'.\n",
                       escapeControlCharacters(fileName).c_str());
        return -1;
    }
    record.setLabel(label);
    ++m_musicCount;
    return 0;
}

Music* ResourceManager::findMusic(const std::string& label)
{
    for (std::int32_t i = 0; i < m_musicCount; ++i)
    {
        if (m_music[static_cast<std::size_t>(i)].label() == label)
            return &m_music[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

} // namespace cor
