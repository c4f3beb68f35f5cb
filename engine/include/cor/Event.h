#ifndef COR_EVENT_H
#define COR_EVENT_H

#include <string>

namespace cor
{

extern const std::string EVENT_TYPE_UNDEFINED; // "cor::undefined"
extern const std::string EVENT_TYPE_STEP;      // "cor::step"
extern const std::string EVENT_TYPE_KEYBOARD;  // "cor::keyboard"
extern const std::string EVENT_TYPE_MOUSE;     // "cor::mouse"
extern const std::string EVENT_TYPE_COLLISION; // "cor::collision"
extern const std::string EVENT_TYPE_OUT;       // "cor::out"

// Base of every event; handlers tell events apart by their type string.
class Event
{
public:
    Event();
    virtual ~Event();

    void setTypeName(const std::string& typeName);
    const std::string& typeName() const;

private:
    std::string m_typeName;
};

} // namespace cor

#endif
