#include "CellBatch.h"

#include "sfml/SfmlCompat.h"

namespace cor
{

CellBatch::CellBatch() : m_vertices(sf::PrimitiveType::Triangles) {}

void CellBatch::appendQuad(sf::Vector2f p1, sf::Vector2f p2, sf::Vector2f uv1, sf::Vector2f uv2,
                           sf::Color color)
{
    m_vertices.append(sf::Vertex{{p1.x, p1.y}, color, {uv1.x, uv1.y}});
    m_vertices.append(sf::Vertex{{p2.x, p1.y}, color, {uv2.x, uv1.y}});
    m_vertices.append(sf::Vertex{{p1.x, p2.y}, color, {uv1.x, uv2.y}});
    m_vertices.append(sf::Vertex{{p1.x, p2.y}, color, {uv1.x, uv2.y}});
    m_vertices.append(sf::Vertex{{p2.x, p1.y}, color, {uv2.x, uv1.y}});
    m_vertices.append(sf::Vertex{{p2.x, p2.y}, color, {uv2.x, uv2.y}});
}

void CellBatch::appendBox(sf::Vector2f topLeft, sf::Vector2f size, sf::Color color)
{
    const sf::Vector2f whiteTexel(1.0f, 1.0f);
    appendQuad(topLeft, topLeft + size, whiteTexel, whiteTexel, color);
}

CellBatch::Extent CellBatch::appendGlyph(sf::Vector2f origin, unsigned characterSize,
                                         sf::Color color, const sf::Glyph& glyph)
{
    // sf::Text pads every glyph quad by a pixel and puts the first baseline one character
    // size below its origin.
    const sf::Vector2f padding(1.0f, 1.0f);
    const sf::Vector2f baseline(origin.x, origin.y + static_cast<float>(characterSize));
    const sf::Vector2f boundsPosition = sfml::rectPosition(glyph.bounds);
    const sf::Vector2f texturePosition(sfml::rectPosition(glyph.textureRect));
    const sf::Vector2f p1 = baseline + boundsPosition - padding;
    const sf::Vector2f p2 = baseline + boundsPosition + sfml::rectSize(glyph.bounds) + padding;
    const sf::Vector2f uv1 = texturePosition - padding;
    const sf::Vector2f uv2 =
        texturePosition + sf::Vector2f(sfml::rectSize(glyph.textureRect)) + padding;
    appendQuad(p1, p2, uv1, uv2, color);
    return Extent{p1.x, p1.y, p2.x, p2.y};
}

void CellBatch::drawInto(sf::RenderTarget& target, const sf::Texture& fontTexture)
{
    target.draw(m_vertices, sf::RenderStates(&fontTexture));
    m_vertices.clear();
}

} // namespace cor
