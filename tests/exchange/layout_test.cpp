#include "editor/chart_readability.h"
#include "exchange/network_layout.h"
#include "exchange/task_file.h"
#include "exchange/task_project.h"
#include "judged_task_lists.h"
#include "model/project_file.h"
#include "platform/screen_surface.h"
#include "schedule/cpm.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

using namespace arrowplan;
using Arrows = std::vector<std::pair<int, int>>;

Q_DECLARE_METATYPE(Arrows)

namespace {

Arrows chain(int nodes) {
    Arrows arrows;
    for (int n = 1; n < nodes; ++n) {
        arrows.emplace_back(n - 1, n);
    }
    return arrows;
}

// Arrows between random pairs, the nodes numbered in a random order, so that
// arrows run from higher to lower numbers as often as the other way.
Arrows randomNetwork(std::mt19937& random, int nodes) {
    std::vector<int> label(static_cast<std::size_t>(nodes));
    std::iota(label.begin(), label.end(), 0);
    std::shuffle(label.begin(), label.end(), random);
    const auto pick = [&] { return random() % label.size(); };
    Arrows arrows;
    for (auto count = random() % 101; count > 0; --count) {
        const auto a = pick();
        const auto b = pick();
        if (a != b) {
            arrows.emplace_back(label[std::min(a, b)], label[std::max(a, b)]);
        }
    }
    return arrows;
}

// Whole twips inside the area, circles apart, every arrow to the right.
void verifyFitsTheArea(const std::vector<NodePlace>& places, const Arrows& arrows) {
    const LayoutArea area;
    for (std::size_t a = 0; a < places.size(); ++a) {
        const NodePlace& p = places[a];
        QVERIFY(p.x == std::round(p.x) && p.y == std::round(p.y));
        QVERIFY(p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom);
        for (std::size_t b = a + 1; b < places.size(); ++b) {
            QVERIFY2(std::hypot(p.x - places[b].x, p.y - places[b].y) >= 450,
                     qPrintable(QString("nodes %1 and %2").arg(a).arg(b)));
        }
    }
    for (const auto& [from, to] : arrows) {
        QVERIFY(places[std::size_t(to)].x > places[std::size_t(from)].x);
    }
}

// A plan as people write them: each task waits for none to three of the six
// before it.
TaskList randomPlan(std::mt19937& random) {
    TaskList list;
    const int count = 2 + static_cast<int>(random() % 39);
    for (int task = 0; task < count; ++task) {
        Task made;
        made.id = "t" + std::to_string(task);
        made.title = "Task " + std::to_string(task);
        made.time = static_cast<float>(1 + random() % 5);
        for (int before = std::max(0, task - 6); before < task; ++before) {
            if (random() % 6 < 2) {
                made.predecessors.push_back("t" + std::to_string(before));
            }
        }
        list.tasks.push_back(made);
    }
    return list;
}

} // namespace

Q_DECLARE_METATYPE(TaskList)

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void everyNetworkFitsTheArea_data() {
        QTest::addColumn<int>("nodes");
        QTest::addColumn<Arrows>("arrows");
        QTest::newRow("chain of 3") << 3 << chain(3);
        QTest::newRow("diamond") << 4 << Arrows{{0, 1}, {0, 2}, {1, 3}, {2, 3}};
        QTest::newRow("chain of 22") << 22 << chain(22);
        QTest::newRow("chain of 100") << 100 << chain(100);
        Arrows fan;
        for (int middle = 1; middle < 50; ++middle) {
            fan.insert(fan.end(), {{0, middle}, {middle, 50}});
        }
        QTest::newRow("49 between a source and a sink") << 51 << fan;
        QTest::newRow("100 without arrows") << 100 << Arrows{};
        QTest::newRow("drawn by hand")
            << 9 << Arrows{{0, 2}, {0, 2}, {1, 2}, {2, 3}, {2, 3}, {3, 5}, {1, 6}, {6, 8}, {5, 8}};
        std::mt19937 random(2024);
        for (int seed = 0; seed < 120; ++seed) {
            const int nodes = static_cast<int>(random() % 100) + 1;
            QTest::addRow("random %d", seed) << nodes << randomNetwork(random, nodes);
        }
    }

    void everyNetworkFitsTheArea() {
        QFETCH(int, nodes);
        QFETCH(Arrows, arrows);
        const std::vector<NodePlace> places = layOutNetwork(nodes, arrows);
        QCOMPARE(places.size(), static_cast<std::size_t>(nodes));
        QVERIFY(places == layOutNetwork(nodes, arrows));
        verifyFitsTheArea(places, arrows);
    }

    // A chain, the chain 0-1-3-4 with a branch to 2 (the fork between its
    // two ends), and two chains, 0-3-4 and 1-2-5, each drawn across the other
    // in the order of their numbers.
    void chainsRunLevelAndUncrossed() {
        const auto y = [](const std::vector<NodePlace>& places, int node) {
            return places[std::size_t(node)].y;
        };
        const std::vector<NodePlace> line = layOutNetwork(5, chain(5));
        QVERIFY(std::all_of(line.begin(), line.end(), [&](auto p) { return p.y == line[0].y; }));
        const std::vector<NodePlace> branch = layOutNetwork(5, {{0, 1}, {0, 2}, {1, 3}, {3, 4}});
        QVERIFY(y(branch, 1) == y(branch, 3) && y(branch, 3) == y(branch, 4));
        QVERIFY((y(branch, 0) - y(branch, 1)) * (y(branch, 0) - y(branch, 2)) <= 0);
        const std::vector<NodePlace> two = layOutNetwork(6, {{0, 3}, {1, 2}, {3, 4}, {2, 5}});
        QVERIFY((y(two, 0) < y(two, 1)) == (y(two, 3) < y(two, 2)));
        QVERIFY((y(two, 3) < y(two, 2)) == (y(two, 4) < y(two, 5)));
    }

    // The charts the program lays out itself: the examples imported and
    // tidied, the lists the benchmark judges the layout on, and random plans.
    // Every one stays inside the area, nodes apart, arrows to the right (the
    // same twice, as the networks above show); up to 60 events no two arrows
    // overlap and every arrow keeps clear of the nodes it does not join; the
    // examples keep every label clear, measured with the window's font.
    void chartsReadable_data() {
        QTest::addColumn<TaskList>("list");
        QTest::addColumn<QString>("file");  // a task list to import, or a drawn project to tidy
        QTest::addColumn<bool>("labelled"); // no label on a circle or a label
        for (const char* example :
             {"house.csv", "house.xml", "demo.cpm", "house.cpm", "yard.cpm"}) {
            QTest::newRow(example) << TaskList() << QString(example) << true;
        }
        for (const NamedTaskList& judged : judgedTaskLists()) {
            QTest::newRow(judged.name.c_str()) << judged.list << QString() << false;
        }
        std::mt19937 random(11);
        for (int plan = 0; plan < 200; ++plan) {
            QTest::addRow("plan %d", plan) << randomPlan(random) << QString() << false;
        }
    }

    void chartsReadable() {
        QFETCH(TaskList, list);
        QFETCH(QString, file);
        QFETCH(bool, labelled);
        const std::string path = ARROWPLAN_EXAMPLES "/" + file.toStdString();
        std::vector<ImportWarning> warnings;
        Project project;
        if (file.isEmpty()) {
            project = projectOfTasks(list, warnings);
        } else if (file.endsWith(".cpm")) {
            QVERIFY(!loadProjectFile(path, project));
            tidyLayout(project);
        } else {
            project = importTaskFile(path, warnings);
        }
        std::vector<NodePlace> places;
        for (int node = 1; node <= project.nodeCount; ++node) {
            places.push_back({project.nodeX[node], project.nodeY[node]});
        }
        Arrows arrows;
        for (int job = 1; job <= project.edgeCount; ++job) {
            arrows.emplace_back(int(nodeSlot(project.edgeFrom[job])) - 1,
                                int(nodeSlot(project.edgeTo[job])) - 1);
        }
        verifyFitsTheArea(places, arrows);
        computeSchedule(project);
        ScreenSurface metrics(colours::windowBack, colours::black, [] { return QSize(); });
        const ChartReadability counts = readabilityOf(project, metrics);
        if (project.nodeCount <= 60) {
            QCOMPARE(counts.overlaps, 0);
            QCOMPARE(counts.arrowsThroughNodes, 0);
        }
        QVERIFY(!labelled || counts.textCollisions == 0);
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
