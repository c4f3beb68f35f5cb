#include "cor/EventOut.h"

namespace cor
{

EventOut::EventOut()
{
    setTypeName(EVENT_TYPE_OUT);
}

} // namespace cor
