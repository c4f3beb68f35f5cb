// halvren-reference-glyphs FONT < LINES: draws each character of the lines in its cell of the
// game's grid, white on black, with SFML's own text in the game's character size and style,
// and writes the picture as raw RGBA rows. The end-to-end reader learns the glyphs from it,
// apart from the engine's drawing, so a fault there cannot teach the reader a wrong letter.
#include "sfml/SfmlCompat.h"

#include <cor/DisplayManager.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    const cor::DisplayManager& display = cor::DisplayManager::instance();
    const sf::Vector2u size(unsigned(display.pixelWidth()), unsigned(display.pixelHeight()));
    sf::Font font;
    sf::RenderTexture canvas;
#if SFML_VERSION_MAJOR >= 3
    const bool canvasMade = canvas.resize(size);
#else
    const bool canvasMade = canvas.create(size.x, size.y);
#endif
    if (argc != 2 || !cor::sfml::openFont(font, argv[1]) || !canvasMade)
        return 1;
    canvas.clear(sf::Color::Black);
    sf::Text glyph = cor::sfml::makeText(font);
    glyph.setCharacterSize(display.characterSize());
    glyph.setStyle(sf::Text::Style::Bold);
    std::string line;
    for (float row = 0; std::getline(std::cin, line); ++row)
        for (std::size_t column = 0; column < line.size(); ++column)
        {
            glyph.setString(std::string(1, line[column]));
            glyph.setPosition({float(column) * display.cellWidth(), row * display.cellHeight()});
            canvas.draw(glyph);
        }
    canvas.display();
    const sf::Image picture = canvas.getTexture().copyToImage();
    std::cout.write(reinterpret_cast<const char*>(picture.getPixelsPtr()), size.x * size.y * 4);
    return std::cout ? 0 : 1;
}
