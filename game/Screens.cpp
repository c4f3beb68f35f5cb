// The texts of every screen the controller draws; the maps are drawn by their own objects.
#include "HalvrenController.h"
#include "ScreenCentre.h"

#include <cor/DisplayManager.h>

#include <initializer_list>
#include <string>

namespace
{

// One text of a screen; most are centred on the middle column.
struct ScreenText
{
    float row;
    std::string text;
    cor::Color color;
    float column = SCREEN_CENTRE.x;
    cor::Alignment alignment = cor::ALIGN_CENTER;
};

// drawText() places each character with one drawCh and stops at the first failing cell,
// which cuts only this text short; the next text is drawn all the same.
int drawTexts(std::initializer_list<ScreenText> texts)
{
    cor::DisplayManager& display = cor::DisplayManager::instance();
    for (const ScreenText& text : texts)
        display.drawText(cor::Vector(text.column, text.row), text.text, text.alignment, text.color);
    return 0;
}

// The play screen's level and steps stand this far in from the grid's sides.
constexpr float SIDE_MARGIN = 2.0f;

// A world's caption stands over the middle column of its map.
float captionColumn(const cor::Vector& origin)
{
    return origin.x + static_cast<float>(MAP_COLUMNS - 1) * 0.5f;
}

} // namespace

int HalvrenController::drawPlayScreen()
{
    const std::string level = std::to_string(m_level) + "/" + std::to_string(LEVEL_COUNT);
    return drawTexts({
        {1, "HALVREN", cor::WHITE},
        {1, "Level " + level, cor::WHITE, SIDE_MARGIN, cor::ALIGN_LEFT},
        {1, "Steps: " + std::to_string(m_steps), cor::YELLOW,
         static_cast<float>(cor::CELL_COLUMNS) - SIDE_MARGIN, cor::ALIGN_RIGHT},
        {3, "RED WORLD", cor::RED, captionColumn(redOrigin)},
        {3, "BLUE WORLD", cor::BLUE, captionColumn(blueOrigin)},
        {19, "Move: WASD / Arrows   Restart: R   Quit: Q", cor::WHITE},
        m_state == LevelCompletePending
            ? ScreenText{22, "Level complete! Preparing results...", cor::GREEN}
            : ScreenText{22, "Guide both @ symbols to their O exits", cor::YELLOW},
    });
}

int HalvrenController::drawStoryScreen()
{
    return drawTexts({
        {4, "1944 - Somewhere in Berlin", cor::WHITE},
        {7, "Two British prisoners of war have been separated", cor::WHITE},
        {9, "inside a German prison.", cor::WHITE},
        {12, "Unable to see each other, they move together,", cor::WHITE},
        {14, "one step at a time.", cor::WHITE},
        {17, "Their paths are different, but they must escape together.", cor::WHITE},
        {20, "Reach both exits. Get them home.", cor::YELLOW},
        {22, "Enter: Begin   Esc: Back   Q: Quit", cor::WHITE},
    });
}

int HalvrenController::drawHowToPlayScreen()
{
    return drawTexts({
        {5, "HOW TO PLAY", cor::WHITE},
        {9, "Control both characters at the same time", cor::WHITE},
        {11, "Move: WASD / Arrow Keys", cor::WHITE},
        {13, "Guide both characters to their exits", cor::WHITE},
        {17, "Esc: Back to title", cor::YELLOW},
    });
}

int HalvrenController::drawLevelCompleteScreen()
{
    const char* prompt = m_level >= LEVEL_COUNT ? "Press Enter to view final results"
                                                : "Press Enter for the next level";
    // While the prompt blinks off its row stays empty.
    return drawTexts({
        {6, "LEVEL " + std::to_string(m_level) + " COMPLETE", cor::GREEN},
        {10, "Steps: " + std::to_string(m_levelSteps), cor::YELLOW},
        {14, m_blinkCounter < BLINK_SHOWN_FRAMES ? prompt : "", cor::WHITE},
        {17, "R: Replay level    Q: Quit", cor::WHITE},
    });
}

int HalvrenController::drawWinScreen()
{
    return drawTexts({
        {7, "YOU WIN!", cor::GREEN},
        {10, "All " + std::to_string(LEVEL_COUNT) + " levels completed", cor::WHITE},
        {12, "Total steps: " + std::to_string(m_totalSteps), cor::YELLOW},
        {16, "Press Q to quit", cor::WHITE},
    });
}
