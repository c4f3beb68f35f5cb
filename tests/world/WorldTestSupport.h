#ifndef HALVREN_WORLD_TEST_SUPPORT_H
#define HALVREN_WORLD_TEST_SUPPORT_H

#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/EventCollision.h>
#include <cor/GameManager.h>
#include <cor/Object.h>
#include <cor/ResourceManager.h>
#include <cor/SfmlAdapter.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace worldtest
{

// One event as an object received it.
struct Delivery
{
    std::int32_t receiver = -1;
    std::string type;
    cor::Object* mover = nullptr;
    cor::Object* other = nullptr;
    cor::Vector position;
};

// An object that writes every event it gets to a log, optionally shared with others.
class Recorder : public cor::Object
{
public:
    explicit Recorder(std::vector<Delivery>* sharedLog = nullptr)
        : m_log(sharedLog != nullptr ? sharedLog : &ownLog)
    {
    }
    ~Recorder() override
    {
        if (onDestroy)
            onDestroy(*this);
    }

    int handleEvent(const cor::Event* event) override
    {
        Delivery delivery;
        delivery.receiver = id();
        delivery.type = event->typeName();
        if (event->typeName() == cor::EVENT_TYPE_COLLISION)
        {
            const auto* collision = static_cast<const cor::EventCollision*>(event);
            delivery.mover = collision->mover();
            delivery.other = collision->other();
            delivery.position = collision->position();
        }
        m_log->push_back(delivery);
        if (onEvent)
            onEvent(*event);
        return 1;
    }

    int count(const std::string& type) const
    {
        int found = 0;
        for (const Delivery& delivery : *m_log)
            found += (delivery.receiver == id() && delivery.type == type) ? 1 : 0;
        return found;
    }

    std::vector<Delivery> ownLog;
    std::function<void(const cor::Event&)> onEvent;
    std::function<void(Recorder&)> onDestroy;

private:
    std::vector<Delivery>* m_log;
};

// The engine started for real in a temporary copy of the run directory.
class EngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::copyRunDirectory(dir.path());
        ASSERT_EQ(cor::GameManager::instance().initialize(), 0);
    }
    void TearDown() override { cor::GameManager::instance().shutdown(); }

    // Writes a sprite file of one colour whose frames are the given rows, and loads it.
    static void loadSprite(const std::string& label, int width, int height, int slowdown,
                           const std::string& color, const std::vector<std::string>& frames)
    {
        std::string text = std::to_string(frames.size()) + "\n" + std::to_string(width) + "\n" +
                           std::to_string(height) + "\n" + std::to_string(slowdown) + "\n" + color +
                           "\n";
        for (const std::string& frame : frames)
        {
            for (int row = 0; row < height; ++row)
                text += frame.substr(static_cast<std::size_t>(row * width),
                                     static_cast<std::size_t>(width)) +
                        "\n";
        }
        testsupport::writeFile(label + ".txt", text);
        ASSERT_EQ(cor::ResourceManager::instance().loadSprite(label + ".txt", label), 0);
    }

    testsupport::TempDir dir;
};

// What has been drawn so far in this frame.
inline sf::Image captureFrame()
{
    return cor::sfml::captureWindow(*cor::DisplayManager::instance().window());
}

// Pixels of the cell's own area that show the colour (each channel near full or near zero).
inline int pixelsOfColor(const sf::Image& image, int column, int row, sf::Color color)
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    const cor::Vector topLeft =
        display.cellsToPixels(cor::Vector(static_cast<float>(column), static_cast<float>(row)));
    const cor::Vector bottomRight = display.cellsToPixels(
        cor::Vector(static_cast<float>(column + 1), static_cast<float>(row + 1)));
    auto near = [](std::uint8_t value, std::uint8_t target)
    { return target > 127 ? value > 160 : value < 96; };
    int found = 0;
    for (unsigned y = static_cast<unsigned>(topLeft.y); y < static_cast<unsigned>(bottomRight.y);
         ++y)
    {
        for (unsigned x = static_cast<unsigned>(topLeft.x);
             x < static_cast<unsigned>(bottomRight.x); ++x)
        {
            const sf::Color pixel = cor::sfml::pixelAt(image, x, y);
            if (pixel != sf::Color::Black && near(pixel.r, color.r) && near(pixel.g, color.g) &&
                near(pixel.b, color.b))
                ++found;
        }
    }
    return found;
}

} // namespace worldtest

#endif
