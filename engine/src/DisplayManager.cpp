#include "cor/DisplayManager.h"

#include "CellBatch.h"
#include "ColorTable.h"
#include "CoverageMap.h"
#include "cor/LogManager.h"
#include "platform/Platform.h"
#include "sfml/SfmlCompat.h"

#include <cmath>
#include <locale>

namespace cor
{

namespace
{

// Fine enough that few boxes are drawn for nothing, coarse enough to stay cheap to mark.
constexpr int COVERAGE_TILE_SIZE = 8;

sf::Color toSfmlColor(Color color)
{
    if (!isColor(color))
    {
        LogManager::instance().logMessage("DisplayManager::drawCh(): Warning! Undefined color.\n");
        color = WHITE;
    }
    const ColorEntry& entry = COLOR_TABLE[color];
    return sf::Color(entry.red, entry.green, entry.blue, 255);
}

} // namespace

DisplayManager& DisplayManager::instance()
{
    static DisplayManager manager;
    return manager;
}

DisplayManager::DisplayManager()
    : m_font(std::make_unique<sf::Font>()), m_pixelWidth(WINDOW_WIDTH),
      m_pixelHeight(WINDOW_HEIGHT), m_cellColumns(CELL_COLUMNS), m_cellRows(CELL_ROWS),
      m_pendingCells(std::make_unique<CellBatch>()),
      m_drawnThisFrame(
          std::make_unique<CoverageMap>(m_pixelWidth, m_pixelHeight, COVERAGE_TILE_SIZE))
{
    setTypeName("DisplayManager");
    // Twice the smaller cell side, cut to a whole number of pixels.
    const float smallerSide = cellWidth() < cellHeight() ? cellWidth() : cellHeight();
    m_characterSize = static_cast<unsigned>(std::floor(2.0f * smallerSide));
}

DisplayManager::~DisplayManager() = default;

int DisplayManager::initialize()
{
    if (m_window)
        return 0;
    // Without a display some versions of the window library abort the whole process.
    if (!platform::holdDisplay())
    {
        LogManager::instance().logMessage("DisplayManager::initialize(): unable to open the "
                                          "display.\n");
        return -1;
    }
    m_window = sfml::createTitlebarWindow(static_cast<unsigned>(m_pixelWidth),
                                          static_cast<unsigned>(m_pixelHeight), 32, DEFAULT_TITLE);
    platform::releaseDisplay();
    if (!m_window->isOpen())
    {
        m_window.reset();
        return -1;
    }
    const sf::Vector2u desktop = sfml::desktopSize();
    m_window->setPosition(sf::Vector2i((static_cast<int>(desktop.x) - m_pixelWidth) / 2,
                                       (static_cast<int>(desktop.y) - m_pixelHeight) / 2));
    m_window->setMouseCursorVisible(false);
    m_window->setVerticalSyncEnabled(true);
    m_font = std::make_unique<sf::Font>();
    m_fontSource = sfml::openRegularFileSource(DEFAULT_FONT_FILE);
    if (!m_fontSource || !sfml::openFont(*m_font, *m_fontSource))
    {
        m_font = std::make_unique<sf::Font>();
        m_fontSource.reset();
        // Without a font nothing can be drawn: close the window again so that a later
        // initialize() really retries instead of reporting the half-started manager as ready.
        m_window->close();
        m_window.reset();
        return -1;
    }
    // A new window's contents are undefined; from here on every frame starts black.
    m_window->clear(sf::Color(0, 0, 0, 255));
    m_drawnThisFrame->clear();
    setStarted(true);
    return 0;
}

void DisplayManager::shutdown()
{
    m_pendingCells->clear();
    m_drawnThisFrame->markAll();
    m_font = std::make_unique<sf::Font>();
    m_fontSource.reset();
    if (m_window)
    {
        m_window->close();
        m_window.reset();
    }
    setStarted(false);
}

int DisplayManager::drawCh(const Vector& position, char character, Color color)
{
    if (!m_window)
        return -1;
    const float width = cellWidth();
    const float height = cellHeight();
    const float pixelX = position.x * width;
    const float pixelY = position.y * height;

    // The box sits a tenth of a cell right and a fifth down, one pixel shorter than the cell.
    const sf::Vector2f boxCorner(pixelX + width / 10.0f, pixelY + height / 5.0f);
    const sf::Vector2f boxSize(width, height - 1.0f);
    if (m_drawnThisFrame->anyMarked(boxCorner.x, boxCorner.y, boxCorner.x + boxSize.x,
                                    boxCorner.y + boxSize.y))
        m_pendingCells->appendBox(boxCorner, boxSize, sf::Color(0, 0, 0, 255));

    const sf::Color fill = toSfmlColor(color);
    const std::uint32_t codepoint = sf::String(character, std::locale())[0];
    if (sfml::textDrawsGlyph(codepoint))
    {
        const sf::Glyph& glyph = m_font->getGlyph(codepoint, m_characterSize, true);
        const CellBatch::Extent extent =
            m_pendingCells->appendGlyph(sf::Vector2f(pixelX, pixelY), m_characterSize, fill, glyph);
        m_drawnThisFrame->mark(extent.left, extent.top, extent.right, extent.bottom);
    }
    return 0;
}

int DisplayManager::drawText(const Vector& position, const std::string& text, Alignment alignment,
                             Color color)
{
    const float length = static_cast<float>(text.size());
    float startColumn = position.x;
    if (alignment == ALIGN_CENTER)
        startColumn = position.x - length * 0.5f;
    else if (alignment == ALIGN_RIGHT)
        startColumn = position.x - length;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (drawCh(Vector(startColumn + static_cast<float>(i), position.y), text[i], color) != 0)
            return -1;
    }
    return 0;
}

void DisplayManager::sendPendingCells()
{
    if (m_window && !m_pendingCells->empty())
        m_pendingCells->drawInto(*m_window, m_font->getTexture(m_characterSize));
}

void DisplayManager::flush()
{
    sendPendingCells();
    m_drawnThisFrame->markAll();
}

void DisplayManager::presentFrame()
{
    if (!m_window)
        return;
    sendPendingCells();
    m_window->display();
    m_window->clear(sf::Color(0, 0, 0, 255));
    m_drawnThisFrame->clear();
}

float DisplayManager::cellWidth() const
{
    return static_cast<float>(m_pixelWidth) / static_cast<float>(m_cellColumns);
}

float DisplayManager::cellHeight() const
{
    return static_cast<float>(m_pixelHeight) / static_cast<float>(m_cellRows);
}

Vector DisplayManager::cellsToPixels(const Vector& cells) const
{
    return Vector(cells.x * cellWidth(), cells.y * cellHeight());
}

Vector DisplayManager::pixelsToCells(const Vector& pixels) const
{
    return Vector(pixels.x / cellWidth(), pixels.y / cellHeight());
}

} // namespace cor
