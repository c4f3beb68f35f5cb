#include "DisplayTestSupport.h"
#include "TestSupport.h"

#include <cor/Color.h>
#include <cor/DisplayManager.h>
#include <cor/LogManager.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using displaytest::PixelBox;
using displaytest::Screenshot;

namespace
{

const std::string undefinedColorWarning = "DisplayManager::drawCh(): Warning! Undefined color.\n";

// A started log and display in a fresh copy of the run directory (which holds the font).
class DisplayDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::copyRunDirectory(m_dir.path());
        ASSERT_EQ(cor::LogManager::instance().initialize(), 0);
        ASSERT_EQ(display().initialize(), 0);
        displaytest::fillWindow(sf::Color::Black);
    }

    void TearDown() override
    {
        display().shutdown();
        cor::LogManager::instance().shutdown();
    }

    static cor::DisplayManager& display() { return cor::DisplayManager::instance(); }

    // What the log holds once the log manager has closed it.
    std::string closeLog()
    {
        cor::LogManager::instance().shutdown();
        return testsupport::readFile(m_dir / cor::DEFAULT_LOG_FILE);
    }

    testsupport::TempDir m_dir;
};

// The smallest box around every lit pixel of the shot within area, as whole pixel edges.
struct LitBounds
{
    unsigned left = ~0u;
    unsigned top = ~0u;
    unsigned right = 0;
    unsigned bottom = 0;
    bool empty() const { return left > right; }
};

LitBounds litBounds(const Screenshot& shot, const PixelBox& area)
{
    LitBounds bounds;
    for (unsigned y = 0; y < shot.height(); ++y)
        for (unsigned x = 0; x < shot.width(); ++x)
            if (area.containsPixel(x, y) && !displaytest::isBlack(shot.at(x, y)))
            {
                bounds.left = std::min(bounds.left, x);
                bounds.top = std::min(bounds.top, y);
                bounds.right = std::max(bounds.right, x + 1);
                bounds.bottom = std::max(bounds.bottom, y + 1);
            }
    return bounds;
}

// Where a character drawn at cell may leave pixels: the glyphs of the bold font are a little
// wider than a cell, so half a cell either side of it.
PixelBox glyphReachOfCell(const cor::Vector& cell)
{
    PixelBox reach = displaytest::areaOfCell(cell);
    const float halfCell = cor::DisplayManager::instance().cellWidth() / 2.0f;
    reach.left -= halfCell;
    reach.right += halfCell;
    return reach;
}

// True when every lit pixel of the shot lies in one of the boxes.
bool litOnlyInside(const Screenshot& shot, const std::vector<PixelBox>& boxes)
{
    for (unsigned y = 0; y < shot.height(); ++y)
        for (unsigned x = 0; x < shot.width(); ++x)
        {
            if (displaytest::isBlack(shot.at(x, y)))
                continue;
            const bool covered =
                std::any_of(boxes.begin(), boxes.end(),
                            [&](const PixelBox& box) { return box.containsPixel(x, y); });
            if (!covered)
                return false;
        }
    return true;
}

struct ColorCase
{
    cor::Color color;
    sf::Color drawnAs;
};

// The colours a player sees for each value of the enumeration.
const std::vector<ColorCase> colorTable = {
    {cor::BLACK, sf::Color(0, 0, 0, 255)},    {cor::RED, sf::Color(255, 0, 0, 255)},
    {cor::GREEN, sf::Color(0, 255, 0, 255)},  {cor::YELLOW, sf::Color(255, 255, 0, 255)},
    {cor::BLUE, sf::Color(0, 0, 255, 255)},   {cor::MAGENTA, sf::Color(255, 0, 255, 255)},
    {cor::CYAN, sf::Color(0, 255, 255, 255)}, {cor::WHITE, sf::Color(255, 255, 255, 255)},
};

// A channel the colour leaves at zero stays zero wherever the glyph is blended onto black.
bool onlyShadesOf(const Screenshot& shot, const PixelBox& area, const sf::Color& color)
{
    for (unsigned y = 0; y < shot.height(); ++y)
        for (unsigned x = 0; x < shot.width(); ++x)
        {
            if (!area.containsPixel(x, y))
                continue;
            const sf::Color pixel = shot.at(x, y);
            if ((color.r == 0 && pixel.r != 0) || (color.g == 0 && pixel.g != 0) ||
                (color.b == 0 && pixel.b != 0))
                return false;
        }
    return true;
}

TEST_F(DisplayDrawing, CharactersAppearInTheirCellsInTheTableColours)
{
    std::vector<cor::Vector> cells;
    std::vector<PixelBox> reaches;
    for (std::size_t i = 0; i < colorTable.size(); ++i)
    {
        // Spread over the grid, the last one in the bottom-right cell.
        const float column = static_cast<float>(display().cellColumns() - 1) -
                             static_cast<float>((colorTable.size() - 1 - i) * 9);
        const float row = static_cast<float>(display().cellRows() - 1) -
                          static_cast<float>((colorTable.size() - 1 - i) * 3);
        cells.emplace_back(column, row);
        reaches.push_back(glyphReachOfCell(cells.back()));
        ASSERT_EQ(display().drawCh(cells.back(), 'M', colorTable[i].color), 0);
    }
    const Screenshot shot;

    for (std::size_t i = 0; i < colorTable.size(); ++i)
    {
        SCOPED_TRACE("colour " + std::to_string(colorTable[i].color));
        const PixelBox box = displaytest::backgroundBoxOfCell(cells[i]);
        if (colorTable[i].color == cor::BLACK)
        {
            EXPECT_EQ(displaytest::countLitPixels(shot, reaches[i]), 0);
            continue;
        }
        EXPECT_GT(displaytest::countPixels(shot, box, colorTable[i].drawnAs), 10);
        EXPECT_TRUE(onlyShadesOf(shot, reaches[i], colorTable[i].drawnAs));
        // The glyph stands in the middle of its cell's box.
        const PixelBox reach = reaches[i];
        const LitBounds bounds = litBounds(shot, reach);
        ASSERT_FALSE(bounds.empty());
        const float middleX = static_cast<float>(bounds.left + bounds.right) / 2.0f;
        const float middleY = static_cast<float>(bounds.top + bounds.bottom) / 2.0f;
        EXPECT_GT(middleX, box.left);
        EXPECT_LT(middleX, box.right);
        EXPECT_GT(middleY, box.top);
        EXPECT_LT(middleY, box.bottom);
    }
    EXPECT_TRUE(litOnlyInside(shot, reaches)) << "a glyph left pixels outside its cell";
    EXPECT_EQ(closeLog(), "") << "defined colours write no warning";
}

TEST_F(DisplayDrawing, UndefinedColoursDrawWhiteWithOneWarningPerCall)
{
    const cor::Vector eight(20, 4);
    const cor::Vector minusOne(40, 8);
    const cor::Vector seven(60, 12);
    EXPECT_EQ(display().drawCh(eight, 'M', static_cast<cor::Color>(8)), 0);
    EXPECT_EQ(display().drawCh(minusOne, 'M', static_cast<cor::Color>(-1)), 0);
    EXPECT_EQ(display().drawCh(seven, 'M', cor::WHITE), 0);
    const Screenshot shot;

    const sf::Color white(255, 255, 255, 255);
    const int whiteOfSeven = displaytest::countPixels(shot, glyphReachOfCell(seven), white);
    EXPECT_GT(whiteOfSeven, 10);
    EXPECT_EQ(displaytest::countPixels(shot, glyphReachOfCell(eight), white), whiteOfSeven);
    EXPECT_EQ(displaytest::countPixels(shot, glyphReachOfCell(minusOne), white), whiteOfSeven);
    EXPECT_TRUE(onlyShadesOf(shot, glyphReachOfCell(eight), white));
    EXPECT_EQ(closeLog(), undefinedColorWarning + undefinedColorWarning);
}

TEST_F(DisplayDrawing, BackgroundBoxCoversExactlyItsRectangle)
{
    const sf::Color earlier(40, 90, 160, 255);
    displaytest::fillWindow(earlier);
    const std::vector<cor::Vector> cells = {{0.0f, 0.0f},
                                            {static_cast<float>(display().cellColumns() - 1),
                                             static_cast<float>(display().cellRows() - 1)},
                                            {10.5f, 5.5f}};
    std::vector<PixelBox> boxes;
    for (const cor::Vector& cell : cells)
    {
        ASSERT_EQ(display().drawCh(cell, ' ', cor::WHITE), 0);
        boxes.push_back(displaytest::backgroundBoxOfCell(cell));
    }
    const Screenshot shot;

    ASSERT_EQ(shot.width(), static_cast<unsigned>(display().pixelWidth()));
    ASSERT_EQ(shot.height(), static_cast<unsigned>(display().pixelHeight()));
    int wrongPixels = 0;
    for (unsigned y = 0; y < shot.height(); ++y)
        for (unsigned x = 0; x < shot.width(); ++x)
        {
            const bool inBox =
                std::any_of(boxes.begin(), boxes.end(),
                            [&](const PixelBox& box) { return box.containsPixel(x, y); });
            const sf::Color expected = inBox ? sf::Color(0, 0, 0, 255) : earlier;
            if (!displaytest::sameColor(shot.at(x, y), expected) && ++wrongPixels <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") should be "
                              << (inBox ? "black" : "untouched");
        }
    EXPECT_EQ(wrongPixels, 0);
}

TEST_F(DisplayDrawing, ASpaceDrawnOverACharacterHidesItInsideTheBox)
{
    const cor::Vector cell(33, 11);
    const PixelBox box = displaytest::backgroundBoxOfCell(cell);
    ASSERT_EQ(display().drawCh(cell, 'M', cor::YELLOW), 0);
    ASSERT_GT(displaytest::countLitPixels(Screenshot(), box), 0);

    ASSERT_EQ(display().drawCh(cell, ' ', cor::YELLOW), 0);
    EXPECT_EQ(displaytest::countLitPixels(Screenshot(), box), 0);
}

// drawText with each alignment against the same letters drawn one cell at a time where
// the alignment should put them.
TEST_F(DisplayDrawing, DrawTextPlacesEachAlignmentWhereExpected)
{
    const std::string text = "abc";
    const float x = 10.0f;
    const float row = 6.0f;
    const float length = static_cast<float>(text.size());
    struct Case
    {
        cor::Alignment alignment;
        float firstColumn;
    };
    const std::vector<Case> cases = {{cor::ALIGN_CENTER, x - length / 2.0f},
                                     {cor::ALIGN_RIGHT, x - length},
                                     {cor::ALIGN_LEFT, x},
                                     {static_cast<cor::Alignment>(7), x}};

    std::vector<int> firstLitColumns;
    for (const Case& alignmentCase : cases)
    {
        SCOPED_TRACE("alignment " + std::to_string(alignmentCase.alignment));
        displaytest::fillWindow(sf::Color::Black);
        ASSERT_EQ(
            display().drawText(cor::Vector(x, row), text, alignmentCase.alignment, cor::GREEN), 0);
        const Screenshot drawn;

        displaytest::fillWindow(sf::Color::Black);
        for (std::size_t i = 0; i < text.size(); ++i)
            display().drawCh(cor::Vector(alignmentCase.firstColumn + static_cast<float>(i), row),
                             text[i], cor::GREEN);
        const Screenshot expected;

        int differing = 0;
        for (unsigned py = 0; py < drawn.height(); ++py)
            for (unsigned px = 0; px < drawn.width(); ++px)
                if (!displaytest::sameColor(drawn.at(px, py), expected.at(px, py)))
                    ++differing;
        EXPECT_EQ(differing, 0);

        // Each letter's pixels lie in the box of the cell it should stand in.
        for (std::size_t i = 0; i < text.size(); ++i)
        {
            const PixelBox box = displaytest::backgroundBoxOfCell(
                cor::Vector(alignmentCase.firstColumn + static_cast<float>(i), row));
            EXPECT_GT(displaytest::countLitPixels(drawn, box), 0) << "letter " << i;
        }
        const LitBounds bounds = litBounds(drawn, PixelBox{0.0f, 0.0f, 1e6f, 1e6f});
        ASSERT_FALSE(bounds.empty());
        const PixelBox firstCell =
            displaytest::areaOfCell(cor::Vector(alignmentCase.firstColumn, row));
        EXPECT_GE(static_cast<float>(bounds.left) + 1.0f, firstCell.left);
        EXPECT_LT(static_cast<float>(bounds.left), firstCell.right);
        firstLitColumns.push_back(static_cast<int>(bounds.left));
    }
    // Centred, right-aligned and left-aligned text start in three different places.
    EXPECT_NE(firstLitColumns[0], firstLitColumns[1]);
    EXPECT_NE(firstLitColumns[0], firstLitColumns[2]);
    EXPECT_NE(firstLitColumns[1], firstLitColumns[2]);
}

TEST_F(DisplayDrawing, EveryByteIsOneCell)
{
    EXPECT_EQ(display().drawText(cor::Vector(5, 5), "", cor::ALIGN_CENTER, cor::WHITE), 0);
    EXPECT_EQ(displaytest::countLitPixels(Screenshot(), PixelBox{0.0f, 0.0f, 1e6f, 1e6f}), 0);

    // A line feed takes a cell of its own: the letter after it stays on the same row.
    ASSERT_EQ(display().drawText(cor::Vector(5, 5), "a\nb", cor::ALIGN_LEFT, cor::WHITE), 0);
    const Screenshot shot;
    EXPECT_GT(displaytest::countLitPixels(shot, displaytest::backgroundBoxOfCell({7, 5})), 0);
    EXPECT_EQ(displaytest::countLitPixels(shot, displaytest::areaOfCell({5, 6})), 0);
}

TEST_F(DisplayDrawing, PresentFrameLeavesAnOpaqueBlackWindow)
{
    displaytest::fillWindow(sf::Color(200, 30, 30, 255));
    for (int column = 0; column < display().cellColumns(); column += 7)
        display().drawCh(cor::Vector(static_cast<float>(column), 3), 'M', cor::CYAN);
    display().presentFrame();
    const Screenshot shot;

    int notBlack = 0;
    for (unsigned y = 0; y < shot.height(); ++y)
        for (unsigned x = 0; x < shot.width(); ++x)
            if (!displaytest::sameColor(shot.at(x, y), sf::Color(0, 0, 0, 255)))
                ++notBlack;
    EXPECT_EQ(notBlack, 0);
}

} // namespace
