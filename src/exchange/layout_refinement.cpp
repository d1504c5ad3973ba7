#include "exchange/layout_refinement.h"

#include "exchange/label_width.h"
#include "exchange/plane_geometry.h"
#include "model/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <random>
#include <utility>

namespace arrowplan {

namespace {
using plane::Box;
using plane::Vec;

// What each fault costs. An arrow over a node hides what the chart says, so
// it outweighs everything else together; a crossing is worth a few labels
// run into each other; the shape only decides between otherwise equal
// pictures.
constexpr double overNode = 15000;
// At the end an arrow still over a node outweighs any number of crossings:
// the last moves clear what they can at whatever cost.
constexpr double overNodeAtLast = 1e9;
constexpr int clearingRounds = 3;
constexpr double clearingShare = 0.25;
constexpr double crossing = 3000;
constexpr double labelClash = 300;
// Off the grid, the arrows still over nodes are cleared by annealing: a
// node at a time moved a random way, a move that costs more taken now and
// then while the picture is hot, less often as it cools and the moves grow
// shorter. The hot runs start from the same picture, each twice as long as
// the one before and with a seed of its own, until one clears every arrow
// or the next would pass the work allowed. The last part of a run is cold:
// short moves that only go downhill settle what the hot part left nearly
// clear. While annealing, an arrow over a node weighs three crossings, not
// five: the pictures with fewest crossings are the ones that clear the
// arrows, and the picture kept is the one with fewest arrows over nodes all
// the same. Heat is counted in crossings.
constexpr int firstAnnealingSteps = 10'000;
// Steps times arrows over the hot runs, at most: about a second's work on a
// two-core laptop, spent only on a network whose arrows are not cleared.
constexpr double annealingWork = 32'000'000;
constexpr double coldShare = 0.2;
constexpr double annealingHeat = 2;
constexpr double annealingOverNode = 3 * crossing;
constexpr double annealingReach = 2000; // twips across and up or down, at first
constexpr double shortestReach = 200;   // at the end
// First comes one cold run of short moves, which clears a lone arrow at
// little cost. Only a network of up to `annealedUpTo` arrows goes on to the
// hot runs: a larger one must still be laid out at once.
constexpr std::size_t annealedUpTo = 80;
constexpr int coldSteps = 500;
constexpr double coldReach = 150;
// Off the grid an arrow runs at least this far to the right, so that it
// does not stand upright and its direction shows.
constexpr double shortestRun = 225;
constexpr double climbPerTwip = 1.0 / 225;
constexpr double shortArrow = 40;
constexpr double longArrow = 2;

// Two circles of radius 200 with a clear gap; both with a twip to spare, as
// the places are rounded to whole twips at the end.
constexpr double minGap = 451;
constexpr double clearance = chart_geometry::arrowClearance + 2;
// How many of the nodes in a node's way are tried moving with it.
constexpr std::size_t neighboursTried = 2;
// How far up or down a node in the way is tried: a step aside.
constexpr double stepAside = 700;
// How many columns across a node is tried in one move.
constexpr std::size_t columnsAcross = 6;
constexpr int untanglingRounds = 3;
constexpr int shakes = 40;
constexpr std::size_t nodesShaken = 3;
// A hundred arrows get some 10,000 places tried, a few milliseconds' work;
// fifty get four times as many.
constexpr double workLimit = 100'000'000;
// A smaller network settles long before its share would run out.
constexpr std::size_t smallNetwork = 30;

class Refiner {
  public:
    Refiner(LayoutGrid& grid, const std::vector<LayoutArrow>& arrows, double figuresWidth,
            double share)
        : grid_(grid), arrows_(arrows), figuresWidth_(figuresWidth), share_(share),
          nodeCount_(grid.x.size()), touching_(nodeCount_), columnOf_(nodeCount_) {
        for (std::size_t a = 0; a < arrows_.size(); ++a) {
            touching_[static_cast<std::size_t>(arrows_[a].from)].push_back(a);
            touching_[static_cast<std::size_t>(arrows_[a].to)].push_back(a);
        }
        inColumn_.resize(grid_.columnX.size());
        for (std::size_t v = 0; v < nodeCount_; ++v) {
            columnOf_[v] = nearestColumn(grid_.x[v]);
            inColumn_[columnOf_[v]].push_back(v);
        }
    }

    // One round over every node; whether any moved.
    bool pass() {
        bool moved = false;
        for (std::size_t v = 0; v < nodeCount_ && !spent(); ++v) {
            moved = moveBest(v) || moved;
        }
        return moved;
    }

    // Whether the places tried so far have used up the work a layout may
    // take: a count, not a clock, so that the same network always comes out
    // the same. A try costs about as much as the arrows it looks at, and a
    // smaller network, cheaper to try, gets more tries in the same time.
    bool spent() const {
        const std::size_t arrows = std::max(arrows_.size(), smallNetwork);
        return static_cast<double>(tried_ * arrows * arrows) > workLimit * share_;
    }

    // Each node still under an arrow, or at the end of one over another
    // node, moved together with the node most in its way; whether any moved.
    bool untangle() {
        bool moved = false;
        for (std::size_t v = 0; v < nodeCount_ && !spent(); ++v) {
            if (troubled(v)) {
                moved = moveWithNeighbour(v) || moved;
            }
        }
        return moved;
    }

    // A few nodes each moved to a place drawn at random from where it may go:
    // the ones under an arrow or at the end of one over a node, while there
    // are such, else any.
    void shake(std::mt19937& random) {
        std::vector<std::size_t> stuck;
        for (std::size_t v = 0; v < nodeCount_; ++v) {
            if (troubled(v)) {
                stuck.push_back(v);
            }
        }
        for (std::size_t thrown = 0; thrown < nodesShaken && nodeCount_ > 0; ++thrown) {
            const std::size_t v =
                stuck.empty() ? random() % nodeCount_ : stuck[random() % stuck.size()];
            const std::vector<Place> places = placesFor(v);
            if (!places.empty()) {
                put(v, places[random() % places.size()]);
            }
        }
    }

    // Every node back where `grid` has it.
    void restore(const LayoutGrid& grid) {
        for (std::size_t v = 0; v < nodeCount_; ++v) {
            put(v, {nearestColumn(grid.x[v]), grid.y[v]});
        }
    }

    // The nodes under an arrow or at the end of one over a node moved, alone
    // or with the node in their way, with an arrow over a node outweighing
    // everything else and a grazing one as much as any: a move must clear
    // one. With a little more work of its own.
    void clearArrows() {
        overNode_ = overNodeAtLast;
        graded_ = false;
        tried_ = 0;
        share_ = clearingShare;
        for (int round = 0; round < clearingRounds && !spent(); ++round) {
            bool moved = false;
            for (std::size_t v = 0; v < nodeCount_ && !spent(); ++v) {
                if (troubled(v)) {
                    moved = moveBest(v) || moveWithNeighbour(v) || moved;
                }
            }
            if (!moved) {
                break;
            }
        }
        overNode_ = overNode;
        graded_ = true;
    }

    // The arrows still over a node cleared off the grid by annealing (see
    // `firstAnnealingSteps` and `annealedUpTo`).
    void anneal() {
        const auto over = arrowsOverNodes();
        if (over.empty()) {
            return;
        }
        const Picture start{{static_cast<int>(over.size()), 0}, grid_.x, grid_.y};
        Picture best = start;
        annealFrom(start, {coldSteps, 0, coldReach, coldReach}, 1, best);
        double work = 0;
        unsigned seed = 1;
        for (int steps = firstAnnealingSteps;
             arrows_.size() <= annealedUpTo && best.standing.over > 0 &&
             work + steps * static_cast<double>(arrows_.size()) <= annealingWork;
             steps *= 2) {
            annealFrom(start, {steps, annealingHeat, annealingReach, shortestReach}, seed++, best);
            work += steps * static_cast<double>(arrows_.size());
        }
        grid_.x = best.x;
        grid_.y = best.y;
    }

    // The cost of the whole picture, each fault once.
    double total() const {
        double cost = 0;
        std::vector<Box> labels;
        for (std::size_t v = 0; v < nodeCount_; ++v) {
            labels.push_back(figuresBox(v));
        }
        for (std::size_t a = 0; a < arrows_.size(); ++a) {
            const LayoutArrow& arrow = arrows_[a];
            cost += shapeOf(arrow);
            for (std::size_t u = 0; u < nodeCount_; ++u) {
                if (!joins(arrow, u)) {
                    cost += overNode_ * depth(at(u), from(arrow), to(arrow));
                }
            }
            for (std::size_t b = a + 1; b < arrows_.size(); ++b) {
                const LayoutArrow& other = arrows_[b];
                cost +=
                    crossing * plane::segmentsCross(from(arrow), to(arrow), from(other), to(other));
            }
            if (arrow.titleWidth > 0) {
                labels.push_back(titleBox(arrow));
            }
        }
        for (std::size_t i = 0; i < labels.size(); ++i) {
            for (std::size_t u = 0; u < nodeCount_; ++u) {
                cost += labelClash *
                        plane::boxMeetsCircle(labels[i], at(u), chart_geometry::nodeRadius);
            }
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                cost += labelClash * plane::boxesMeet(labels[i], labels[j]);
            }
        }
        return cost;
    }

  private:
    static constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

    struct Place {
        std::size_t column = 0;
        double y = 0;
    };

    // What stays put while one node v moves: the other labels, and for the
    // column v is tried in, the other arrows that pass near it.
    struct Around {
        std::size_t node = 0;
        std::vector<Box> staying;
        std::size_t column = std::numeric_limits<std::size_t>::max();
        std::vector<std::size_t> passing;
    };

    // Whether v stands under an arrow, or at the end of one over a node.
    bool troubled(std::size_t v) const {
        ++tried_; // about as much work as trying a place
        Around what;
        what.node = v;
        passingColumn(what, columnOf_[v]);
        return nodesUnderArrows(v, what.passing) > 0;
    }

    Around around(std::size_t v) const {
        ++tried_; // about as much work as trying a place
        Around result;
        result.node = v;
        labelsStaying(v, result.staying);
        return result;
    }

    void passingColumn(Around& what, std::size_t column) const {
        if (what.column == column) {
            return;
        }
        what.column = column;
        what.passing.clear();
        const double x = grid_.columnX[column];
        for (std::size_t a = 0; a < arrows_.size(); ++a) {
            if (!joins(arrows_[a], what.node) && from(arrows_[a]).x - clearance < x &&
                to(arrows_[a]).x + clearance > x) {
                what.passing.push_back(a);
            }
        }
    }

    Place placeOf(std::size_t v) const { return {columnOf_[v], grid_.y[v]}; }

    void put(std::size_t v, Place place) {
        if (place.column != columnOf_[v]) {
            std::erase(inColumn_[columnOf_[v]], v);
            inColumn_[place.column].push_back(v);
        }
        grid_.x[v] = grid_.columnX[place.column];
        grid_.y[v] = place.y;
        columnOf_[v] = place.column;
    }

    // Every place v may move to, other than where it stands, at most
    // `reach` up or down and a few columns across: a place keeps the gap to
    // every node near enough its column to matter.
    std::vector<Place> placesFor(std::size_t v,
                                 double reach = std::numeric_limits<double>::infinity()) const {
        std::vector<Place> places;
        auto [first, last] = columnWindow(v);
        first = std::max(first, columnOf_[v] > columnsAcross ? columnOf_[v] - columnsAcross : 0);
        last = std::min(last, columnOf_[v] + columnsAcross);
        std::vector<std::size_t> near;
        for (std::size_t column = first; column <= last; ++column) {
            const double x = grid_.columnX[column];
            near.clear();
            for (std::size_t c = column; c-- > 0 && x - grid_.columnX[c] < minGap;) {
                near.insert(near.end(), inColumn_[c].begin(), inColumn_[c].end());
            }
            for (std::size_t c = column; c < grid_.columnX.size() && grid_.columnX[c] - x < minGap;
                 ++c) {
                near.insert(near.end(), inColumn_[c].begin(), inColumn_[c].end());
            }
            for (const double y : grid_.rowY) {
                const bool clear = std::none_of(near.begin(), near.end(), [&](std::size_t u) {
                    const double dx = grid_.x[u] - x;
                    const double dy = grid_.y[u] - y;
                    return u != v && dx * dx + dy * dy < minGap * minGap;
                });
                if (clear && std::abs(y - grid_.y[v]) <= reach &&
                    (column != columnOf_[v] || y != grid_.y[v])) {
                    places.push_back({column, y});
                }
            }
        }
        // Looking over the grid costs about as much as trying one place in
        // eight of those it looked at.
        tried_ += 1 + (last - first + 1) * grid_.rowY.size() / 8;
        return places;
    }

    // The nodes nearest under v's arrows, and the far ends of the arrows
    // nearest over v.
    std::vector<std::size_t> inTheWay(std::size_t v) const {
        ++tried_; // about as much work as trying a place
        std::vector<std::size_t> nodes;
        for (const std::size_t a : touching_[v]) {
            for (std::size_t u = 0; u < nodeCount_; ++u) {
                if (!joins(arrows_[a], u) &&
                    plane::nearSegment(at(u), from(arrows_[a]), to(arrows_[a]), clearance)) {
                    nodes.push_back(u);
                }
            }
        }
        for (const LayoutArrow& arrow : arrows_) {
            if (!joins(arrow, v) && plane::nearSegment(at(v), from(arrow), to(arrow), clearance)) {
                nodes.push_back(static_cast<std::size_t>(arrow.from));
                nodes.push_back(static_cast<std::size_t>(arrow.to));
            }
        }
        return nodes;
    }

    // Tries every place of v, and with each every place of one node in its
    // way there; keeps the best pair of moves if it lowers the cost.
    bool moveWithNeighbour(std::size_t v) {
        const Place oldV = placeOf(v);
        Around aroundV = around(v);
        const double beforeV = costAround(aroundV, std::numeric_limits<double>::infinity());
        double best = -1e-9;
        Place bestV = oldV;
        std::size_t bestU = none;
        Place bestUPlace;
        for (const Place place : placesFor(v)) {
            if (spent()) {
                break;
            }
            put(v, place);
            const double changeV =
                costAround(aroundV, std::numeric_limits<double>::infinity()) - beforeV;
            if (changeV < best) {
                best = changeV;
                bestV = place;
                bestU = none;
            }
            std::vector<std::size_t> others = inTheWay(v);
            others.resize(std::min<std::size_t>(others.size(), neighboursTried));
            for (const std::size_t u : others) {
                const Place oldU = placeOf(u);
                Around aroundU = around(u);
                const double beforeU = costAround(aroundU, std::numeric_limits<double>::infinity());
                for (const Place uPlace : placesFor(u, stepAside)) {
                    put(u, uPlace);
                    const double change =
                        changeV + costAround(aroundU, beforeU + best - changeV) - beforeU;
                    if (change < best) {
                        best = change;
                        bestV = place;
                        bestU = u;
                        bestUPlace = uPlace;
                    }
                }
                put(u, oldU);
            }
        }
        put(v, bestV);
        if (bestU != none) {
            put(bestU, bestUPlace);
        }
        return best < -1e-9;
    }

    std::size_t nearestColumn(double x) const {
        std::size_t best = 0;
        for (std::size_t c = 1; c < grid_.columnX.size(); ++c) {
            if (std::abs(grid_.columnX[c] - x) < std::abs(grid_.columnX[best] - x)) {
                best = c;
            }
        }
        return best;
    }

    Vec at(std::size_t v) const { return {grid_.x[v], grid_.y[v]}; }
    Vec from(const LayoutArrow& a) const { return at(static_cast<std::size_t>(a.from)); }
    Vec to(const LayoutArrow& a) const { return at(static_cast<std::size_t>(a.to)); }
    static bool joins(const LayoutArrow& a, std::size_t v) {
        return static_cast<std::size_t>(a.from) == v || static_cast<std::size_t>(a.to) == v;
    }

    Box figuresBox(std::size_t v) const {
        const double top = grid_.y[v] + chart_geometry::figuresOffsetY;
        return {grid_.x[v], top, grid_.x[v] + figuresWidth_, top + labelHeight()};
    }

    Box titleBox(const LayoutArrow& a) const {
        const Vec m{(from(a).x + to(a).x) / 2, (from(a).y + to(a).y) / 2};
        const double top = m.y + chart_geometry::titleOffsetY;
        return {m.x, top, m.x + a.titleWidth, top + labelHeight()};
    }

    // The columns v may take and keep every arrow running to the right.
    std::pair<std::size_t, std::size_t> columnWindow(std::size_t v) const {
        std::size_t first = 0;
        std::size_t last = grid_.columnX.size() - 1;
        for (const std::size_t a : touching_[v]) {
            const auto start = static_cast<std::size_t>(arrows_[a].from);
            const auto end = static_cast<std::size_t>(arrows_[a].to);
            if (start == v) {
                last = std::min(last, columnOf_[end] - 1);
            } else {
                first = std::max(first, columnOf_[start] + 1);
            }
        }
        return {first, last};
    }

    // Every cost that depends on where v stands, each counted once; stops
    // early once it passes `bound`, as the place is then no better.
    double costAround(Around& what, double bound) const {
        ++tried_;
        const std::size_t v = what.node;
        passingColumn(what, columnOf_[v]);
        double cost = 0;
        for (const std::size_t a : touching_[v]) {
            cost += shapeOf(arrows_[a]);
        }
        if (cost > bound) {
            return cost;
        }
        cost += overNode_ * nodesUnderArrows(v, what.passing);
        if (cost > bound) {
            return cost;
        }
        for (const std::size_t a : touching_[v]) {
            for (const LayoutArrow& other : arrows_) {
                if (!joins(other, v) && plane::segmentsCross(from(arrows_[a]), to(arrows_[a]),
                                                             from(other), to(other))) {
                    cost += crossing;
                }
            }
        }
        if (cost > bound) {
            return cost;
        }
        return cost + labelClash * static_cast<double>(labelClashes(v, what.staying));
    }

    // Calls visit for every node whose column lies inside (low, high).
    template <typename Visit> void forNodesBetween(double low, double high, Visit visit) const {
        const auto first = std::upper_bound(grid_.columnX.begin(), grid_.columnX.end(), low);
        for (auto column = first; column != grid_.columnX.end() && *column < high; ++column) {
            for (const std::size_t u :
                 inColumn_[static_cast<std::size_t>(column - grid_.columnX.begin())]) {
                visit(u);
            }
        }
    }

    // The arrows of v over other nodes, and the other arrows over v. One
    // that only grazes a node weighs half of one through its centre, so
    // that a node can trade a bad case for a slight one, which a neighbour
    // stepping aside then clears.
    double depth(Vec node, Vec start, Vec end) const {
        if (!plane::nearSegment(node, start, end, clearance)) {
            return 0.0;
        }
        if (!graded_) {
            return 1.0;
        }
        const double distance = plane::distanceToSegment(node, start, end);
        return 0.5 + 0.5 * (clearance - distance) / clearance;
    }

    // An arrow that climbs or falls is harder to follow; one shorter than
    // the pitch of the layers crowds its labels, a longer one asks more room
    // of the nodes it passes.
    double shapeOf(const LayoutArrow& arrow) const {
        const double across = (to(arrow).x - from(arrow).x) / grid_.layerPitch;
        return climbPerTwip * std::abs(from(arrow).y - to(arrow).y) +
               (across < 1 ? shortArrow * (1 - across) : longArrow * (across - 1));
    }

    double nodesUnderArrows(std::size_t v, const std::vector<std::size_t>& passing) const {
        double count = 0;
        for (const std::size_t a : touching_[v]) {
            const LayoutArrow& arrow = arrows_[a];
            forNodesBetween(from(arrow).x - clearance, to(arrow).x + clearance, [&](std::size_t u) {
                if (!joins(arrow, u)) {
                    count += depth(at(u), from(arrow), to(arrow));
                }
            });
        }
        for (const std::size_t a : passing) {
            count += depth(at(v), from(arrows_[a]), to(arrows_[a]));
        }
        return count;
    }

    // The labels that stay where they are while v moves, into `staying`: the
    // other nodes' times and the titles of the arrows that do not join v.
    void labelsStaying(std::size_t v, std::vector<Box>& staying) const {
        staying.clear();
        for (std::size_t u = 0; u < nodeCount_; ++u) {
            if (u != v) {
                staying.push_back(figuresBox(u));
            }
        }
        for (const LayoutArrow& arrow : arrows_) {
            if (arrow.titleWidth > 0 && !joins(arrow, v)) {
                staying.push_back(titleBox(arrow));
            }
        }
    }

    // Labels that move with v (its times and the titles of its arrows)
    // against every circle and every other label, and v's circle against the
    // labels that stay.
    int labelClashes(std::size_t v, const std::vector<Box>& staying) const {
        std::vector<Box> moving{figuresBox(v)};
        for (const std::size_t a : touching_[v]) {
            if (arrows_[a].titleWidth > 0) {
                moving.push_back(titleBox(arrows_[a]));
            }
        }
        int count = 0;
        for (std::size_t i = 0; i < moving.size(); ++i) {
            for (std::size_t u = 0; u < nodeCount_; ++u) {
                count += plane::boxMeetsCircle(moving[i], at(u), chart_geometry::nodeRadius);
            }
            for (std::size_t j = i + 1; j < moving.size(); ++j) {
                count += plane::boxesMeet(moving[i], moving[j]);
            }
            for (const Box& other : staying) {
                count += plane::boxesMeet(moving[i], other);
            }
        }
        for (const Box& other : staying) {
            count += plane::boxMeetsCircle(other, at(v), chart_geometry::nodeRadius);
        }
        return count;
    }

    // Whether the arrow passes within the clearance of a node it does not join.
    bool passesOver(const LayoutArrow& arrow, std::size_t u) const {
        return !joins(arrow, u) && plane::nearSegment(at(u), from(arrow), to(arrow), clearance);
    }

    // Each arrow over a node it does not join, with the node.
    std::vector<std::pair<std::size_t, std::size_t>> arrowsOverNodes() const {
        std::vector<std::pair<std::size_t, std::size_t>> over;
        for (std::size_t a = 0; a < arrows_.size(); ++a) {
            for (std::size_t u = 0; u < nodeCount_; ++u) {
                if (passesOver(arrows_[a], u)) {
                    over.emplace_back(a, u);
                }
            }
        }
        tried_ += arrows_.size();
        return over;
    }

    // What a node's place costs off the grid, where it stands in no
    // column: every fault it takes part in, each once, and how many of them
    // are arrows over nodes.
    struct Standing {
        int over = 0;
        double cost = 0;
    };

    // Against the labels that stay while v moves, `staying`. Stops early
    // once the cost passes `bound`, as the place is then not taken.
    Standing standingOf(std::size_t v, const std::vector<Box>& staying, double bound) const {
        Standing standing;
        for (const std::size_t a : touching_[v]) {
            standing.cost += shapeOf(arrows_[a]);
        }
        const auto count = [&](std::size_t a, std::size_t u) {
            const auto& [start, end] = segments_[a];
            if (const double d = joins(arrows_[a], u) ? 0 : depth(at(u), start, end); d > 0) {
                ++standing.over;
                standing.cost += annealingOverNode * d;
            }
        };
        for (const std::size_t a : touching_[v]) {
            for (std::size_t u = 0; u < nodeCount_; ++u) {
                count(a, u);
            }
        }
        for (std::size_t a = 0; a < arrows_.size(); ++a) {
            count(a, v);
        }
        for (const std::size_t a : touching_[v]) {
            if (standing.cost > bound) {
                return standing;
            }
            const auto& [start, end] = segments_[a];
            for (std::size_t b = 0; b < arrows_.size(); ++b) {
                if (!joins(arrows_[b], v) &&
                    plane::segmentsCross(start, end, segments_[b].first, segments_[b].second)) {
                    standing.cost += crossing;
                }
            }
        }
        if (standing.cost <= bound) {
            standing.cost += labelClash * static_cast<double>(labelClashes(v, staying));
        }
        return standing;
    }

    // The nodes under an arrow and the ends of the arrows over a node.
    std::vector<std::size_t> troubledNodes() const {
        std::vector<std::size_t> nodes;
        for (const auto& [arrow, u] : arrowsOverNodes()) {
            nodes.insert(nodes.end(), {u, static_cast<std::size_t>(arrows_[arrow].from),
                                       static_cast<std::size_t>(arrows_[arrow].to)});
        }
        return nodes;
    }

    // A picture off the grid: every node's place, and what it costs.
    struct Picture {
        Standing standing;
        std::vector<double> x;
        std::vector<double> y;
    };

    // How one run of annealing goes: the heat falls from `heat` crossings to
    // none and the moves' reach from `firstReach` to `lastReach`, the last
    // part of the run cold.
    struct Schedule {
        int steps = 0;
        double heat = 0;
        double firstReach = 0;
        double lastReach = 0;
    };

    // One run of annealing from `from`. Half the moves go to a node under an
    // arrow or at one of its ends, while there are such. Keeps in `best` the
    // picture with fewest arrows over nodes, and of those the cheapest.
    void annealFrom(const Picture& from, const Schedule& schedule, unsigned seed, Picture& best) {
        constexpr double infinity = std::numeric_limits<double>::infinity();
        grid_.x = from.x;
        grid_.y = from.y;
        refreshSegments();
        // Costs count from what the first picture costs.
        Standing now = from.standing;
        std::vector<std::size_t> troubled = troubledNodes();
        // What each node's place costs, known until a move changes it: most
        // moves are not taken.
        std::vector<std::optional<Standing>> standing(nodeCount_);
        std::vector<Box> staying; // filled for each move, kept to spare allocations
        std::mt19937 random(seed);
        // Raw draws, not a distribution, whose results the standard leaves to
        // each library: in (0, 1).
        const auto unit = [&random] {
            return (static_cast<double>(random()) + 0.5) / 4294967296.0;
        };
        for (int step = 0; step < schedule.steps; ++step) {
            const double cooling =
                std::max(0.0, 1 - static_cast<double>(step) / (schedule.steps * (1 - coldShare)));
            const double reach =
                schedule.lastReach + (schedule.firstReach - schedule.lastReach) * cooling;
            const std::size_t v = !troubled.empty() && unit() < 0.5
                                      ? troubled[random() % troubled.size()]
                                      : random() % nodeCount_;
            const Vec old = at(v);
            const Vec place{std::round(old.x + (2 * unit() - 1) * reach),
                            std::round(old.y + (2 * unit() - 1) * reach)};
            if (!roomAt(v, place)) {
                continue;
            }
            // The move is taken if it costs no more than a draw allows, so the
            // place's cost need only be known up to that.
            const double allowance = -schedule.heat * crossing * cooling * std::log(unit());
            labelsStaying(v, staying);
            if (!standing[v]) {
                standing[v] = standingOf(v, staying, infinity);
            }
            const Standing before = *standing[v];
            moveTo(v, place);
            const Standing after = standingOf(v, staying, before.cost + allowance);
            if (after.cost > before.cost + allowance) {
                moveTo(v, old);
                continue;
            }
            std::fill(standing.begin(), standing.end(), std::nullopt);
            standing[v] = after;
            now.cost += after.cost - before.cost;
            now.over += after.over - before.over;
            if (after.over > 0 || before.over > 0) {
                troubled = troubledNodes();
            }
            if (now.over < best.standing.over ||
                (now.over == best.standing.over && now.cost < best.standing.cost)) {
                best = {now, grid_.x, grid_.y};
            }
        }
    }

    void moveTo(std::size_t v, Vec p) {
        grid_.x[v] = p.x;
        grid_.y[v] = p.y;
        for (const std::size_t a : touching_[v]) {
            segments_[a] = {from(arrows_[a]), to(arrows_[a])};
        }
    }

    void refreshSegments() {
        segments_.resize(arrows_.size());
        for (std::size_t a = 0; a < arrows_.size(); ++a) {
            segments_[a] = {from(arrows_[a]), to(arrows_[a])};
        }
    }

    // Whether v at p keeps its arrows running to the right, at least
    // `shortestRun` across, the gap to every node, and the grid's bounds.
    bool roomAt(std::size_t v, Vec p) const {
        if (p.y < grid_.rowY.front() || p.y > grid_.rowY.back() || p.x < grid_.columnX.front() ||
            p.x > grid_.columnX.back()) {
            return false;
        }
        for (const std::size_t a : touching_[v]) {
            const LayoutArrow& arrow = arrows_[a];
            if (static_cast<std::size_t>(arrow.from) == v ? to(arrow).x - p.x < shortestRun
                                                          : p.x - from(arrow).x < shortestRun) {
                return false;
            }
        }
        for (std::size_t u = 0; u < nodeCount_; ++u) {
            const double dx = grid_.x[u] - p.x;
            const double dy = grid_.y[u] - p.y;
            if (u != v && dx * dx + dy * dy < minGap * minGap) {
                return false;
            }
        }
        return true;
    }

    // Moves v to the best place of the grid, if it is better than where v
    // stands; ties keep v where it is, so that refining settles.
    bool moveBest(std::size_t v) {
        const Place old = placeOf(v);
        Around what = around(v);
        double best = costAround(what, std::numeric_limits<double>::infinity());
        std::optional<Place> bestPlace;
        for (const Place place : placesFor(v)) {
            put(v, place);
            if (const double cost = costAround(what, best); cost < best - 1e-9) {
                best = cost;
                bestPlace = place;
            }
        }
        put(v, bestPlace.value_or(old));
        return bestPlace.has_value();
    }

    LayoutGrid& grid_;
    const std::vector<LayoutArrow>& arrows_;
    double figuresWidth_;
    double share_;
    double overNode_ = overNode;
    bool graded_ = true; // whether a grazing arrow weighs less than one through a centre
    std::size_t nodeCount_;
    std::vector<std::vector<std::size_t>> touching_;
    std::vector<std::size_t> columnOf_;
    std::vector<std::vector<std::size_t>> inColumn_; // the nodes of each column
    mutable std::size_t tried_ = 0;
    // While annealing, each arrow's ends, kept in step by `moveTo`.
    std::vector<std::pair<Vec, Vec>> segments_;
};

} // namespace

double refineLayout(LayoutGrid& grid, const std::vector<LayoutArrow>& arrows, double figuresWidth,
                    int passes, double share, bool offGrid) {
    Refiner refiner(grid, arrows, figuresWidth, share);
    const auto settle = [&] {
        // Moving two nodes at once costs far more than one, so it is tried
        // only once single moves are done, and only a few times.
        int untangling = untanglingRounds;
        for (int round = 0; round < passes; ++round) {
            if (!refiner.pass() && (untangling-- == 0 || !refiner.untangle())) {
                break;
            }
        }
        return refiner.total();
    };
    double best = settle();
    // A settled picture is only as good as where it started: a few nodes
    // are thrown elsewhere and the rest settle again, and the new picture
    // is kept if it is better. The throws come from a fixed seed, so the
    // same network always comes out the same.
    std::mt19937 random(1);
    LayoutGrid kept = grid;
    for (int shake = 0; shake < shakes && best > 0 && !refiner.spent(); ++shake) {
        refiner.shake(random);
        if (const double cost = settle(); cost < best) {
            best = cost;
            kept = grid;
        } else {
            refiner.restore(kept);
        }
    }
    refiner.clearArrows();
    if (offGrid) {
        refiner.anneal();
    }
    return refiner.total();
}

} // namespace arrowplan
