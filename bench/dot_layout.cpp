#include "dot_layout.h"

#include "model/chart_geometry.h"
#include "platform/twips.h"

#include <QProcess>

#include <sstream>
#include <stdexcept>

namespace arrowplan {

namespace {

constexpr int dotTimeoutMs = 60'000;

std::string dotOutput(const std::string& graph) {
    QProcess dot;
    dot.start("dot", {"-Tplain"});
    if (!dot.waitForStarted()) {
        throw std::runtime_error("dot cannot be started: ./scripts/setup.sh bench installs it");
    }
    dot.write(graph.data(), static_cast<qint64>(graph.size()));
    dot.closeWriteChannel();
    if (!dot.waitForFinished(dotTimeoutMs) || dot.exitCode() != 0) {
        throw std::runtime_error("dot failed: " + dot.readAllStandardError().toStdString());
    }
    return dot.readAllStandardOutput().toStdString();
}

// dot reads the nodes in the order the jobs first meet them, not by their
// numbers: an imported network is numbered by the places our
// layout gave it, and dot starts its own ordering from the order it reads.
std::string dotGraphOf(const Project& project) {
    std::ostringstream graph;
    graph << "digraph { rankdir=LR; splines=line; node [shape=circle, fixedsize=true, width="
          << 2 * chart_geometry::nodeRadius / twipsPerInch << "];\n";
    for (int job = 1; job <= project.edgeCount; ++job) {
        graph << "  " << nodeSlot(project.edgeFrom[job]) << " -> " << nodeSlot(project.edgeTo[job])
              << ";\n";
    }
    for (int node = 1; node <= project.nodeCount; ++node) {
        graph << "  " << node << ";\n"; // a node no job meets, after the rest
    }
    graph << "}\n";
    return graph.str();
}

} // namespace

// dot -Tplain gives "graph SCALE WIDTH HEIGHT", then "node NAME X Y ..." in
// inches with y upwards; the chart's y runs downwards.
Project placedByDot(const Project& project) {
    std::istringstream plain(dotOutput(dotGraphOf(project)));
    Project placed = project;
    double height = 0;
    int nodesPlaced = 0;
    std::string line;
    while (std::getline(plain, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "graph") {
            double scale = 0;
            double width = 0;
            fields >> scale >> width >> height;
        } else if (kind == "node") {
            int node = 0;
            double x = 0;
            double y = 0;
            if (!(fields >> node >> x >> y)) {
                throw std::runtime_error("dot gave a node line that cannot be read: " + line);
            }
            placed.nodeX[node] = static_cast<float>(x * twipsPerInch);
            placed.nodeY[node] = static_cast<float>((height - y) * twipsPerInch);
            ++nodesPlaced;
        }
    }
    if (nodesPlaced != project.nodeCount) {
        throw std::runtime_error("dot placed " + std::to_string(nodesPlaced) + " of " +
                                 std::to_string(project.nodeCount) + " nodes");
    }
    return placed;
}

} // namespace arrowplan
