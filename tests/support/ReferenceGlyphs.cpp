// halvren-reference-glyphs FONT SIZE CELL_WIDTH CELL_HEIGHT WIDTH HEIGHT < LINES: draws each
// character of the lines bold at SIZE in its cell of a grid of CELL_WIDTH x CELL_HEIGHT pixel
// cells, white on black, with SFML's own text, and writes the WIDTH x HEIGHT picture as raw RGBA
// rows. The end-to-end reader learns the glyphs from it with the figures the game must meet,
// apart from the engine's drawing and its figures, so a fault there cannot teach it a wrong one.
#include "sfml/SfmlCompat.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 7)
        return 2;
    const float cellWidth = std::strtof(argv[3], nullptr),
                cellHeight = std::strtof(argv[4], nullptr);
    const sf::Vector2u size(unsigned(std::atoi(argv[5])), unsigned(std::atoi(argv[6])));
    sf::Font font;
    sf::RenderTexture canvas;
#if SFML_VERSION_MAJOR >= 3
    const bool canvasMade = canvas.resize(size);
#else
    const bool canvasMade = canvas.create(size.x, size.y);
#endif
    if (!cor::sfml::openFont(font, argv[1]) || !canvasMade)
        return 1;
    canvas.clear(sf::Color::Black);
    sf::Text glyph = cor::sfml::makeText(font);
    glyph.setCharacterSize(unsigned(std::atoi(argv[2])));
    glyph.setStyle(sf::Text::Style::Bold);
    std::string line;
    for (float row = 0; std::getline(std::cin, line); ++row)
        for (std::size_t column = 0; column < line.size(); ++column)
        {
            glyph.setString(std::string(1, line[column]));
            glyph.setPosition({float(column) * cellWidth, row * cellHeight});
            canvas.draw(glyph);
        }
    canvas.display();
    const sf::Image picture = canvas.getTexture().copyToImage();
    std::cout.write(reinterpret_cast<const char*>(picture.getPixelsPtr()), size.x * size.y * 4);
    return std::cout ? 0 : 1;
}
