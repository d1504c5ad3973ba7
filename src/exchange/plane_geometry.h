#pragma once

#include <algorithm>
#include <cmath>

// The few plane tests that decide whether a chart can be read: the layout
// steers by them and the chart's readability measure counts with them, so
// both judge a picture the same way. Coordinates are twips.
namespace arrowplan::plane {

struct Vec {
    double x = 0;
    double y = 0;
};

struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

inline double cross(Vec o, Vec a, Vec b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Distance from p to the segment ab.
inline double distanceToSegment(Vec p, Vec a, Vec b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Whether the segments ab and cd cross at one point inside both. Segments
// that only touch, or lie on one line, do not cross: the first is an arrow
// meeting another at a node, the second an overlap, counted on its own.
inline bool segmentsCross(Vec a, Vec b, Vec c, Vec d) {
    const double d1 = cross(a, b, c);
    const double d2 = cross(a, b, d);
    const double d3 = cross(c, d, a);
    const double d4 = cross(c, d, b);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// Whether the segments ab and cd lie on one line and share a stretch of it,
// not just a point.
inline bool segmentsOverlap(Vec a, Vec b, Vec c, Vec d) {
    if (cross(a, b, c) != 0 || cross(a, b, d) != 0) {
        return false;
    }
    // Along the longer axis the two are intervals.
    const bool alongX = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
    const auto along = [alongX](Vec v) { return alongX ? v.x : v.y; };
    const double low = std::max(std::min(along(a), along(b)), std::min(along(c), along(d)));
    const double high = std::min(std::max(along(a), along(b)), std::max(along(c), along(d)));
    return high > low;
}

inline bool boxesMeet(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline bool boxMeetsCircle(const Box& box, Vec centre, double radius) {
    const double nearestX = std::clamp(centre.x, box.left, box.right);
    const double nearestY = std::clamp(centre.y, box.top, box.bottom);
    return std::hypot(centre.x - nearestX, centre.y - nearestY) < radius;
}

} // namespace arrowplan::plane
