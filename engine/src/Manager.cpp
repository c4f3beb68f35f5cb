#include "cor/Manager.h"

namespace cor
{

Manager::Manager() : m_typeName("Manager"), m_started(false) {}

Manager::~Manager() = default;

int Manager::initialize()
{
    m_started = true;
    return 0;
}

void Manager::shutdown()
{
    m_started = false;
}

void Manager::setTypeName(const std::string& typeName)
{
    m_typeName = typeName;
}

const std::string& Manager::typeName() const
{
    return m_typeName;
}

bool Manager::hasStarted() const
{
    return m_started;
}

void Manager::setStarted(bool started)
{
    m_started = started;
}

} // namespace cor
