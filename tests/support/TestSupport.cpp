#include "TestSupport.h"

#include "sfml/SfmlCompat.h"
#include <cor/DisplayManager.h>
#include <cor/EventCollision.h>
#include <cor/EventKeyboard.h>
#include <cor/EventMouse.h>
#include <cor/EventStep.h>
#include <cor/GameManager.h>
#include <cor/LogManager.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace fs = std::filesystem;

namespace testsupport
{

std::vector<std::string> factLines(const std::string& name)
{
    std::vector<std::string> lines;
    std::ifstream file(HALVREN_FACTS_FILE);
    for (std::string line; std::getline(file, line);)
        if (line.rfind(name + ":", 0) == 0)
            lines.push_back(line.substr(name.size() + 1));
    return lines.empty() ? throw std::runtime_error("no fact named " + name) : lines;
}

double fact(const std::string& name, std::size_t index)
{
    std::istringstream values(factLines(name).front());
    double value = 0;
    for (std::size_t i = 0; i <= index; ++i)
        values >> value;
    return values ? value
                  : throw std::runtime_error(name + " has no value " + std::to_string(index));
}

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "halvren-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary directory");
    fs::current_path(path = pattern);
}

TempDir::~TempDir()
{
    std::error_code error;
    fs::current_path(previous, error);
    fs::remove_all(path, error);
}

void writeFile(const fs::path& path, const std::string& content)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const fs::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

void focusEngineWindow()
{
    const auto window = cor::sfml::nativeHandle(*cor::DisplayManager::instance().window());
    ASSERT_EQ(std::system(("xdotool windowfocus --sync " + std::to_string(window)).c_str()), 0);
}

// xdotool's connection closes, waiting for the server, before it exits. A key pressed again a
// few milliseconds after its release would read as key repeat, which the engine turns off.
void pressKeys(const std::string& names)
{
    ASSERT_EQ(std::system(("xdotool key --delay 20 " + names).c_str()), 0) << names;
}

void EngineFixture::SetUp()
{
    fs::copy(HALVREN_RUN_DIR, fs::current_path(), fs::copy_options::recursive);
    ASSERT_EQ(cor::GameManager::instance().initialize(), 0);
    cor::LogManager::instance().setFlushEachMessage(true);
    cor::DisplayManager::instance().presentFrame(); // a new window's content is undefined
}

void EngineFixture::TearDown()
{
    cor::GameManager::instance().shutdown();
    cor::GameManager::instance().setFrameTimer(nullptr);
}

Recorder::~Recorder()
{
    m_log->push_back({id(), "destroyed"});
    if (onDestroy)
        onDestroy();
}

int Recorder::handleEvent(const cor::Event* event)
{
    Delivery delivery{id(), event->typeName()};
    if (const auto* step = dynamic_cast<const cor::EventStep*>(event))
        delivery.step = step->stepCount();
    if (const auto* collision = dynamic_cast<const cor::EventCollision*>(event))
        delivery.other = collision->mover() == this ? collision->other() : collision->mover();
    if (const auto* key = dynamic_cast<const cor::EventKeyboard*>(event))
        std::tie(delivery.key, delivery.action) = std::tuple(key->key(), key->action());
    if (const auto* mouse = dynamic_cast<const cor::EventMouse*>(event))
        std::tie(delivery.action, delivery.button, delivery.position) =
            std::tuple(mouse->action(), mouse->button(), mouse->position());
    m_log->push_back(delivery);
    if (onEvent)
        onEvent(*event);
    return 1;
}

std::vector<Delivery> Recorder::received(const std::string& type) const
{
    std::vector<Delivery> found;
    for (const Delivery& delivery : *m_log)
        if (delivery.receiver == id() && delivery.type == type)
            found.push_back(delivery);
    return found;
}

sf::Image windowPicture()
{
    cor::DisplayManager::instance().flush();
    const sf::RenderWindow& window = *cor::DisplayManager::instance().window();
#if SFML_VERSION_MAJOR >= 3
    sf::Texture texture(window.getSize());
#else
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
#endif
    texture.update(window);
    return texture.copyToImage();
}

double cellSize(std::size_t axis)
{
    return fact("window", axis) / fact("grid", axis);
}

sf::Color pixelAt(const sf::Image& picture, unsigned x, unsigned y)
{
#if SFML_VERSION_MAJOR >= 3
    return picture.getPixel({x, y});
#else
    return picture.getPixel(x, y);
#endif
}

int pixelsOfColor(const sf::Image& picture, int column, int row, sf::Color color)
{
    const auto near = [](std::uint8_t value, std::uint8_t target)
    { return target > 127 ? value > 160 : value < 96; };
    int found = 0; // in the cell's background box, where it overlaps neither neighbour's
    for (auto y = unsigned((row + 0.25) * cellSize(1)); y < unsigned((row + 1) * cellSize(1)); ++y)
        for (auto x = unsigned((column + 0.15) * cellSize(0));
             x < unsigned((column + 1) * cellSize(0)); ++x)
        {
            const sf::Color pixel = pixelAt(picture, x, y);
            found += pixel != sf::Color::Black && near(pixel.r, color.r) &&
                     near(pixel.g, color.g) && near(pixel.b, color.b);
        }
    return found;
}

} // namespace testsupport
