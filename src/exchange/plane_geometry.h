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

// The square of the distance from p to the segment ab.
inline double squaredDistanceToSegment(Vec p, Vec a, Vec b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = p.x - (a.x + t * dx);
    const double ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

inline double distanceToSegment(Vec p, Vec a, Vec b) {
    return std::sqrt(squaredDistanceToSegment(p, a, b));
}

// Whether p lies within `reach` of the segment ab; most points are told by
// the segment's bounding box alone.
inline bool nearSegment(Vec p, Vec a, Vec b, double reach) {
    if (p.x < std::min(a.x, b.x) - reach || p.x > std::max(a.x, b.x) + reach ||
        p.y < std::min(a.y, b.y) - reach || p.y > std::max(a.y, b.y) + reach) {
        return false;
    }
    return squaredDistanceToSegment(p, a, b) < reach * reach;
}

// Whether the segments ab and cd cross at one point inside both. Segments
// that only touch, or lie on one line, do not cross: the first is an arrow
// meeting another at a node, the second an overlap, counted on its own.
inline bool segmentsCross(Vec a, Vec b, Vec c, Vec d) {
    if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y)) {
        return false;
    }
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
    const double dx = centre.x - nearestX;
    const double dy = centre.y - nearestY;
    return dx * dx + dy * dy < radius * radius;
}

} // namespace arrowplan::plane
