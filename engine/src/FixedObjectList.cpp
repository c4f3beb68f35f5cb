#include "cor/FixedObjectList.h"

#include <stdexcept>

namespace cor
{

bool FixedObjectList::append(Object* object)
{
    if (m_count >= OBJECT_LIST_CAPACITY)
        return false;
    m_items[static_cast<std::size_t>(m_count++)] = object;
    return true;
}

Object* FixedObjectList::operator[](std::int32_t index) const
{
    if (index < 0 || index >= m_count)
        throw std::out_of_range("Invalid index!");
    return m_items[static_cast<std::size_t>(index)];
}

bool FixedObjectList::contains(const Object* object) const
{
    for (std::int32_t i = 0; i < m_count; ++i)
    {
        if (m_items[static_cast<std::size_t>(i)] == object)
            return true;
    }
    return false;
}

bool FixedObjectList::remove(const Object* object)
{
    for (std::int32_t i = 0; i < m_count; ++i)
    {
        if (m_items[static_cast<std::size_t>(i)] == object)
        {
            for (std::int32_t j = i + 1; j < m_count; ++j)
                m_items[static_cast<std::size_t>(j - 1)] = m_items[static_cast<std::size_t>(j)];
            --m_count;
            return true;
        }
    }
    return false;
}

void FixedObjectList::replace(const Object* object, Object* replacement)
{
    for (std::int32_t i = 0; i < m_count; ++i)
    {
        if (m_items[static_cast<std::size_t>(i)] == object)
            m_items[static_cast<std::size_t>(i)] = replacement;
    }
}

} // namespace cor
