#include "editor/window_harness.h"
#include "platform/typed_number.h"

#include <QLocale>

using namespace arrowplan;
using arrowplan::testing::Harness;

namespace {

// Nodes 1 (1500, 3000), 2 (4500, 3000), 3 (4500, 5250); jobs 1-2, 2-3, 1-3.
void threeJobs(Harness& h) {
    const float x[] = {1500, 4500, 4500};
    const float y[] = {3000, 3000, 5250};
    for (int i = 1; i <= 3; ++i) {
        h.project.nodeX[i] = x[i - 1];
        h.project.nodeY[i] = y[i - 1];
        h.project.nodeNumber[i] = static_cast<float>(i);
    }
    const int ends[][2] = {{1, 2}, {2, 3}, {1, 3}};
    for (int j = 1; j <= 3; ++j) {
        h.project.edgeFrom[j] = Currency::fromWhole(ends[j - 1][0]);
        h.project.edgeTo[j] = Currency::fromWhole(ends[j - 1][1]);
        h.project.edgeWeight[j] = 7;
    }
    h.project.nodeCount = 3;
    h.project.edgeCount = 3;
    h.window.cmdRedraw_Click();
}

// Job 2's shaft, row by row from y = 3300 to 4500 down x = 4500: k for a
// black pixel, r for red, . for the background.
QString shaftOfJob2(Harness& h) {
    const QImage& image = h.window.canvasImage();
    QString rows;
    for (int y = pixels(3300); y < pixels(4500); ++y) {
        QChar mark = '.';
        for (int x = pixels(4500) - 1; x <= pixels(4500); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == toQColor(colours::black)) {
                mark = 'k';
            } else if (c == toQColor(colours::red) && mark == '.') {
                mark = 'r';
            }
        }
        rows += mark;
    }
    return rows;
}

} // namespace

class EntryWalksTest : public QObject {
    Q_OBJECT

  private slots:
    void timesAndTitles() {
        Harness h;
        threeJobs(h);
        h.prompts.inputs << "4"
                         << " 0 "
                         << "2.5";
        QTest::mouseClick(h.button("cmdWeight"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList(3, "input: Enter Weight | Weight"));
        QCOMPARE(h.prompts.lastInputPosition, std::optional<QPoint>(QPoint(6000, 9000)));
        QCOMPARE(h.project.edgeWeight[1], 4.0f);
        QCOMPARE(h.project.edgeWeight[2], 0.0f);
        QCOMPARE(h.project.edgeWeight[3], 2.5f);
        QCOMPARE(h.listed().size(), 4);        // the schedule ran
        QVERIFY(shaftOfJob2(h).contains('.')); // a dummy is dotted
        QVERIFY(!shaftOfJob2(h).contains('r'));

        h.prompts.asked.clear();
        h.prompts.inputs << "Foundation work" << QString();
        QTest::mouseClick(h.button("cmdtitle"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList(2, "input: Enter Job Title | Title"));
        QCOMPARE(h.project.jobTitle[1].text(), std::string("Foundation    "));
        QCOMPARE(h.project.jobTitle[2].text(), std::string("...           "));
        QCOMPARE(h.project.jobTitle[3].text(), std::string(14, ' ')); // cancelled: blank
        QVERIFY(h.listed().at(1).contains("Foundation    "));
    }

    void aFailedAnswerStopsTheTimeWalk_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancel") << QString();
        QTest::newRow("letters") << "four";
        QTest::newRow("beyond a float") << "1e39";
        QTest::newRow("beyond the schedule's sums") << "1e15";
    }
    void aFailedAnswerStopsTheTimeWalk() {
        QFETCH(QString, answer);
        Harness h;
        threeJobs(h);
        QVERIFY(!shaftOfJob2(h).contains('.'));
        h.prompts.inputs << "4" << answer << "9";
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QTest::keyClick(&h.window, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.size(), 2);
        QCOMPARE(h.project.edgeWeight[1], 4.0f);
        QCOMPARE(h.project.edgeWeight[2], 7.0f);
        QCOMPARE(h.project.edgeWeight[3], 7.0f);
        QVERIFY(h.listed().isEmpty());          // no schedule run
        QVERIFY(!shaftOfJob2(h).contains('r')); // the arrow is black again
    }

    void noJobsNoQuestions() {
        Harness h;
        QTest::mouseClick(h.button("cmdWeight"), Qt::LeftButton);
        QTest::mouseClick(h.button("cmdtitle"), Qt::LeftButton);
        QVERIFY(h.prompts.asked.isEmpty());
        QCOMPARE(h.listed().size(), 1);
    }

    void typedNumbersFollowTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("number");
        QTest::addColumn<float>("value");
        QTest::newRow("US fraction") << "en_US"
                                     << "2.5" << true << 2.5f;
        QTest::newRow("US blanks") << "en_US"
                                   << "  12 " << true << 12.0f;
        QTest::newRow("US negative") << "en_US"
                                     << "-0.25" << true << -0.25f;
        QTest::newRow("German comma") << "de_DE"
                                      << "2,5" << true << 2.5f;
        QTest::newRow("German, plain full stop") << "de_DE"
                                                 << "2.5" << true << 2.5f;
        QTest::newRow("empty") << "en_US"
                               << "" << false << 0.0f;
        QTest::newRow("letters") << "en_US"
                                 << "abc" << false << 0.0f;
        QTest::newRow("too large") << "en_US"
                                   << "3.5e38" << false << 0.0f;
        QTest::newRow("infinity") << "en_US"
                                  << "inf" << false << 0.0f;
    }
    void typedNumbersFollowTheLocale() {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(bool, number);
        QFETCH(float, value);
        QLocale::setDefault(QLocale(locale));
        const std::optional<float> read = typedSingle(typed);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(read.has_value(), number);
        if (number) {
            QCOMPARE(*read, value);
        }
    }
};

QTEST_MAIN(EntryWalksTest)
#include "entry_walks_test.moc"
