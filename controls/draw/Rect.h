#pragma once

namespace corvane {

// A rectangle in pixels, half-open: it covers the columns left..right-1 and the rows
// top..bottom-1. A rectangle with right <= left or bottom <= top is empty.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr Rect offset(int d) const { return {left + d, top + d, right + d, bottom + d}; }
    constexpr Rect moved(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect intersected(const Rect& o) const {
        return {left > o.left ? left : o.left, top > o.top ? top : o.top,
                right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace corvane
