#ifndef COR_CELL_BATCH_H
#define COR_CELL_BATCH_H

#include <SFML/Graphics/Glyph.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>

namespace cor
{

// Cells gathered into one vertex array and drawn in one call with the font's texture: the
// same triangles, in the same order, that sf::RectangleShape and sf::Text draw for each cell.
class CellBatch
{
public:
    // The pixel area a quad covers.
    struct Extent
    {
        float left;
        float top;
        float right;
        float bottom;
    };

    CellBatch();

    // A solid rectangle, drawn through the white texel every font texture page reserves.
    void appendBox(sf::Vector2f topLeft, sf::Vector2f size, sf::Color color);
    // One glyph of a text whose origin (the top-left of its line) is at origin.
    Extent appendGlyph(sf::Vector2f origin, unsigned characterSize, sf::Color color,
                       const sf::Glyph& glyph);

    bool empty() const { return m_vertices.getVertexCount() == 0; }
    void clear() { m_vertices.clear(); }
    // Draws what is gathered into the target, then empties the batch.
    void drawInto(sf::RenderTarget& target, const sf::Texture& fontTexture);

private:
    void appendQuad(sf::Vector2f p1, sf::Vector2f p2, sf::Vector2f uv1, sf::Vector2f uv2,
                    sf::Color color);

    sf::VertexArray m_vertices;
};

} // namespace cor

#endif
