#ifndef COR_EVENT_OUT_H
#define COR_EVENT_OUT_H

#include "cor/Event.h"

namespace cor
{

// Sent to an object whose move takes it from inside the screen to outside.
class EventOut : public Event
{
public:
    EventOut();
};

} // namespace cor

#endif
