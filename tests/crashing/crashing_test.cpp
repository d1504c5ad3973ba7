// The least-cost curve: against a published one, against every combination
// of shortenings on small random networks, and where shortening the cheapest
// critical job pays more than it need.

#include "crashing/curve_plot.h"
#include "crashing/time_cost.h"
#include "model/number_text.h"
#include "model/project_file.h"
#include "platform/qt_text.h"
#include "platform/recording_surface.h"
#include "project_builder.h"
#include "schedule/cpm.h"

#include <QRegularExpression>
#include <QTest>

#include <map>
#include <random>

using namespace arrowplan;
using arrowplan::testing::projectOf;

Q_DECLARE_METATYPE(arrowplan::Project)

namespace {

// Job j can be done in crashTime, each week saved costing weekCost.
void crashable(Project& project, int job, float crashTime, double weekCost) {
    project.jobCrashTime[job] = crashTime;
    project.jobCrashCost[job] =
        project.jobAmount[job] +
        Currency::fromDouble(weekCost * (project.edgeWeight[job] - crashTime));
}

// The project's length and direct cost with its jobs at these times, as the
// schedule counts them.
std::pair<Currency, double> outcomeOf(Project& project, const std::vector<float>& times) {
    const Project normal = project;
    double cost = 0;
    for (int j = 1; j <= project.edgeCount; ++j) {
        cost += project.jobAmount[j].toDouble();
        const float saved = project.edgeWeight[j] - times[static_cast<std::size_t>(j - 1)];
        if (saved > 0) {
            cost += (project.jobCrashCost[j] - project.jobAmount[j]).toDouble() * saved /
                    (project.edgeWeight[j] - project.jobCrashTime[j]);
        }
        project.edgeWeight[j] = times[static_cast<std::size_t>(j - 1)];
    }
    computeSchedule(project);
    const Currency length = project.earlyTime[project.nodeCount];
    project.edgeWeight = normal.edgeWeight;
    return {length, cost};
}

std::vector<float> planned(const Project& project, const CurvePoint& point) {
    std::vector<float> times;
    for (int j = 1; j <= project.edgeCount; ++j) {
        times.push_back(project.edgeWeight[j]);
    }
    for (const Shortening& shortening : point.shortened) {
        times[static_cast<std::size_t>(shortening.job - 1)] -=
            static_cast<float>(shortening.by.toDouble());
    }
    return times;
}

// "42* 60000 10:2": the length (starred at a break point), the direct cost
// above the normal length's, and each job shortened by how much.
QString shown(const CurvePoint& point, Currency normalCost) {
    QString text = toQString(plainText(point.length)) + (point.breakPoint ? "* " : " ") +
                   toQString(plainText(point.directCost - normalCost));
    for (const Shortening& shortening : point.shortened) {
        text += QString(" %1:%2").arg(shortening.job).arg(toQString(plainText(shortening.by)));
    }
    return text;
}

// Jobs A 1-2, B 1-3, C 2-3, D 2-4 and E 3-4: paths A-D and B-E of 9 weeks,
// A-C-E of 10.
Project bridge() {
    Project project = projectOf(4, {{1, 2, 3}, {1, 3, 6}, {2, 3, 4}, {2, 4, 6}, {3, 4, 3}});
    crashable(project, 1, 1, 3);
    crashable(project, 2, 4, 5);
    crashable(project, 3, 2, 1);
    crashable(project, 4, 4, 5);
    crashable(project, 5, 1, 3);
    project.indirectCostPerWeek = Currency::fromWhole(5);
    return project;
}

// A random network of up to 7 events and 9 jobs on a grid of half weeks,
// small enough to try every combination of its jobs' times.
Project randomNetwork(std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int events = pick(2, 7);
    Project project = projectOf(events, {});
    const int jobs = pick(events - 1, 9);
    int combinations = 1;
    for (int j = 1; j <= jobs; ++j) {
        // A chain through every event first, so that the finish is reached.
        const int from = j < events ? j : pick(1, events - 1);
        project.edgeCount = static_cast<std::int16_t>(j);
        project.edgeFrom[j] = Currency::fromWhole(from);
        project.edgeTo[j] =
            Currency::fromWhole(j < events ? j + 1 : pick(from + 1, std::min(from + 2, events)));
        project.edgeWeight[j] = static_cast<float>(pick(0, 10)) / 2;
        project.jobDelay[j] = Currency::fromUnits(5000 * pick(-1, 2));
        project.jobAmount[j] = Currency::fromWhole(pick(0, 100));
        const int steps = pick(0, static_cast<int>(project.edgeWeight[j] * 2));
        if (combinations * (steps + 1) <= 20000 && pick(0, 4) > 0) {
            combinations *= steps + 1;
            crashable(project, j, project.edgeWeight[j] - static_cast<float>(steps) / 2,
                      pick(0, 9));
        }
    }
    project.indirectCostPerWeek = Currency::fromWhole(pick(0, 12));
    return project;
}

// The least direct cost of every length the jobs' half weeks reach.
std::map<Currency, double> everyCombination(Project& project) {
    std::map<Currency, double> least;
    std::vector<float> times(static_cast<std::size_t>(project.edgeCount));
    const auto next = [&](auto& self, int j) -> void {
        if (j > project.edgeCount) {
            const auto [length, cost] = outcomeOf(project, times);
            const auto known = least.find(length);
            if (known == least.end() || cost < known->second) {
                least[length] = cost;
            }
            return;
        }
        const float shortest =
            hasCrashData(project, j) ? project.jobCrashTime[j] : project.edgeWeight[j];
        for (float time = project.edgeWeight[j]; time >= shortest; time -= 0.5f) {
            times[static_cast<std::size_t>(j - 1)] = time;
            self(self, j + 1);
        }
    };
    next(next, 1);
    return least;
}

} // namespace

class CrashingTest : public QObject {
    Q_OBJECT

  private slots:
    void knownCurves_data() {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QStringList>("points"); // the first of the curve
        QTest::addColumn<QString>("leastTotal");
        // Hillier and Lieberman, Introduction to Operations Research: the
        // Reliable Construction Co. project, whose marginal cost analysis
        // crashes J (job 10) twice, then F (job 6) twice, to 40 weeks for
        // $140,000. The example adds an indirect cost of $35,000 a week.
        Project plant;
        QVERIFY(!loadProjectFile(ARROWPLAN_EXAMPLES "/plant.cpm", plant));
        QTest::newRow("published") << plant
                                   << QStringList{"44 0", "43 30000 10:1", "42* 60000 10:2",
                                                  "41 100000 6:1 10:2", "40* 140000 6:2 10:2"}
                                   << "42";
        // Shortening the cheapest critical job, C, to 9 weeks and then A and E
        // to 8 pays 7; the least is 6, with C lengthened back.
        QTest::newRow("greedy pays more") << bridge()
                                          << QStringList{"10 0",
                                                         "9* 1 3:1",
                                                         "8* 6 1:1 5:1",
                                                         "7* 12 1:2 5:2",
                                                         "6* 22 1:2 2:1 4:1 5:2",
                                                         "5 33 1:2 2:2 3:1 4:2 5:2"}
                                          << "9 8";
    }
    void knownCurves() {
        QFETCH(Project, project);
        QFETCH(QStringList, points);
        QFETCH(QString, leastTotal);
        const TimeCostCurve curve = timeCostCurve(project);
        QStringList first;
        for (std::size_t i = 0; i < static_cast<std::size_t>(points.size()); ++i) {
            first << shown(curve.points.at(i), curve.points.front().directCost);
        }
        QCOMPARE(first, points);
        QStringList least;
        for (const std::size_t index : curve.leastTotal) {
            least << toQString(plainText(curve.points[index].length));
        }
        QCOMPARE(least.join(' '), leastTotal);
    }

    // Every length of the curve costs what the cheapest combination of
    // shortenings that finishes by then costs, and its plan finishes then
    // at that cost; the curve runs from the normal length to the shortest a
    // week apart at most, and marks exactly the lengths where the cost of a
    // half week saved changes; the least total cost is the least over every
    // length, at the longest that has it.
    void agreesWithEveryCombination() {
        std::mt19937 random(28);
        for (int network = 0; network < 300; ++network) {
            Project project = randomNetwork(random);
            const std::map<Currency, double> least = everyCombination(project);
            const TimeCostCurve curve = timeCostCurve(project);
            const auto cost = [&](Currency length) { // of the cheapest plan finishing by then
                double best = std::numeric_limits<double>::infinity();
                for (auto it = least.begin(); it != least.upper_bound(length); ++it) {
                    best = std::min(best, it->second);
                }
                return best;
            };
            const std::string name = "network " + std::to_string(network);
            QVERIFY2(curve.points.front().length == least.rbegin()->first, name.c_str());
            QVERIFY2(curve.points.back().length == least.begin()->first, name.c_str());
            const Currency half = Currency::fromUnits(5000);
            std::vector<Currency> breaks;
            std::pair<double, Currency> bestTotal{std::numeric_limits<double>::infinity(), {}};
            for (Currency t = least.begin()->first; t <= least.rbegin()->first; t += half) {
                if (t != least.begin()->first && t != least.rbegin()->first &&
                    cost(t - half) + cost(t + half) != 2 * cost(t)) {
                    breaks.push_back(t);
                }
                const double total =
                    cost(t) + project.indirectCostPerWeek.toDouble() * t.toDouble();
                if (total <= bestTotal.first) {
                    bestTotal = {total, t};
                }
            }
            std::vector<Currency> marked;
            for (std::size_t i = 0; i < curve.points.size(); ++i) {
                const CurvePoint& point = curve.points[i];
                QVERIFY2(i == 0 ||
                             curve.points[i - 1].length - point.length <= Currency::fromWhole(1),
                         name.c_str());
                QCOMPARE(point.directCost.toDouble(), cost(point.length));
                const auto [length, planCost] = outcomeOf(project, planned(project, point));
                QCOMPARE(length, point.length);
                QCOMPARE(planCost, point.directCost.toDouble());
                if (point.breakPoint) {
                    marked.push_back(point.length);
                }
            }
            std::reverse(marked.begin(), marked.end());
            QVERIFY2(marked == breaks, name.c_str());
            const CurvePoint& chosen = curve.points[curve.leastTotal.front()];
            QCOMPARE(chosen.totalCost.toDouble(), bestTotal.first);
            QCOMPARE(chosen.length, bestTotal.second);
        }
    }

    // The plan of 40 weeks put into the plant: it is scheduled at 40 weeks,
    // and since the plant's plans only ever add shortenings, its curve goes
    // on as before.
    void crashesToALength() {
        Project plant;
        QVERIFY(!loadProjectFile(ARROWPLAN_EXAMPLES "/plant.cpm", plant));
        const TimeCostCurve before = timeCostCurve(plant);
        crashTo(plant, before.points[4]);
        computeSchedule(plant);
        QCOMPARE(plant.earlyTime[plant.nodeCount], Currency::fromWhole(40));
        QCOMPARE(plant.edgeWeight[10], 6.0f);
        QCOMPARE(plant.jobAmount[10], Currency::fromWhole(490000));
        const TimeCostCurve after = timeCostCurve(plant);
        QCOMPARE(after.points.size(), before.points.size() - 4);
        for (std::size_t i = 0; i < after.points.size(); ++i) {
            QCOMPARE(after.points[i].length, before.points[i + 4].length);
            QCOMPARE(after.points[i].directCost, before.points[i + 4].directCost);
        }
    }

    // Each cost is a line through every length (and its sample in the
    // legend), the total's lowest where the dotted line stands.
    void plotsEveryLength() {
        Project plant;
        QVERIFY(!loadProjectFile(ARROWPLAN_EXAMPLES "/plant.cpm", plant));
        const TimeCostCurve curve = timeCostCurve(plant);
        RecordingSurface surface(12000, 8000, colours::white);
        drawCurvePlot(curve, surface);
        std::map<QString, QList<QPointF>> ends; // of the lines of each colour, and dotted
        QString pen;
        for (const std::string& operation : surface.operations()) {
            const QStringList words = toQString(operation).split(QRegularExpression("[ ,]"));
            if (words[0] == "colour" || words[0] == "style") {
                pen = words[1];
            } else if (words[0] == "line") {
                ends[pen] << QPointF(words[1].toDouble(), words[2].toDouble())
                          << QPointF(words[3].toDouble(), words[4].toDouble());
            }
        }
        const qsizetype lines = static_cast<qsizetype>(curve.points.size());
        for (const Colour colour : {directCostColour, indirectCostColour, totalCostColour}) {
            QCOMPARE(ends[QString("%1").arg(colour, 6, 16, QChar('0')).toUpper()].size(),
                     2 * lines);
        }
        const QList<QPointF>& total = ends["0000FF"];
        const auto lowest = std::max_element(total.begin() + 2, total.end(),
                                             [](QPointF a, QPointF b) { return a.y() < b.y(); });
        QCOMPARE(ends["dotted"].front().x(), lowest->x());
    }

    void refusesWhatCannotBeTraded() {
        Project project = bridge();
        project.jobCrashCost[2] = project.jobAmount[2] - Currency::fromWhole(1);
        QVERIFY_THROWS_EXCEPTION(CrashError, timeCostCurve(project));
        project = bridge();
        project.jobCrashTime[4] = 6.5f;
        try {
            timeCostCurve(project);
            QFAIL("a crash time above the time was taken");
        } catch (const CrashError& error) {
            QCOMPARE(QString(error.what()), "job 4's crash time (6.5) is above its time (6)");
        }
    }
};

QTEST_APPLESS_MAIN(CrashingTest)
#include "crashing_test.moc"
