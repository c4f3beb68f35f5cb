// The texts of every screen the controller draws; the maps are drawn by their own objects.
#include "HalvrenController.h"

#include <cor/DisplayManager.h>

#include <string>

namespace
{

constexpr float screenCentre = 40.0f;

// drawText() places each character with one drawCh and stops at the first failing cell,
// which cuts only this text short; the next text is drawn all the same.
void drawCentred(const std::string& text, float column, float row, cor::Color color)
{
    cor::DisplayManager::instance().drawText(cor::Vector(column, row), text, cor::ALIGN_CENTER,
                                             color);
}

void drawRightAligned(const std::string& text, float column, float row, cor::Color color)
{
    cor::DisplayManager::instance().drawText(cor::Vector(column, row), text, cor::ALIGN_RIGHT,
                                             color);
}

} // namespace

int HalvrenController::drawPlayScreen()
{
    drawCentred("HALVREN", screenCentre, 1, cor::WHITE);
    cor::DisplayManager::instance().drawText(
        cor::Vector(2, 1), "Level " + std::to_string(m_level) + "/" + std::to_string(LEVEL_COUNT),
        cor::ALIGN_LEFT, cor::WHITE);
    drawRightAligned("Steps: " + std::to_string(m_steps), 78, 1, cor::YELLOW);
    drawCentred("RED WORLD", 13, 3, cor::RED);
    drawCentred("BLUE WORLD", 66, 3, cor::BLUE);
    drawCentred("Move: WASD / Arrows   Restart: R   Quit: Q", screenCentre, 19, cor::WHITE);
    if (m_state == LevelCompletePending)
        drawCentred("Level complete! Preparing results...", screenCentre, 22, cor::GREEN);
    else
        drawCentred("Guide both @ symbols to their O exits", screenCentre, 22, cor::YELLOW);
    return 0;
}

int HalvrenController::drawStoryScreen()
{
    drawCentred("1944 - Somewhere in Berlin", screenCentre, 4, cor::WHITE);
    drawCentred("Two British prisoners of war have been separated", screenCentre, 7, cor::WHITE);
    drawCentred("inside a German prison.", screenCentre, 9, cor::WHITE);
    drawCentred("Unable to see each other, they move together,", screenCentre, 12, cor::WHITE);
    drawCentred("one step at a time.", screenCentre, 14, cor::WHITE);
    drawCentred("Their paths are different, but they must escape together.", screenCentre, 17,
                cor::WHITE);
    drawCentred("Reach both exits. Get them home.", screenCentre, 20, cor::YELLOW);
    drawCentred("Enter: Begin   Esc: Back   Q: Quit", screenCentre, 22, cor::WHITE);
    return 0;
}

int HalvrenController::drawHowToPlayScreen()
{
    drawCentred("HOW TO PLAY", screenCentre, 5, cor::WHITE);
    drawCentred("Control both characters at the same time", screenCentre, 9, cor::WHITE);
    drawCentred("Move: WASD / Arrow Keys", screenCentre, 11, cor::WHITE);
    drawCentred("Guide both characters to their exits", screenCentre, 13, cor::WHITE);
    drawCentred("Esc: Back to title", screenCentre, 17, cor::YELLOW);
    return 0;
}

int HalvrenController::drawLevelCompleteScreen()
{
    drawCentred("LEVEL " + std::to_string(m_level) + " COMPLETE", screenCentre, 6, cor::GREEN);
    drawCentred("Steps: " + std::to_string(m_levelSteps), screenCentre, 10, cor::YELLOW);
    if (m_blinkCounter < 15)
        drawCentred(m_level >= LEVEL_COUNT ? "Press Enter to view final results"
                                           : "Press Enter for the next level",
                    screenCentre, 14, cor::WHITE);
    drawCentred("R: Replay level    Q: Quit", screenCentre, 17, cor::WHITE);
    return 0;
}

int HalvrenController::drawWinScreen()
{
    drawCentred("YOU WIN!", screenCentre, 7, cor::GREEN);
    drawCentred("All " + std::to_string(LEVEL_COUNT) + " levels completed", screenCentre, 10,
                cor::WHITE);
    drawCentred("Total steps: " + std::to_string(m_totalSteps), screenCentre, 12, cor::YELLOW);
    drawCentred("Press Q to quit", screenCentre, 16, cor::WHITE);
    return 0;
}
