#ifndef HALVREN_DISPLAY_TEST_SUPPORT_H
#define HALVREN_DISPLAY_TEST_SUPPORT_H

// Reading back what the display manager drew, before the frame is shown, and asking the
// X server about the window, the way a player would see it.

#include <cor/Vector.h>

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <string>
#include <vector>

namespace displaytest
{

// A rectangle in pixels with float edges; a pixel belongs to it when its centre does.
struct PixelBox
{
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;

    bool containsPixel(unsigned x, unsigned y) const;
};

// The opaque box drawCh paints behind a cell's character.
PixelBox backgroundBoxOfCell(const cor::Vector& cell);
// The cell itself: from its corner one cell width across and one cell height down.
PixelBox areaOfCell(const cor::Vector& cell);

// The window's back buffer as it is now.
class Screenshot
{
public:
    Screenshot();
    unsigned width() const { return m_width; }
    unsigned height() const { return m_height; }
    sf::Color at(unsigned x, unsigned y) const;

private:
    sf::Image m_image;
    unsigned m_width;
    unsigned m_height;
};

bool sameColor(const sf::Color& a, const sf::Color& b);
bool isBlack(const sf::Color& color);

// Pixels inside box whose colour is exactly color.
int countPixels(const Screenshot& shot, const PixelBox& box, const sf::Color& color);
// Pixels inside box that are not black.
int countLitPixels(const Screenshot& shot, const PixelBox& box);

// Paints the whole back buffer with one colour, so that what a draw covers shows up.
void fillWindow(const sf::Color& color);

// Output of an X tool from /usr/bin run with the given arguments.
std::string runXTool(const std::string& tool, const std::vector<std::string>& arguments);

// The ids of the top-level windows titled exactly title whose class is this program's name.
// The X server may see a change a moment late, so this waits up to a second for count of them.
std::vector<std::string> waitForWindowsOfThisProgram(const std::string& title, std::size_t count);

} // namespace displaytest

#endif
