#ifndef COR_FIXED_OBJECT_LIST_H
#define COR_FIXED_OBJECT_LIST_H

#include <array>
#include <cstdint>

namespace cor
{

class Object;

inline constexpr std::int32_t OBJECT_LIST_CAPACITY = 1000;

// An ordered list of at most 1000 non-owning object pointers, copied by value.
class FixedObjectList
{
public:
    // Appends unless full; false when the list already held OBJECT_LIST_CAPACITY entries.
    bool append(Object* object);
    // Throws std::out_of_range("Invalid index!") outside 0..count-1.
    Object* operator[](std::int32_t index) const;
    bool contains(const Object* object) const;
    // Removes the first entry equal to object, keeping the others in order.
    bool remove(const Object* object);
    // Overwrites every entry equal to object with replacement.
    void replace(const Object* object, Object* replacement);
    void clear() { m_count = 0; }

    std::int32_t count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    bool isFull() const { return m_count == OBJECT_LIST_CAPACITY; }

private:
    std::int32_t m_count = 0;
    std::array<Object*, OBJECT_LIST_CAPACITY> m_items{};
};

} // namespace cor

#endif
