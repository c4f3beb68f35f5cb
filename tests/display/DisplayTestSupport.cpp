#include "DisplayTestSupport.h"

#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/SfmlAdapter.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace displaytest
{

bool PixelBox::containsPixel(unsigned x, unsigned y) const
{
    const float centreX = static_cast<float>(x) + 0.5f;
    const float centreY = static_cast<float>(y) + 0.5f;
    return centreX > left && centreX < right && centreY > top && centreY < bottom;
}

PixelBox backgroundBoxOfCell(const cor::Vector& cell)
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    const float width = display.cellWidth();
    const float height = display.cellHeight();
    PixelBox box;
    box.left = cell.x * width + width / 10.0f;
    box.top = cell.y * height + height / 5.0f;
    box.right = box.left + width;
    box.bottom = box.top + height - 1.0f;
    return box;
}

PixelBox areaOfCell(const cor::Vector& cell)
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    PixelBox box;
    box.left = cell.x * display.cellWidth();
    box.top = cell.y * display.cellHeight();
    box.right = box.left + display.cellWidth();
    box.bottom = box.top + display.cellHeight();
    return box;
}

Screenshot::Screenshot()
    : m_image(cor::sfml::captureWindow(*cor::DisplayManager::instance().window())),
      m_width(m_image.getSize().x), m_height(m_image.getSize().y)
{
}

sf::Color Screenshot::at(unsigned x, unsigned y) const
{
    return cor::sfml::pixelAt(m_image, x, y);
}

bool sameColor(const sf::Color& a, const sf::Color& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool isBlack(const sf::Color& color)
{
    return color.r == 0 && color.g == 0 && color.b == 0;
}

namespace
{

unsigned firstIndexFrom(float edge)
{
    return edge <= 0.0f ? 0u : static_cast<unsigned>(edge);
}

unsigned endIndexFrom(float edge, unsigned size)
{
    if (edge <= 0.0f)
        return 0u;
    const unsigned end = static_cast<unsigned>(edge) + 1u;
    return end < size ? end : size;
}

template <typename Predicate>
int countInBox(const Screenshot& shot, const PixelBox& box, Predicate matches)
{
    int count = 0;
    for (unsigned y = firstIndexFrom(box.top); y < endIndexFrom(box.bottom, shot.height()); ++y)
        for (unsigned x = firstIndexFrom(box.left); x < endIndexFrom(box.right, shot.width()); ++x)
            if (box.containsPixel(x, y) && matches(shot.at(x, y)))
                ++count;
    return count;
}

} // namespace

int countPixels(const Screenshot& shot, const PixelBox& box, const sf::Color& color)
{
    return countInBox(shot, box, [&](const sf::Color& pixel) { return sameColor(pixel, color); });
}

int countLitPixels(const Screenshot& shot, const PixelBox& box)
{
    return countInBox(shot, box, [](const sf::Color& pixel) { return !isBlack(pixel); });
}

void fillWindow(const sf::Color& color)
{
    cor::DisplayManager::instance().window()->clear(color);
}

std::string runXTool(const std::string& tool, const std::vector<std::string>& arguments)
{
    const testsupport::RunResult result =
        testsupport::runProgram("/usr/bin/" + tool, arguments, std::filesystem::current_path());
    return result.standardOutput;
}

std::vector<std::string> waitForWindowsOfThisProgram(const std::string& title, std::size_t count)
{
    // SFML names a window's class after the program, which tells our windows from others.
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    std::vector<std::string> ids;
    for (int attempt = 0; attempt < 20; ++attempt)
    {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ids.clear();
        std::istringstream lines(
            runXTool("xdotool", {"search", "--classname", "^" + program + "$"}));
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && runXTool("xdotool", {"getwindowname", line}) == title + "\n")
                ids.push_back(line);
        if (ids.size() == count)
            break;
    }
    return ids;
}

} // namespace displaytest
