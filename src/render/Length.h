#pragma once

#include <compare>

namespace Slipdesk {

// A template length in whole tenths of a millimetre. Lengths only add,
// subtract and scale by a count; pixels are never a Length, they appear where
// a Drawing converts for its canvas. Keeping the two apart (and positions in
// named fields) stops a width, a top or a pixel count from being passed where
// another was meant.
struct Length
{
    int tenths = 0;

    static constexpr Length tenthMm(int tenths) { return Length {tenths}; }

    constexpr Length operator+(Length other) const { return Length {tenths + other.tenths}; }
    constexpr Length operator-(Length other) const { return Length {tenths - other.tenths}; }
    constexpr Length operator*(int count) const { return Length {tenths * count}; }
    constexpr Length &operator+=(Length other)
    {
        tenths += other.tenths;
        return *this;
    }
    constexpr Length &operator-=(Length other)
    {
        tenths -= other.tenths;
        return *this;
    }

    constexpr auto operator<=>(const Length &) const = default;
};

constexpr Length operator*(int count, Length length)
{
    return length * count;
}

} // namespace Slipdesk
