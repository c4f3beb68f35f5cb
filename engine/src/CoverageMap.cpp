#include "CoverageMap.h"

#include <algorithm>
#include <cmath>

namespace cor
{

CoverageMap::CoverageMap(int width, int height, int tileSize)
    : m_columns((width + tileSize - 1) / tileSize), m_rows((height + tileSize - 1) / tileSize),
      m_tileSize(tileSize), m_tiles(static_cast<std::size_t>(m_columns * m_rows), 1)
{
}

void CoverageMap::clear()
{
    std::fill(m_tiles.begin(), m_tiles.end(), std::uint8_t{0});
}

void CoverageMap::markAll()
{
    std::fill(m_tiles.begin(), m_tiles.end(), std::uint8_t{1});
}

CoverageMap::TileRange CoverageMap::tilesOf(float left, float top, float right, float bottom) const
{
    // One pixel of slack on each side covers anti-aliasing at the edges.
    const auto tile = [this](float pixel)
    { return static_cast<int>(std::floor(pixel / static_cast<float>(m_tileSize))); };
    TileRange range{tile(left - 1.0f), tile(right + 1.0f), tile(top - 1.0f), tile(bottom + 1.0f)};
    range.firstColumn = std::max(range.firstColumn, 0);
    range.firstRow = std::max(range.firstRow, 0);
    range.lastColumn = std::min(range.lastColumn, m_columns - 1);
    range.lastRow = std::min(range.lastRow, m_rows - 1);
    return range;
}

void CoverageMap::mark(float left, float top, float right, float bottom)
{
    const TileRange range = tilesOf(left, top, right, bottom);
    for (int row = range.firstRow; row <= range.lastRow; ++row)
    {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
            m_tiles[static_cast<std::size_t>(row * m_columns + column)] = 1;
    }
}

bool CoverageMap::anyMarked(float left, float top, float right, float bottom) const
{
    const TileRange range = tilesOf(left, top, right, bottom);
    for (int row = range.firstRow; row <= range.lastRow; ++row)
    {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
        {
            if (m_tiles[static_cast<std::size_t>(row * m_columns + column)] != 0)
                return true;
        }
    }
    return false;
}

} // namespace cor
