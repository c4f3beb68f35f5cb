#include "TestSupport.h"

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

namespace fs = std::filesystem;

namespace testsupport
{

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "halvren-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary directory");
    m_path = pattern;
    fs::current_path(m_path);
}

TempDir::~TempDir()
{
    std::error_code error;
    fs::current_path(m_previous, error);
    fs::remove_all(m_path, error);
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
    Delivery end;
    end.receiver = id();
    end.type = "destroyed";
    m_log->push_back(end);
    if (onDestroy)
        onDestroy();
}

int Recorder::handleEvent(const cor::Event* event)
{
    Delivery delivery;
    delivery.receiver = id();
    delivery.type = event->typeName();
    if (const auto* step = dynamic_cast<const cor::EventStep*>(event))
        delivery.step = step->stepCount();
    if (const auto* collision = dynamic_cast<const cor::EventCollision*>(event))
        delivery.other = collision->mover() == this ? collision->other() : collision->mover();
    if (const auto* keyboard = dynamic_cast<const cor::EventKeyboard*>(event))
    {
        delivery.key = keyboard->key();
        delivery.action = keyboard->action();
    }
    if (const auto* mouse = dynamic_cast<const cor::EventMouse*>(event))
    {
        delivery.action = mouse->action();
        delivery.button = mouse->button();
        delivery.position = mouse->position();
    }
    m_log->push_back(delivery);
    if (onEvent)
        onEvent(*event);
    return 1;
}

int Recorder::draw()
{
    if (onDraw)
        onDraw();
    return cor::Object::draw();
}

std::vector<Delivery> Recorder::received(const std::string& type) const
{
    std::vector<Delivery> found;
    for (const Delivery& delivery : *m_log)
        if (delivery.receiver == id() && delivery.type == type)
            found.push_back(delivery);
    return found;
}

int pixelsOfColor(int column, int row, sf::Color color)
{
    cor::DisplayManager& display = cor::DisplayManager::instance();
    display.flush();
    const sf::RenderWindow& window = *display.window();
#if SFML_VERSION_MAJOR >= 3
    sf::Texture texture(window.getSize());
#else
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
#endif
    texture.update(window);
    const sf::Image image = texture.copyToImage();
    const auto near = [](std::uint8_t value, std::uint8_t target)
    { return target > 127 ? value > 160 : value < 96; };
    // The cell's background box, where it overlaps neither neighbour's.
    const cor::Vector cell(static_cast<float>(column), static_cast<float>(row));
    const cor::Vector from = display.cellsToPixels(cell + cor::Vector(0.15f, 0.25f));
    const cor::Vector to = display.cellsToPixels(cell + cor::Vector(1, 1));
    int found = 0;
    for (auto y = static_cast<unsigned>(from.y); y < static_cast<unsigned>(to.y); ++y)
        for (auto x = static_cast<unsigned>(from.x); x < static_cast<unsigned>(to.x); ++x)
        {
#if SFML_VERSION_MAJOR >= 3
            const sf::Color pixel = image.getPixel({x, y});
#else
            const sf::Color pixel = image.getPixel(x, y);
#endif
            found += pixel != sf::Color::Black && near(pixel.r, color.r) &&
                     near(pixel.g, color.g) && near(pixel.b, color.b);
        }
    return found;
}

} // namespace testsupport
