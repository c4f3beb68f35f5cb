#include "cor/ResourceManager.h"

#include "SpriteFile.h"
#include "cor/DataFile.h"
#include "cor/LogManager.h"
#include "cor/PrintableText.h"

namespace cor
{

ResourceManager& ResourceManager::instance()
{
    static ResourceManager manager;
    return manager;
}

ResourceManager::ResourceManager() : m_spriteCount(0), m_musicCount(0)
{
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
    const std::unique_ptr<std::istream> file = openDataFile(fileName);
    if (file == nullptr)
    {
        log.logMessage("ResourceManager::loadSprite(): unable to open file '%s'.\n",
                       escapeControlCharacters(fileName).c_str());
        return -1;
    }
    SpriteRead read = readSprite(*file);
    if (read.sprite == nullptr)
    {
        log.logMessage("%s", read.message.c_str());
        return -1;
    }
    read.sprite->setLabel(label);
    m_sprites[static_cast<std::size_t>(m_spriteCount++)] = std::move(read.sprite);
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
