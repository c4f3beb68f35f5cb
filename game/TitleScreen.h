#ifndef HALVREN_TITLE_SCREEN_H
#define HALVREN_TITLE_SCREEN_H

#include <cor/Object.h>

class HalvrenController;

// The title art; while it exists it takes Enter (story), I (how to play) and Q (quit).
class TitleScreen : public cor::Object
{
public:
    explicit TitleScreen(HalvrenController* controller);

    int handleEvent(const cor::Event* event) override;

private:
    HalvrenController* m_controller;
};

#endif
