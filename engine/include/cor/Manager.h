#ifndef COR_MANAGER_H
#define COR_MANAGER_H

#include <string>

namespace cor
{

// Base of every engine singleton: a type string and a started flag.
class Manager
{
public:
    Manager();
    virtual ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    // Starts the manager; 0 on success, -1 on failure.
    [[nodiscard]] virtual int initialize();
    virtual void shutdown();

    void setTypeName(const std::string& typeName);
    const std::string& typeName() const;
    bool hasStarted() const;

protected:
    void setStarted(bool started);

private:
    std::string m_typeName;
    bool m_started;
};

} // namespace cor

#endif
