#include "cor/Event.h"

namespace cor
{

const std::string EVENT_TYPE_UNDEFINED = "cor::undefined";
const std::string EVENT_TYPE_STEP = "cor::step";
const std::string EVENT_TYPE_KEYBOARD = "cor::keyboard";
const std::string EVENT_TYPE_MOUSE = "cor::mouse";
const std::string EVENT_TYPE_COLLISION = "cor::collision";
const std::string EVENT_TYPE_OUT = "cor::out";

Event::Event() : m_typeName(EVENT_TYPE_UNDEFINED) {}

Event::~Event() = default;

void Event::setTypeName(const std::string& typeName)
{
    m_typeName = typeName;
}

const std::string& Event::typeName() const
{
    return m_typeName;
}

} // namespace cor
