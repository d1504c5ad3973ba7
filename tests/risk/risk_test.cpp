#include "platform/recording_surface.h"
#include "project_builder.h"
#include "risk/classic_pert.h"
#include "risk/monte_carlo.h"
#include "risk/risk_plots.h"
#include "risk/sampling.h"
#include "schedule/cpm.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

using namespace arrowplan;
using arrowplan::testing::projectOf;

namespace {

RiskJob estimated(int from, int to, ThreePoint estimate, double delay = 0) {
    return {from, to, 0, delay, estimate};
}

RiskJob fixedJob(int from, int to, double duration) {
    return {from, to, duration, 0, std::nullopt};
}

// The distribution function of a triangular (a, c, b).
double triangularCdf(ThreePoint t, double x) {
    const auto& [a, c, b] = t;
    if (x <= a) {
        return 0;
    }
    if (x <= c) {
        return (x - a) * (x - a) / ((b - a) * (c - a));
    }
    return x >= b ? 1 : 1 - (b - x) * (b - x) / ((b - a) * (b - c));
}

// What a network's finish is known to be, from its construction.
struct Known {
    RiskNetwork network;
    RiskDistribution distribution = RiskDistribution::triangular;
    double mean = 0;
    double variance = 0;
    std::function<double(double)> cdf{}; // where the whole distribution is known
    std::vector<double> criticality{};
    std::vector<double> sensitivity{};
    std::vector<int> mergeNodes{};
    double mergeDelay = 0; // at every merge event
};

// n jobs side by side from node 1 to node 2: the finish is their maximum, of
// distribution F(x)^n (for (80, 100, 120) a median of 104.7 for two, 108.7 for
// four, against the 100 of classic PERT). Its mean and variance come from
// E[X^k] = a^k + integral over [a, b] of k x^(k-1) (1 - F(x)^n), by Simpson's rule.
Known sideBySide(int n, ThreePoint t) {
    Known known{{2, {}}};
    const auto cdf = [t, n](double x) { return std::pow(triangularCdf(t, x), n); };
    const auto moment = [&](int k) {
        const int steps = 20'000;
        const double h = (t.pessimistic - t.optimistic) / steps;
        double sum = 0;
        for (int i = 0; i <= steps; ++i) {
            const double x = t.optimistic + i * h;
            const double weight = i == 0 || i == steps ? 1 : (i % 2 ? 4 : 2);
            sum += weight * k * std::pow(x, k - 1) * (1 - cdf(x));
        }
        return std::pow(t.optimistic, k) + sum * h / 3;
    };
    known.mean = moment(1);
    known.variance = moment(2) - known.mean * known.mean;
    for (int j = 0; j < n; ++j) {
        known.network.jobs.push_back(estimated(1, 2, t));
        known.criticality.push_back(1.0 / n);
        known.sensitivity.push_back(distributionSigma(t, known.distribution) / n /
                                    std::sqrt(known.variance));
    }
    known.cdf = cdf;
    known.mergeDelay = known.mean - (t.optimistic + t.mostLikely + t.pessimistic) / 3;
    if (n > 1) {
        known.mergeNodes = {2};
    }
    return known;
}

// Three jobs in a row: the finish's mean and variance are the sums.
Known chain(RiskDistribution distribution) {
    const std::vector<ThreePoint> estimates{{2, 4, 9}, {1, 3, 5}, {4, 5, 12}};
    Known known{{4, {}}, distribution};
    for (int j = 0; j < 3; ++j) {
        const ThreePoint& t = estimates[static_cast<std::size_t>(j)];
        known.network.jobs.push_back(estimated(j + 1, j + 2, t, j == 0 ? 1 : 0));
        const double sigma = distributionSigma(t, distribution);
        known.mean += (distribution == RiskDistribution::pertBeta
                           ? pertMean(t)
                           : (t.optimistic + t.mostLikely + t.pessimistic) / 3) +
                      (j == 0 ? 1 : 0);
        known.variance += sigma * sigma;
        known.criticality.push_back(1);
        known.sensitivity.push_back(sigma);
    }
    for (double& sensitivity : known.sensitivity) {
        sensitivity /= std::sqrt(known.variance);
    }
    return known;
}

// Job 1-3 takes -1.5 weeks (2.5 with a delay of -4), so node 3 is at 0 as
// the schedule has it and the critical path starts there. Two paths tie at
// the finish, 8.7 (8 + 0.3 + 0.4 against 8 + 0.7, which as doubles come to
// 8.700000000000001 and 8.7), node 6 leads nowhere, job 3-7 has slack.
Project fixedProject() {
    return projectOf(7, {{1, 2, 4},
                         {1, 3, 2.5f, -4},
                         {2, 4, 3},
                         {3, 4, 8},
                         {2, 6, 1},
                         {4, 5, 0.3f},
                         {5, 7, 0.4f},
                         {4, 7, 0.7f},
                         {3, 7, 0}});
}

Known withoutEstimates() {
    Project project = fixedProject();
    computeSchedule(project);
    Known known{riskNetworkOf(project, std::vector<std::optional<ThreePoint>>(9))};
    known.mean = project.earlyTime[7].toDouble();
    known.mergeNodes = {4, 7};
    for (int j = 1; j <= project.edgeCount; ++j) {
        known.criticality.push_back(isCritical(project, j) ? 1 : 0);
        known.sensitivity.push_back(0);
    }
    return known;
}

// The x at which an increasing distribution function reaches p, by bisection.
double quantile(const std::function<double(double)>& cdf, double p, double low, double high) {
    for (int i = 0; i < 100; ++i) {
        const double middle = (low + high) / 2;
        (cdf(middle) < p ? low : high) = middle;
    }
    return low;
}

RiskNetwork mixedNetwork() {
    return riskNetworkOf(fixedProject(),
                         {ThreePoint{1, 4, 6}, std::nullopt, ThreePoint{2, 3, 8},
                          ThreePoint{1, 2, 2}, std::nullopt, ThreePoint{0, 0.1, 0.5},
                          ThreePoint{0.1, 0.1, 0.1}, ThreePoint{0.2, 0.3, 3}, std::nullopt});
}

// A line or rectangle a plot drew, with the colour, style and width in force.
struct Shape {
    bool rectangle;
    double x1, y1, x2, y2;
    QString colour;
    QString style;
    int width;
};

std::vector<Shape> shapesDrawn(const RecordingSurface& surface) {
    std::vector<Shape> shapes;
    QString colour;
    QString style = "solid";
    int width = 1;
    for (const std::string& operation : surface.operations()) {
        const QStringList words = QString::fromStdString(operation).split(' ');
        if (words[0] == "colour") {
            colour = words[1];
        } else if (words[0] == "style") {
            style = words[1];
        } else if (words[0] == "width") {
            width = words[1].toInt();
        } else if (words[0] == "line" || words[0] == "rect") {
            const QStringList from = words[1].split(',');
            const QStringList to = words[2].split(',');
            shapes.push_back({words[0] == "rect", from[0].toDouble(), from[1].toDouble(),
                              to[0].toDouble(), to[1].toDouble(), colour, style, width});
        }
    }
    return shapes;
}

bool within(const Shape& shape, const PlotArea& frame) {
    const double e = 0.01; // the recording's rounding
    return std::min(shape.x1, shape.x2) >= frame.left - e &&
           std::max(shape.x1, shape.x2) <= frame.right() + e &&
           std::min(shape.y1, shape.y2) >= frame.top - e &&
           std::max(shape.y1, shape.y2) <= frame.bottom() + e;
}

} // namespace

Q_DECLARE_METATYPE(Known)
Q_DECLARE_METATYPE(arrowplan::RiskNetwork)
Q_DECLARE_METATYPE(arrowplan::MonteCarloOptions)

class RiskTest : public QObject {
    Q_OBJECT

  private slots:
    // The figures are compared within the simulation's error: four standard
    // errors of 100,000 runs for means, shares and percentiles, more where an
    // estimate of an estimate comes in (variances, sensitivities, merge delays).
    void knownAnswers_data() {
        QTest::addColumn<Known>("known");
        QTest::newRow("a chain, triangular") << chain(RiskDistribution::triangular);
        QTest::newRow("a chain, PERT-beta") << chain(RiskDistribution::pertBeta);
        QTest::newRow("one skewed job") << sideBySide(1, {2, 3, 10});
        QTest::newRow("2 side by side") << sideBySide(2, {80, 100, 120});
        QTest::newRow("4 side by side") << sideBySide(4, {80, 100, 120});
        QTest::newRow("no estimates") << withoutEstimates();
    }
    void knownAnswers() {
        QFETCH(Known, known);
        const int runs = 100'000;
        const auto result =
            runMonteCarlo(known.network, {runs, 2024, known.distribution, known.mean, 2});
        QVERIFY(result);
        const double n = runs;
        const double sigma = std::sqrt(known.variance);
        QVERIFY2(std::abs(result->mean - known.mean) <= 4 * sigma / std::sqrt(n) + 1e-9,
                 qPrintable(QString::number(result->mean, 'g', 10)));
        // The sample variance's own standard deviation is the variance times
        // sqrt((kurtosis - 1) / n), and none of these has a kurtosis above 3.
        const double variance = result->sigma * result->sigma;
        QVERIFY(std::abs(variance - known.variance) <= 6 * known.variance / std::sqrt(n) + 1e-9);
        if (known.cdf) {
            const std::array<std::pair<double, double>, 2> percentiles{
                {{0.5, result->percentiles.p50}, {0.8, result->percentiles.p80}}};
            for (const auto& [p, found] : percentiles) {
                const double x = quantile(known.cdf, p, 0, 1000);
                const double density = (known.cdf(x + 1e-4) - known.cdf(x - 1e-4)) / 2e-4;
                QVERIFY2(std::abs(found - x) <= 4 * std::sqrt(p * (1 - p) / n) / density,
                         qPrintable(QString("%1 against %2").arg(found).arg(x)));
            }
        } else {
            QVERIFY(std::abs(result->percentiles.p50 - known.mean) <= 0.1 * sigma + 1e-9);
        }
        if (known.variance == 0) {
            QVERIFY(result->sortedFinishes.front() >= known.mean - 1e-9);
            QVERIFY(result->sortedFinishes.back() <= known.mean + 1e-9);
            QCOMPARE(*result->chanceByWeek, 1.0);
        } else if (known.cdf) {
            const double p = known.cdf(known.mean);
            QVERIFY(std::abs(*result->chanceByWeek - p) <= 4 * std::sqrt(p * (1 - p) / n));
        }
        for (std::size_t j = 0; j < known.criticality.size(); ++j) {
            const double c = known.criticality[j];
            QVERIFY(std::abs(result->jobs[j].criticality - c) <= 4 * std::sqrt(c * (1 - c) / n));
            QVERIFY(std::abs(result->jobs[j].sensitivity - known.sensitivity[j]) <=
                    0.03 * known.sensitivity[j]);
        }
        QCOMPARE(result->merges.size(), known.mergeNodes.size());
        for (std::size_t k = 0; k < known.mergeNodes.size(); ++k) {
            const MergeDelay& merge = result->merges[k];
            QCOMPARE(merge.node, known.mergeNodes[k]);
            QVERIFY2(std::abs(merge.delay - known.mergeDelay) <= 8 * sigma / std::sqrt(n) + 1e-9,
                     qPrintable(QString::number(merge.delay)));
        }
    }

    // Job 4 ties job 2 into node 4 at 10 weeks; its path has the larger
    // variance, 116/36 against 100/36, so it is the one taken though it comes
    // later. P(finish <= 13) = Phi(1 / (sqrt(116) / 6)) = Phi(0.5571) = 0.7113.
    void classicPertByHand() {
        const RiskNetwork network{5,
                                  {estimated(1, 3, {1, 2, 9}), estimated(3, 4, {3, 6, 9}, 1),
                                   estimated(1, 2, {2, 4, 6}), estimated(2, 4, {3, 5, 13}),
                                   fixedJob(1, 4, 9), fixedJob(4, 5, 2)}};
        const ClassicPert pert = classicPert(network, 13);
        QCOMPARE(pert.criticalPath, (std::vector<int>{2, 3, 5}));
        QCOMPARE(pert.mean, 12.0);
        QVERIFY(std::abs(pert.sigma - std::sqrt(116) / 6) < 1e-12);
        QVERIFY(std::abs(*pert.chanceByWeek - 0.7113) < 1e-4);
        QVERIFY(std::abs(pert.jobs[1].mean - 7) < 1e-12);
        QVERIFY(std::abs(pert.jobs[1].sigma - 1) < 1e-12);
        QCOMPARE(pert.jobs[4].mean, 9.0);
        QCOMPARE(pert.jobs[4].sigma, 0.0);

        // Without estimates the path is the schedule's, ties within doubles' rounding.
        const ClassicPert fixed = classicPert(withoutEstimates().network, 8.7);
        QCOMPARE(fixed.criticalPath, (std::vector<int>{3, 5, 6}));
        QVERIFY(std::abs(fixed.mean - 8.7) < 1e-12);
        QCOMPARE(fixed.sigma, 0.0);
        QCOMPARE(*fixed.chanceByWeek, 1.0);
    }

    void sameFiguresWhateverTheThreads() {
        for (const RiskDistribution distribution :
             {RiskDistribution::triangular, RiskDistribution::pertBeta}) {
            const RiskNetwork network = mixedNetwork();
            MonteCarloOptions options{5'500, 77, distribution, 8.0, 1};
            RunControl control;
            const auto once = runMonteCarlo(network, options, &control);
            QVERIFY(once);
            QCOMPARE(control.runsDone.load(), options.runs);
            QVERIFY(once == runMonteCarlo(network, options));
            for (const unsigned threads : {3u, 4u}) {
                options.threads = threads;
                QVERIFY(once == runMonteCarlo(network, options));
            }
            options.seed = 78;
            QVERIFY(once->sortedFinishes != runMonteCarlo(network, options)->sortedFinishes);
            control.cancel = true;
            QVERIFY(!runMonteCarlo(network, options, &control));
        }
        // splitmix64's published first outputs from seed 0.
        QCOMPARE(blockSeed(0, 0), std::uint64_t{0xE220A8397B1DCDAF});
        QCOMPARE(blockSeed(0, 1), std::uint64_t{0x6E789E6AA1B965F4});
    }

    // The smallest finish at least the share of runs reach, and bins from
    // the first finish to the last.
    void percentilesAndHistogram() {
        const std::vector<double> finishes{1, 2, 2, 3, 4, 5, 6, 7, 8, 9};
        QCOMPARE(finishPercentile(finishes, 10), 1.0);
        QCOMPARE(finishPercentile(finishes, 11), 2.0);
        QCOMPARE(finishPercentile(finishes, 50), 4.0);
        QCOMPARE(finishPercentile(finishes, 95), 9.0);
        QCOMPARE(finishPercentile({6}, 10), 6.0);
        const FinishHistogram histogram = finishHistogram(finishes, 4);
        QCOMPARE(histogram.lowest, 1.0);
        QCOMPARE(histogram.binWidth, 2.0);
        QCOMPARE(histogram.counts, (std::vector<int>{3, 2, 2, 3}));
        QCOMPARE(finishHistogram({3, 3}, 2).counts, (std::vector<int>{2, 0}));
    }

    void logarithmWithinTwoUnitsInTheLastPlace() {
        QCOMPARE(reproducibleLog(1), 0.0);
        for (int exponent = -1074; exponent < 1024; exponent += 3) {
            for (const double mantissa : {1.0, 1.1, 1.37, 1.4142, 1.5, 1.8, 1.99}) {
                const double x = std::ldexp(mantissa, exponent);
                const double exact = std::log(x);
                const double unit = std::nextafter(std::abs(exact), INFINITY) - std::abs(exact);
                QVERIFY(std::abs(reproducibleLog(x) - exact) <= 2 * unit);
            }
        }
    }

    // The finish plot of four jobs side by side: the bars and the S-curve
    // stay in the frame, from the first finish to the last, and P50 (108.7,
    // where classic PERT says 100) is marked at its week; the jobs' bars come
    // largest first.
    void plotsDrawWhereTheirWeeksAre() {
        const MonteCarloOptions settings{2000, 3, RiskDistribution::triangular, 105.0};
        const RiskNetwork network = sideBySide(4, {80, 100, 120}).network;
        const RiskFigures figures{"Four",
                                  settings,
                                  network,
                                  {"a", "b", "c", "d"},
                                  classicPert(network, 105.0),
                                  *runMonteCarlo(network, settings)};
        const double p50 = figures.simulation.percentiles.p50;
        QVERIFY(std::abs(p50 - 108.7) < 0.5);
        RecordingSurface surface(20000, 12000, colours::white);
        const PlotArea area{1000, 500, 9000, 6000};
        drawFinishPlot(surface, figures, area);
        const FinishScale scale = finishScale(surface, figures, area);
        const std::vector<Shape> shapes = shapesDrawn(surface);
        std::vector<Shape> bars;
        std::vector<Shape> curve;
        std::vector<double> marks;
        for (const Shape& shape : shapes) {
            if (shape.rectangle && shape.colour == "A06030") {
                bars.push_back(shape);
            } else if (!shape.rectangle && shape.width == 2 && shape.colour == "2030C0") {
                curve.push_back(shape);
            } else if (shape.style == "dashed") {
                QCOMPARE(shape.y1, scale.frame.top);
                QCOMPARE(shape.y2, scale.frame.bottom());
                marks.push_back(shape.x1);
            }
        }
        QCOMPARE(curve.size(), std::size_t{100});
        const double tallest =
            std::min_element(bars.begin(), bars.end(), [](const Shape& a, const Shape& b) {
                return a.y1 < b.y1;
            })->y1;
        QVERIFY(std::abs(tallest - (scale.frame.bottom() - 0.9 * scale.frame.height)) < 0.01);
        for (const auto& drawn : {bars, curve}) {
            QVERIFY(std::all_of(drawn.begin(), drawn.end(),
                                [&](const Shape& s) { return within(s, scale.frame); }));
        }
        const std::vector<double>& finishes = figures.simulation.sortedFinishes;
        QCOMPARE(bars.front().x1, std::round(scale.x(finishes.front()) * 100) / 100);
        QCOMPARE(bars.back().x2, std::round(scale.x(finishes.back()) * 100) / 100);
        QCOMPARE(curve.back().y2, scale.frame.top); // every run by the last finish
        QCOMPARE(marks.size(), std::size_t{2});
        QVERIFY(std::abs(marks[0] - scale.x(p50)) < 0.01);
        QVERIFY(scale.x(100) < marks[0] && scale.x(105) < marks[0] && marks[0] < marks[1]);

        for (const JobMeasure measure : {JobMeasure::criticality, JobMeasure::sensitivity}) {
            RecordingSurface bySurface(20000, 12000, colours::white);
            drawJobBars(bySurface, figures, measure, area);
            std::vector<double> lengths;
            for (const Shape& shape : shapesDrawn(bySurface)) {
                QVERIFY(shape.rectangle && shape.x2 <= area.right());
                lengths.push_back(shape.x2 - shape.x1);
            }
            QCOMPARE(lengths.size(), std::size_t{4});
            QVERIFY(std::is_sorted(lengths.rbegin(), lengths.rend()));
        }
    }

    void refusals_data() {
        QTest::addColumn<RiskNetwork>("network");
        QTest::addColumn<MonteCarloOptions>("options");
        QTest::addColumn<QString>("message");
        const RiskNetwork good = mixedNetwork();
        const auto changed = [&](int job, RiskJob change) {
            RiskNetwork network = good;
            network.jobs[static_cast<std::size_t>(job - 1)] = change;
            return network;
        };
        QTest::newRow("backwards") << changed(3, fixedJob(4, 2, 1)) << MonteCarloOptions{}
                                   << "job 3 runs from node 4 to node 2";
        QTest::newRow("beyond the finish")
            << changed(1, fixedJob(1, 8, 1)) << MonteCarloOptions{} << "within nodes 1 to 7";
        QTest::newRow("o above m") << changed(2, estimated(1, 3, {3, 2, 4})) << MonteCarloOptions{}
                                   << "job 2: the optimistic time is above the most likely";
        QTest::newRow("m above p") << changed(2, estimated(1, 3, {1, 5, 4})) << MonteCarloOptions{}
                                   << "job 2: the most likely time is above";
        QTest::newRow("negative") << changed(9, estimated(3, 7, {-1, 0, 1})) << MonteCarloOptions{}
                                  << "job 9: the optimistic time is below 0";
        QTest::newRow("not a number")
            << changed(4, estimated(3, 4, {1, NAN, 3})) << MonteCarloOptions{} << "job 4: every";
        QTest::newRow("no events") << RiskNetwork{} << MonteCarloOptions{} << "no events";
        QTest::newRow("no runs") << good << MonteCarloOptions{0} << "from 1 to 1000000";
        QTest::newRow("too many") << good << MonteCarloOptions{maxRuns + 1} << "from 1 to 1000000";
        QTest::newRow("week NaN") << good << MonteCarloOptions{10, 1, {}, NAN}
                                  << "must be a number";
    }
    void refusals() {
        QFETCH(RiskNetwork, network);
        QFETCH(MonteCarloOptions, options);
        QFETCH(QString, message);
        const auto refused = [&](const std::function<void()>& analysis) {
            try {
                analysis();
            } catch (const RiskError& error) {
                return QString(error.what()).contains(message);
            }
            return false;
        };
        QVERIFY(refused([&] { runMonteCarlo(network, options); }));
        if (options.runs >= 1 && options.runs <= maxRuns) {
            QVERIFY(refused([&] { classicPert(network, options.byWeek); }));
        }
    }
};

QTEST_APPLESS_MAIN(RiskTest)
#include "risk_test.moc"
