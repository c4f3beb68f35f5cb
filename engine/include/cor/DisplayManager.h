#ifndef COR_DISPLAY_MANAGER_H
#define COR_DISPLAY_MANAGER_H

#include "cor/Color.h"
#include "cor/Manager.h"
#include "cor/Vector.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sf
{
class Font;
class InputStream;
class RenderWindow;
} // namespace sf

namespace cor
{

class CellBatch;
class CoverageMap;

inline constexpr const char* DEFAULT_TITLE = "Corvane";
inline constexpr const char* DEFAULT_FONT_FILE = "cor-font.ttf";
// The window, and the grid of character cells laid over it.
inline constexpr std::int32_t WINDOW_WIDTH = 1024;
inline constexpr std::int32_t WINDOW_HEIGHT = 768;
inline constexpr std::int32_t CELL_COLUMNS = 80;
inline constexpr std::int32_t CELL_ROWS = 24;

// Owns the window and its font and draws the grid of character cells.
class DisplayManager : public Manager
{
public:
    static DisplayManager& instance();
    ~DisplayManager() override;

    // Opens the title-bar-only window and the font; 0 when both are there.
    // On failure no window is left open, so a later call starts afresh.
    [[nodiscard]] int initialize() override;
    // Releases the font, then closes and destroys the window.
    void shutdown() override;

    // One cell: an opaque black box, then the character; -1 when there is no window.
    // Cells are gathered and reach the window together, in the order drawn, when the frame
    // is presented or flushed.
    int drawCh(const Vector& position, char character, Color color);
    // One cell per byte, left to right; -1 as soon as a cell fails.
    int drawText(const Vector& position, const std::string& text, Alignment alignment, Color color);
    // Shows the frame, then clears the window to black.
    void presentFrame();
    // Sends the cells drawn so far to the window, for whoever reads it or draws into it
    // directly. A box over still-black parts of the frame changes no pixel and is left out;
    // after a flush the window may hold anything, so until the frame is presented every box
    // is drawn.
    void flush();

    // Null before initialize() and after shutdown().
    sf::RenderWindow* window() const { return m_window.get(); }
    std::int32_t pixelWidth() const { return m_pixelWidth; }
    std::int32_t pixelHeight() const { return m_pixelHeight; }
    std::int32_t cellColumns() const { return m_cellColumns; }
    std::int32_t cellRows() const { return m_cellRows; }
    // The size, in pixels, of the font every cell's glyph is drawn at.
    unsigned characterSize() const { return m_characterSize; }
    float cellWidth() const;
    float cellHeight() const;
    Vector cellsToPixels(const Vector& cells) const;
    Vector pixelsToCells(const Vector& pixels) const;

private:
    DisplayManager();
    void sendPendingCells();

    // The open font file; declared first so that it outlives the font reading from it.
    std::unique_ptr<sf::InputStream> m_fontSource;
    std::unique_ptr<sf::Font> m_font;
    std::unique_ptr<sf::RenderWindow> m_window;
    std::int32_t m_pixelWidth;
    std::int32_t m_pixelHeight;
    std::int32_t m_cellColumns;
    std::int32_t m_cellRows;
    // The cells drawn since the last flush: background boxes and glyphs, one draw call.
    std::unique_ptr<CellBatch> m_pendingCells;
    unsigned m_characterSize;
    // Where this frame has anything but black so far. A box over pixels that are still black
    // from the clear changes nothing, so it is left out of the batch.
    std::unique_ptr<CoverageMap> m_drawnThisFrame;
};

} // namespace cor

#endif
