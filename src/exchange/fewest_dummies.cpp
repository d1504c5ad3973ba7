#include "exchange/fewest_dummies.h"

#include <cadical.hpp>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>

// A network is only looked for in a tidy form, and what a tidy network is
// keeps the search short. Label every event with the tasks done by it (whose
// end reaches or is it) and the tasks still to start (whose start it reaches
// or is). Precedence holds exactly when every task starts where its
// predecessors are the done tasks, so
// - two events of the same labels merge, and a dummy between two events of
//   one done (or one to-start) label contracts: every label stays, and so
//   does the precedence, unless two twins (tasks of the same predecessors
//   and followers) would then run between the same events;
// - a dummy beside a longer way goes.
// None of that adds a dummy or an event, so a tidy network has the fewest
// dummies, and then the fewest events, of all. In a tidy one the labels
// differ across every arc, which orders the events, and two events share a
// done (to-start) label only where twins start (end) at both.

namespace arrowplan {

namespace {

using Literal = int;
using Pairs = std::vector<std::vector<Literal>>; // [from][to], from < to

// Tasks that share predecessors and followers: any of them can take the
// place of any other.
struct Twins {
    std::vector<std::vector<std::size_t>> classes; // in the list's order
    std::vector<std::size_t> previous;             // the twin before, or the task itself
    std::size_t extra = 0;                         // tasks besides the first of their class

    explicit Twins(const TaskOrder& after) : previous(after.size()) {
        for (std::size_t task = 0; task < after.size(); ++task) {
            const auto same = std::find_if(classes.begin(), classes.end(), [&](const auto& c) {
                return after[c[0]] == after[task] &&
                       std::all_of(after.begin(), after.end(),
                                   [&](const auto& row) { return row[c[0]] == row[task]; });
            });
            previous[task] = same == classes.end() ? task : same->back();
            if (same == classes.end()) {
                classes.push_back({task});
            } else {
                same->push_back(task);
                ++extra;
            }
        }
    }
    bool twinned(std::size_t task) const {
        return std::any_of(classes.begin(), classes.end(), [&](const auto& c) {
            return c.size() > 1 && std::find(c.begin(), c.end(), task) != c.end();
        });
    }
};

// Whether the tasks have a tidy network of exactly `events` events and at
// most `dummies` dummies, as clauses. Every job runs from a lower number to
// a higher: the start is 0 and the finish the last.
class NetworkClauses {
  public:
    NetworkClauses(const TaskOrder& taskOrder, const Twins& twinClasses, std::size_t events,
                   std::size_t dummies)
        : after(taskOrder), twins(twinClasses), taskCount(taskOrder.size()), slots(events),
          last(events - 1) {
        solver.set("quiet", 1);
        placeTasks();
        joinEvents();
        labelEvents();
        closeLabels();
        orderTwins();
        orderEvents();
        limitBranching(dummies);
        std::vector<Literal> all;
        for (std::size_t from = 0; from < last; ++from) {
            all.insert(all.end(), dummy[from].begin() + long(from) + 1, dummy[from].end());
        }
        atMost(all, dummies);
    }

    std::optional<ArrowNetwork> solve() {
        if (solver.solve() != 10) {
            return std::nullopt;
        }
        ArrowNetwork network{slots, 0, last, {}};
        const auto placeOf = [&](const std::vector<Literal>& at) {
            return std::size_t(
                std::find_if(at.begin(), at.end(), [&](Literal l) { return holds(l); }) -
                at.begin());
        };
        for (std::size_t task = 0; task < taskCount; ++task) {
            network.jobs.push_back({placeOf(startAt[task]), placeOf(endAt[task]), task});
        }
        for (std::size_t from = 0; from < last; ++from) {
            for (std::size_t to = from + 1; to < slots; ++to) {
                if (holds(dummy[from][to])) {
                    network.jobs.push_back({from, to, NetworkJob::dummy});
                }
            }
        }
        return network;
    }

  private:
    Literal fresh() { return ++variables; }
    bool holds(Literal literal) { return solver.val(literal) > 0; }
    void add(std::initializer_list<Literal> literals) { add(std::span(literals)); }
    void add(std::span<const Literal> literals) {
        for (const Literal literal : literals) {
            solver.add(literal);
        }
        solver.add(0);
    }
    Pairs pairs() {
        Pairs made(slots, std::vector<Literal>(slots, 0));
        for (std::size_t from = 0; from < last; ++from) {
            for (std::size_t to = from + 1; to < slots; ++to) {
                made[from][to] = fresh();
            }
        }
        return made;
    }
    std::vector<std::vector<Literal>> table() {
        std::vector<std::vector<Literal>> made(slots, std::vector<Literal>(taskCount));
        for (auto& row : made) {
            std::generate(row.begin(), row.end(), [&] { return fresh(); });
        }
        return made;
    }

    // Each task starts at one event and ends at a later one.
    void placeTasks() {
        for (std::size_t task = 0; task < taskCount; ++task) {
            startAt.emplace_back(slots);
            endAt.emplace_back(slots);
            std::generate(startAt[task].begin(), startAt[task].end(), [&] { return fresh(); });
            std::generate(endAt[task].begin(), endAt[task].end(), [&] { return fresh(); });
            add({-startAt[task][last]});
            add({-endAt[task][0]});
            exactlyOne(startAt[task]);
            exactlyOne(endAt[task]);
            on.push_back(pairs());
            for (std::size_t from = 0; from < slots; ++from) {
                for (std::size_t to = 0; to < slots; ++to) {
                    const Literal start = startAt[task][from];
                    const Literal end = endAt[task][to];
                    if (from >= to) {
                        add({-start, -end});
                        continue;
                    }
                    add({-on[task][from][to], start});
                    add({-on[task][from][to], end});
                    add({-start, -end, on[task][from][to]});
                }
            }
        }
    }

    // Arcs of one job each; every event but the start has an arc in, every
    // event but the finish an arc out.
    void joinEvents() {
        dummy = pairs();
        arc = pairs();
        for (std::size_t from = 0; from < last; ++from) {
            for (std::size_t to = from + 1; to < slots; ++to) {
                std::vector<Literal> jobs{dummy[from][to]};
                for (std::size_t task = 0; task < taskCount; ++task) {
                    jobs.push_back(on[task][from][to]);
                }
                atMostOne(jobs);
                for (const Literal job : jobs) {
                    add({-job, arc[from][to]});
                }
                jobs.push_back(-arc[from][to]);
                add(jobs);
            }
        }
        for (std::size_t event = 0; event < slots; ++event) {
            std::vector<Literal> in;
            std::vector<Literal> out;
            for (std::size_t other = 0; other < event; ++other) {
                in.push_back(arc[other][event]);
            }
            for (std::size_t other = event + 1; other < slots; ++other) {
                out.push_back(arc[event][other]);
            }
            if (event > 0) {
                add(in);
            }
            if (event < last) {
                add(out);
            }
        }
    }

    // done[event][task]: the task's end reaches or is the event; later:
    // the event reaches or is the task's start. A task starts where exactly
    // its predecessors are done and ends where exactly its followers are to
    // start.
    void labelEvents() {
        done = table();
        later = table();
        for (std::size_t event = 0; event < slots; ++event) {
            for (std::size_t task = 0; task < taskCount; ++task) {
                std::vector<Literal> ways{-done[event][task], endAt[task][event]};
                add({-endAt[task][event], done[event][task]});
                for (std::size_t from = 0; from < event; ++from) {
                    ways.push_back(both(arc[from][event], done[from][task], done[event][task]));
                }
                add(ways);
                std::vector<Literal> onward{-later[event][task], startAt[task][event]};
                add({-startAt[task][event], later[event][task]});
                for (std::size_t to = event + 1; to < slots; ++to) {
                    onward.push_back(both(arc[event][to], later[to][task], later[event][task]));
                }
                add(onward);
            }
        }
        for (std::size_t first = 0; first < taskCount; ++first) {
            for (std::size_t second = 0; second < taskCount; ++second) {
                if (first == second) {
                    continue;
                }
                const bool waits = after[second][first];
                for (std::size_t event = 0; event < slots; ++event) {
                    const Literal isDone = done[event][first];
                    const Literal isLater = later[event][second];
                    add({-startAt[second][event], waits ? isDone : -isDone});
                    add({-endAt[first][event], waits ? isLater : -isLater});
                }
            }
        }
    }

    // A literal for `arc` and `label` together; both imply `result`.
    Literal both(Literal arcHere, Literal label, Literal result) {
        const Literal joined = fresh();
        add({-arcHere, -label, result});
        add({-joined, arcHere});
        add({-joined, label});
        return joined;
    }

    // What the labels of one event are: the done tasks wait for none of the
    // tasks to start, and a done task's predecessors are done, a task's
    // followers to start. Said outright, it spares the solver finding it.
    void closeLabels() {
        for (std::size_t event = 0; event < slots; ++event) {
            for (std::size_t first = 0; first < taskCount; ++first) {
                for (std::size_t second = 0; second < taskCount; ++second) {
                    if (!after[second][first]) {
                        add({-done[event][first], -later[event][second]});
                    } else {
                        add({-done[event][second], done[event][first]});
                        add({-later[event][first], later[event][second]});
                    }
                }
            }
        }
    }

    // Twins can trade places, so only the placing that takes them in the
    // list's order is looked at: starts in order, ends in order where the
    // starts are one event.
    void orderTwins() {
        for (std::size_t second = 0; second < taskCount; ++second) {
            const std::size_t first = twins.previous[second];
            if (first == second) {
                continue;
            }
            for (std::size_t start = 0; start < last; ++start) {
                std::vector<Literal> earlier{-startAt[second][start]};
                earlier.insert(earlier.end(), startAt[first].begin(),
                               startAt[first].begin() + long(start) + 1);
                add(earlier);
                for (std::size_t end = start + 1; end < slots; ++end) {
                    std::vector<Literal> endsEarlier{-startAt[first][start],
                                                     -startAt[second][start], -endAt[second][end]};
                    endsEarlier.insert(endsEarlier.end(), endAt[first].begin(),
                                       endAt[first].begin() + long(end));
                    add(endsEarlier);
                }
            }
        }
    }

    // The events in order of a key: how many of each class of twins are
    // done, then how many are still to start (more first), which twins
    // trading places does not change. The key rises along every arc, so
    // sorting by it numbers the events in their order; where two keys are
    // equal, the numbering whose arcs, read by end and then by start event,
    // come first is taken.
    void orderEvents() {
        std::vector<std::vector<Literal>> keys(slots);
        for (std::size_t event = 0; event < slots; ++event) {
            for (const auto* label : {&done, &later}) {
                for (const auto& members : twins.classes) {
                    std::vector<Literal> bits;
                    for (const std::size_t task : members) {
                        bits.push_back((*label)[event][task]);
                    }
                    const std::vector<Literal> count = countOf(bits, bits.size(), true);
                    keys[event].insert(keys[event].end(), count.begin(), count.end());
                }
            }
        }
        const std::size_t doneBits = keys[0].size() / 2;
        for (std::size_t event = 1; event + 2 < slots; ++event) {
            const std::size_t next = event + 1;
            std::vector<std::pair<Literal, Literal>> readings; // first not above second
            for (std::size_t bit = 0; bit < keys[event].size(); ++bit) {
                const bool rising = bit < doneBits;
                readings.emplace_back(rising ? keys[event][bit] : keys[next][bit],
                                      rising ? keys[next][bit] : keys[event][bit]);
            }
            for (std::size_t from = 0; from < event; ++from) {
                readings.emplace_back(arc[from][next], arc[from][event]);
            }
            for (std::size_t to = next + 1; to < slots; ++to) {
                readings.emplace_back(arc[next][to], arc[event][to]);
            }
            std::vector<Literal> unlessApart; // the readings before all agree
            for (const auto& [low, high] : readings) {
                const Literal agree = fresh();
                for (const auto& clause :
                     {std::pair(-low, high), std::pair(-low, agree), std::pair(high, agree)}) {
                    std::vector<Literal> unless = unlessApart;
                    unless.push_back(clause.first);
                    unless.push_back(clause.second);
                    add(unless);
                }
                unlessApart = {-agree};
            }
        }
    }

    // Every event but the start has an arc in, so of the n + d arcs only
    // n + d + 1 - events are spare for events with more than one in; the
    // same for out.
    void limitBranching(std::size_t dummies) {
        const std::size_t spare = taskCount + dummies + 1 - slots;
        for (const bool in : {true, false}) {
            std::vector<Literal> branching;
            for (std::size_t event = 0; event < slots; ++event) {
                std::vector<Literal> arcs;
                for (std::size_t other = 0; other < slots; ++other) {
                    if (in ? other < event : other > event) {
                        arcs.push_back(in ? arc[other][event] : arc[event][other]);
                    }
                }
                const Literal many = fresh();
                for (std::size_t one = 0; one < arcs.size(); ++one) {
                    for (std::size_t two = one + 1; two < arcs.size(); ++two) {
                        add({-arcs[one], -arcs[two], many});
                    }
                }
                branching.push_back(many);
            }
            atMost(branching, spare);
        }
    }

    void atMost(const std::vector<Literal>& literals, std::size_t most) {
        if (literals.size() > most) {
            add({-countOf(literals, most + 1)[most]});
        }
    }
    void atMostOne(const std::vector<Literal>& literals) {
        for (std::size_t one = 0; one < literals.size(); ++one) {
            for (std::size_t other = one + 1; other < literals.size(); ++other) {
                add({-literals[one], -literals[other]});
            }
        }
    }
    void exactlyOne(const std::vector<Literal>& literals) {
        add(literals);
        atMostOne(literals);
    }

    // Literals true when at least 1, 2, .. `cap` of the inputs are (and,
    // `exact`, only then): a totalizer, halves counted apart and added.
    std::vector<Literal> countOf(std::span<const Literal> inputs, std::size_t cap,
                                 bool exact = false) {
        if (inputs.size() == 1) {
            return {inputs[0]};
        }
        const std::size_t half = inputs.size() / 2;
        const std::vector<Literal> left = countOf(inputs.first(half), cap, exact);
        const std::vector<Literal> right = countOf(inputs.subspan(half), cap, exact);
        std::vector<Literal> sum(std::min(inputs.size(), cap));
        std::generate(sum.begin(), sum.end(), [&] { return fresh(); });
        for (std::size_t fromLeft = 0; fromLeft <= left.size(); ++fromLeft) {
            for (std::size_t fromRight = 0; fromRight <= right.size(); ++fromRight) {
                const std::size_t total = fromLeft + fromRight;
                if (total > 0 && total <= sum.size()) {
                    std::vector<Literal> clause{sum[total - 1]};
                    if (fromLeft > 0) {
                        clause.push_back(-left[fromLeft - 1]);
                    }
                    if (fromRight > 0) {
                        clause.push_back(-right[fromRight - 1]);
                    }
                    add(clause);
                }
                if (exact && total < sum.size()) {
                    std::vector<Literal> clause{-sum[total]};
                    if (fromLeft < left.size()) {
                        clause.push_back(left[fromLeft]);
                    }
                    if (fromRight < right.size()) {
                        clause.push_back(right[fromRight]);
                    }
                    add(clause);
                }
            }
        }
        return sum;
    }

    CaDiCaL::Solver solver;
    const TaskOrder& after;
    const Twins& twins;
    Literal variables = 0;
    std::size_t taskCount;
    std::size_t slots;
    std::size_t last;
    std::vector<std::vector<Literal>> startAt; // [task][event]
    std::vector<std::vector<Literal>> endAt;
    std::vector<Pairs> on; // [task]: the task's job on the pair
    Pairs dummy;
    Pairs arc;
    std::vector<std::vector<Literal>> done; // [event][task]
    std::vector<std::vector<Literal>> later;
};

// Each task's followers, as `after` holds each task's predecessors.
TaskOrder followersOf(const TaskOrder& after) {
    TaskOrder followers(after.size(), std::vector<bool>(after.size()));
    for (std::size_t task = 0; task < after.size(); ++task) {
        for (std::size_t other = 0; other < after.size(); ++other) {
            followers[task][other] = after[other][task];
        }
    }
    return followers;
}

// The most events besides the start and the finish a tidy network of at
// most `dummies` dummies can have. Every event but the start has an arc in
// and every event but the finish one out, so n + d arcs leave few to spare:
// - an event with one arc in has a task ending there, or a dummy that twins
//   keep from contracting, one a twin but the first of its class;
// - an event with one arc in and one out links a task to its only follower
//   (itself its only predecessor), or holds a dummy that twins keep;
// - an event where no task ends has only dummies in, two at least unless
//   twins keep one; and the events where tasks of one set of followers end
//   are one, or each has a twin ending there.
// The same holds the other way round, by starts.
std::size_t innerLimit(const TaskOrder& after, const Twins& twins, std::size_t dummies) {
    const std::size_t tasks = after.size();
    const auto covers = [&](std::size_t low, std::size_t high) {
        bool direct = after[high][low];
        for (std::size_t between = 0; between < tasks; ++between) {
            direct = direct && !(after[between][low] && after[high][between]);
        }
        return direct;
    };
    std::size_t links = 0;
    for (std::size_t low = 0; low < tasks; ++low) {
        for (std::size_t high = 0; high < tasks; ++high) {
            std::size_t ups = 0;
            std::size_t downs = 0;
            for (std::size_t other = 0; other < tasks; ++other) {
                ups += covers(low, other);
                downs += covers(other, high);
            }
            links += covers(low, high) && ups == 1 && downs == 1;
        }
    }
    const std::size_t kept = std::min(twins.extra, dummies); // dummies twins keep
    const std::size_t arcsIn = tasks + dummies - 1;          // into inner events
    std::size_t limit = std::min((arcsIn + std::min(tasks + kept, arcsIn)) / 2,
                                 (2 * arcsIn + links + std::min(2 * twins.extra, dummies)) / 3);
    for (const TaskOrder& labels : {followersOf(after), after}) {
        std::map<std::vector<bool>, std::size_t> twinsBy;
        for (std::size_t task = 0; task < tasks; ++task) {
            twinsBy[labels[task]] += twins.twinned(task);
        }
        std::size_t hosts = 0;
        for (const auto& [label, count] : twinsBy) {
            hosts += std::max<std::size_t>(count, 1);
        }
        limit = std::min(limit, hosts + (dummies + kept) / 2 - 1);
    }
    return limit;
}

// The fewest events any network of the tasks has: one a distinct set of
// predecessors (or followers), and the finish (or the start) besides.
std::size_t eventFloor(const TaskOrder& after) {
    const auto distinct = [](TaskOrder sets) {
        std::sort(sets.begin(), sets.end());
        return std::size_t(std::unique(sets.begin(), sets.end()) - sets.begin());
    };
    return std::max(distinct(after), distinct(followersOf(after))) + 1;
}

// The network of the fewest events among those of at most `dummies`
// dummies, if one has at most `eventLimit` events.
std::optional<ArrowNetwork> fewestEvents(const TaskOrder& after, const Twins& twins,
                                         std::size_t dummies, std::size_t eventLimit) {
    const std::size_t most = std::min(eventLimit, innerLimit(after, twins, dummies) + 2);
    for (std::size_t events = eventFloor(after); events <= most; ++events) {
        if (auto network = NetworkClauses(after, twins, events, dummies).solve()) {
            return network;
        }
    }
    return std::nullopt;
}

} // namespace

// Down from the known network: each time the fewest events with fewer
// dummies than the last network, until none has fewer; that last question,
// unanswerable, is the proof.
ArrowNetwork fewestDummyNetwork(const TaskOrder& after, const ArrowNetwork& known) {
    const Twins twins(after);
    const std::size_t anyCount = static_cast<std::size_t>(-1);
    ArrowNetwork best = known;
    bool improved = false;
    while (best.dummyCount() > 0) {
        auto fewer = fewestEvents(after, twins, best.dummyCount() - 1, anyCount);
        if (!fewer) {
            break;
        }
        best = std::move(*fewer);
        improved = true;
    }
    if (!improved && known.eventCount > 2) {
        if (auto smaller = fewestEvents(after, twins, known.dummyCount(), known.eventCount - 1)) {
            best = std::move(*smaller);
        }
    }
    return best;
}

} // namespace arrowplan
