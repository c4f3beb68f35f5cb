#ifndef COR_RESOURCE_MANAGER_H
#define COR_RESOURCE_MANAGER_H

#include "cor/Manager.h"
#include "cor/Music.h"
#include "cor/Sprite.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cor
{

inline constexpr std::int32_t SPRITE_CAPACITY = 500;
inline constexpr std::int32_t MUSIC_CAPACITY = 128;

// Loads sprites and music under labels and hands them out for the whole run.
class ResourceManager : public Manager
{
public:
    static ResourceManager& instance();
    ~ResourceManager() override;

    // Empties both tables; always 0. Sprites loaded before are kept alive (objects may point
    // to them) until shutdown(); music records are reused by later loads.
    [[nodiscard]] int initialize() override;
    // Destroys every sprite, those of earlier tables too; music is left playing.
    void shutdown() override;

    // Reads a sprite file; 0 loaded, -1 failed with one log message.
    [[nodiscard]] int loadSprite(const std::string& fileName, const std::string& label);
    // The first sprite loaded under the label, or null.
    Sprite* findSprite(const std::string& label) const;
    std::int32_t spriteCount() const { return m_spriteCount; }

    // Opens a music file into the next record; 0 loaded, -1 failed with one log message.
    [[nodiscard]] int loadMusic(const std::string& fileName, const std::string& label);
    // The first loaded record under the label, or null.
    Music* findMusic(const std::string& label);
    std::int32_t musicCount() const { return m_musicCount; }

private:
    ResourceManager();

    std::array<std::unique_ptr<Sprite>, SPRITE_CAPACITY> m_sprites;
    std::int32_t m_spriteCount;
    // Sprites of tables emptied by initialize(), destroyed only by shutdown().
    std::vector<std::unique_ptr<Sprite>> m_retiredSprites;
    std::array<Music, MUSIC_CAPACITY> m_music;
    std::int32_t m_musicCount;
};

} // namespace cor

#endif
