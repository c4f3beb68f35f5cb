#ifndef COR_VECTOR_H
#define COR_VECTOR_H

namespace cor
{

// A position, direction or velocity in character cells; y grows downwards.
struct Vector
{
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vector() = default;
    constexpr Vector(float xValue, float yValue) : x(xValue), y(yValue) {}

    constexpr Vector operator+(const Vector& other) const { return {x + other.x, y + other.y}; }
    constexpr Vector operator*(float factor) const { return {x * factor, y * factor}; }
    constexpr bool operator==(const Vector& other) const { return x == other.x && y == other.y; }
    constexpr bool operator!=(const Vector& other) const { return !(*this == other); }
};

} // namespace cor

#endif
