#include <cor/InputManager.h>
#include <cor/SfmlAdapter.h>

#include <gtest/gtest.h>

#include <utility>

namespace
{

using SfKey = sf::Keyboard::Key;

SfKey offset(SfKey first, int steps)
{
    return static_cast<SfKey>(static_cast<int>(first) + steps);
}

} // namespace

TEST(KeyMapTest, RunsOfLettersFunctionKeysAndDigitsKeepTheirOrder)
{
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(cor::InputManager::mapKey(offset(SfKey::A, i)), cor::A + i) << i;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(cor::InputManager::mapKey(offset(SfKey::F1, i)), cor::F1 + i) << i;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(cor::InputManager::mapKey(offset(SfKey::Num1, i)), cor::NUM1 + i) << i;
    // The zero key comes after nine, not before one.
    EXPECT_EQ(cor::InputManager::mapKey(SfKey::Num0), cor::NUM0);
    EXPECT_EQ(cor::NUM0, cor::NUM9 + 1);
    EXPECT_EQ(cor::InputManager::mapKey(cor::sfml::graveKey()), cor::GRAVE);
}

TEST(KeyMapTest, SingleKeysMapToTheirEngineKeys)
{
    const std::pair<SfKey, cor::Key> table[] = {{SfKey::Space, cor::SPACE},
                                                {SfKey::Enter, cor::ENTER},
                                                {SfKey::Escape, cor::ESCAPE},
                                                {SfKey::Tab, cor::TAB},
                                                {SfKey::Left, cor::LEFT},
                                                {SfKey::Right, cor::RIGHT},
                                                {SfKey::Up, cor::UP},
                                                {SfKey::Down, cor::DOWN},
                                                {SfKey::Pause, cor::PAUSE},
                                                {SfKey::Hyphen, cor::HYPHEN},
                                                {SfKey::Equal, cor::EQUAL},
                                                {SfKey::Period, cor::PERIOD},
                                                {SfKey::Comma, cor::COMMA},
                                                {SfKey::Slash, cor::SLASH},
                                                {SfKey::LControl, cor::LCONTROL},
                                                {SfKey::RControl, cor::RCONTROL},
                                                {SfKey::LShift, cor::LSHIFT},
                                                {SfKey::RShift, cor::RSHIFT}};
    for (const auto& [sfmlKey, engineKey] : table)
        EXPECT_EQ(cor::InputManager::mapKey(sfmlKey), engineKey) << static_cast<int>(sfmlKey);
}

TEST(KeyMapTest, KeysOutsideTheTableMapToNoKey)
{
    const SfKey unmapped[] = {SfKey::Unknown,   SfKey::LAlt,      SfKey::RAlt,      SfKey::LSystem,
                              SfKey::RSystem,   SfKey::Menu,      SfKey::LBracket,  SfKey::RBracket,
                              SfKey::Semicolon, SfKey::Backslash, SfKey::Backspace, SfKey::PageUp,
                              SfKey::PageDown,  SfKey::End,       SfKey::Home,      SfKey::Insert,
                              SfKey::Delete,    SfKey::Add,       SfKey::Subtract,  SfKey::Multiply,
                              SfKey::Divide,    SfKey::F13,       SfKey::F14,       SfKey::F15};
    for (SfKey key : unmapped)
        EXPECT_EQ(cor::InputManager::mapKey(key), cor::NO_KEY) << static_cast<int>(key);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cor::InputManager::mapKey(offset(SfKey::Numpad0, i)), cor::NO_KEY) << i;
}
