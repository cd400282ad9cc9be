// Screen pixels that compare and print, so that assertions say what was seen.
#pragma once

#include <ostream>

namespace brumelis::scenarios {

struct Point {
    int x = 0;
    int y = 0;
};
struct Size {
    int width = 0;
    int height = 0;
};
// Screen pixels: the top-left corner and the extent.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    Point Origin() const { return {left, top}; }
    Size Extent() const { return {width, height}; }
    Point Centre() const { return {left + width / 2, top + height / 2}; }
};

inline bool operator==(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(Size a, Size b) {
    return a.width == b.width && a.height == b.height;
}
inline bool operator==(const Rect& a, const Rect& b) {
    return a.Origin() == b.Origin() && a.Extent() == b.Extent();
}
inline bool operator!=(const Rect& a, const Rect& b) {
    return !(a == b);
}
inline std::ostream& operator<<(std::ostream& out, Point p) {
    return out << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& out, Size s) {
    return out << s.width << "x" << s.height;
}
inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << r.Extent() << " at " << r.Origin();
}

}  // namespace brumelis::scenarios
