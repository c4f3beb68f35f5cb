#ifndef HALVREN_QUIT_ANIMATION_H
#define HALVREN_QUIT_ANIMATION_H

#include <cor/Object.h>

#include <cstdint>

// The game-over art, played once; when it has run, the game ends.
class QuitAnimation : public cor::Object
{
public:
    QuitAnimation();

    int handleEvent(const cor::Event* event) override;
    std::int32_t countdown() const { return m_countdown; }

private:
    std::int32_t m_countdown; // step events left before the game ends
};

#endif
