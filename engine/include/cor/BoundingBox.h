#ifndef COR_BOUNDING_BOX_H
#define COR_BOUNDING_BOX_H

#include "cor/Vector.h"

namespace cor
{

// An axis-aligned rectangle relative to its object's position, in cells.
struct BoundingBox
{
    Vector corner{-0.5f, -0.5f};
    float width = 1.0f;
    float height = 1.0f;

    constexpr BoundingBox() = default;
    constexpr BoundingBox(const Vector& cornerValue, float widthValue, float heightValue)
        : corner(cornerValue), width(widthValue), height(heightValue)
    {
    }
};

} // namespace cor

#endif
