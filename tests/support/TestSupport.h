#ifndef HALVREN_TEST_SUPPORT_H
#define HALVREN_TEST_SUPPORT_H

// What several test programs need: the figures the game must meet, a temporary working
// directory, the engine started in a copy of the run directory, real key presses, an object that
// records its events, and a reader for what a cell of the window shows.

#include <cor/Event.h>
#include <cor/Input.h>
#include <cor/Object.h>

#include <gtest/gtest.h>

#include <SFML/Graphics/Image.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testsupport
{

// A figure the game must meet, as support/facts.txt writes it down: the index-th value of the
// line with that name. factLines() gives the values of every line with the name.
double fact(const std::string& name, std::size_t index = 0);
std::vector<std::string> factLines(const std::string& name);

// A fresh temporary directory the process works in until the object goes; then it is removed.
struct TempDir
{
    TempDir();
    ~TempDir();
    std::filesystem::path path, previous = std::filesystem::current_path();
};

void writeFile(const std::filesystem::path& path, const std::string& content);
std::string readFile(const std::filesystem::path& path);

// The whole engine started in a temporary copy of the run directory, its log written out at
// each message and its window cleared.
class EngineFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    static std::string log() { return readFile("corvane.log"); }

    TempDir dir;
};

// Gives the engine's window the keyboard focus; presses and releases each key (xdotool's names)
// there, which the window polls after the X server has taken them.
void focusEngineWindow();
void pressKeys(const std::string& names);

// One event as a Recorder received it; what the event does not carry keeps its default.
struct Delivery
{
    Delivery(std::int32_t receiver, std::string type) : receiver(receiver), type(std::move(type)) {}
    std::int32_t receiver;
    std::string type;
    int step = -1;
    cor::Object* other = nullptr; // the other party of a collision
    cor::Key key = cor::NO_KEY;
    int action = -1; // of a key or the mouse
    cor::MouseButton button = cor::NO_BUTTON;
    cor::Vector position; // of the mouse
};

// An object that writes every event it gets, and its end as "destroyed", to a log: its own or
// one shared with others.
class Recorder : public cor::Object
{
public:
    explicit Recorder(std::vector<Delivery>* shared = nullptr) : m_log(shared ? shared : &m_ownLog)
    {
    }
    ~Recorder() override;
    int handleEvent(const cor::Event* event) override;
    int draw() override { return onDraw ? (onDraw(), cor::Object::draw()) : cor::Object::draw(); }
    std::vector<Delivery> received(const std::string& type) const;

    std::function<void(const cor::Event&)> onEvent;
    std::function<void()> onDraw;
    std::function<void()> onDestroy;

private:
    std::vector<Delivery> m_ownLog;
    std::vector<Delivery>* m_log;
};

// A cell's width (axis 0) or height (1) in pixels, from the figures.
double cellSize(std::size_t axis);
// What has been drawn into the window so far in this frame, and one pixel of it.
sf::Image windowPicture();
sf::Color pixelAt(const sf::Image& picture, unsigned x, unsigned y);
// Pixels of the cell that show the colour (each channel near full or zero) in the picture.
int pixelsOfColor(const sf::Image& picture, int column, int row, sf::Color color);

} // namespace testsupport

#endif
