#ifndef COR_COVERAGE_MAP_H
#define COR_COVERAGE_MAP_H

#include <cstdint>
#include <vector>

namespace cor
{

// Which parts of a picture hold something other than its clear colour, kept in square tiles.
// Marking and testing round outwards, so a test never misses a marked pixel.
class CoverageMap
{
public:
    CoverageMap(int width, int height, int tileSize);

    // Nothing marked: the picture is all clear colour.
    void clear();
    // Everything marked: nothing is known about the picture.
    void markAll();
    void mark(float left, float top, float right, float bottom);
    bool anyMarked(float left, float top, float right, float bottom) const;

private:
    struct TileRange
    {
        int firstColumn;
        int lastColumn;
        int firstRow;
        int lastRow;
    };
    TileRange tilesOf(float left, float top, float right, float bottom) const;

    int m_columns;
    int m_rows;
    int m_tileSize;
    std::vector<std::uint8_t> m_tiles;
};

} // namespace cor

#endif
