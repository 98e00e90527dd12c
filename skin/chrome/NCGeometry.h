// Rectangles and points of the non-client area in window coordinates (origin
// at the window's top-left corner), kept free of windows.h so that layout and
// hit testing are plain arithmetic.
#pragma once

#include <cstdint>

struct TNCPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const TNCPoint&) const = default;
};

// Fields in the order and width of a Win32 RECT.
struct TNCRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    // As PtInRect: the left and top edges are inside, the right and bottom ones are not.
    bool Contains(TNCPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const TNCRect&) const = default;
};
