#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/dh_point_list.h"

namespace linvara {

// North (x) and east (y) ranges of a set of points; `usable` turns false at
// a coordinate that is not finite or absurdly large.
struct PlaneBox {
    double xlo = std::numeric_limits<double>::infinity(), xhi = -std::numeric_limits<double>::infinity();
    double ylo = std::numeric_limits<double>::infinity(), yhi = -std::numeric_limits<double>::infinity();
    bool usable = true;
    void Add(double x, double y);
};

// A search tree over the segments of a J-stake line (segment k runs from stake
// k to stake k+1) for referring many points to it: for a point it offers every
// segment that can capture the point with an offset no larger than the best
// one found so far, so the caller's choice comes out as if it had tried them
// all.
//
// A segment captures the points of an unbounded strip across it, so a far
// segment can still capture a point. A subtree is passed over only when
//  - its box lies farther than the best offset so far, plus a margin above the
//    rounding error of an offset computed by Heron's formula, or
//  - the point lies outside the capture strips of all its segments, each
//    widened by the rounding error of the capture test.
// Segments those bounds do not cover (far shorter than the area, or so close
// to due east that rounding can move the foot along them by more than their
// length) are offered for every point, in route order; so are all segments
// when a coordinate is not finite or absurdly large.
class SegmentIndex {
public:
    // `area` holds every point that will be searched for.
    SegmentIndex(const DHPointList& jStakes, const PlaneBox& area);

    // Calls visit(k) once for every segment k that may capture (x, y) with an
    // absolute offset not above the smallest one found so far; visit returns
    // that smallest absolute offset (infinity while none captured).
    template <class Visit>
    void Search(double x, double y, Visit&& visit) const;

private:
    struct Node {
        double xlo, xhi, ylo, yhi;  // box of its segments, widened by their slack
        double cx, cy;              // centre of the box
        double ax = 1, ay = 0;      // axis the segment directions lie around
        double cosSpread = 0, sinSpread = 1;
        double reach = 0;           // strip half-widths along the directions, from the centre
        bool stripTest = false;     // false when the directions spread too far
        std::uint32_t begin = 0, end = 0;  // range of ids_
        std::uint32_t left = 0, right = 0; // children; 0 for a leaf
    };
    struct Segment {
        double sx, sy, ex, ey, length, slack;
    };

    std::uint32_t Build(std::uint32_t begin, std::uint32_t end);
    double BoxDistanceSquared(const Node& n, double x, double y) const;
    bool OutsideStrips(const Node& n, double x, double y) const;
    bool Skip(const Node& n, double x, double y, double best) const;

    std::vector<Segment> segments_;      // of the tree, by position in ids_
    std::vector<std::size_t> ids_;       // segment numbers, ascending
    std::vector<std::size_t> always_;    // offered for every point, ascending
    std::vector<Node> nodes_;            // nodes_[0] is the root
    double diagonal_ = 0;                // of the area and the stakes together
    double tolerance_ = 0;               // absolute rounding allowance of box and strip tests
    double lengthMargin_ = 0;            // offset margin from the longest segment of the tree
};

template <class Visit>
void SegmentIndex::Search(double x, double y, Visit&& visit) const {
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t k : always_) best = visit(k);
    if (nodes_.empty()) return;
    // The tree is balanced: its depth stays far below the stack's size.
    std::uint32_t stack[64];
    int top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const Node& n = nodes_[stack[--top]];
        if (Skip(n, x, y, best)) continue;
        if (n.left == 0) {
            for (std::uint32_t i = n.begin; i < n.end; ++i) best = visit(ids_[i]);
            continue;
        }
        // The nearer child goes on top, so a small best offset is found early.
        const bool leftNearer =
            BoxDistanceSquared(nodes_[n.left], x, y) <= BoxDistanceSquared(nodes_[n.right], x, y);
        stack[top++] = leftNearer ? n.right : n.left;
        stack[top++] = leftNearer ? n.left : n.right;
    }
}

}  // namespace linvara
