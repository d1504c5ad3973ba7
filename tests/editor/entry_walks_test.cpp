#include "editor/window_harness.h"
#include "platform/typed_number.h"
#include "project_builder.h"

#include <QLocale>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

// Nodes 1 (1000, 2000), 2 (3000, 2000), 3 (3000, 4250); jobs 1-2, 2-3, 1-3.
void threeJobs(Harness& h) {
    h.project = projectOf(3, {{1, 2, 7}, {2, 3, 7}, {1, 3, 7}});
    h.project.nodeX[3] = 3000;
    h.project.nodeY[3] = 4250;
    h.project.nodeX[2] = 3000;
    h.window.cmdRedraw_Click();
}

// Job 2's shaft above its label, row by row down x = 3000: k for a black
// pixel, r for red, . for anything else.
QString shaftOfJob2(Harness& h) {
    QString rows;
    for (int y = pixels(2300); y < pixels(2800); ++y) {
        const QColor c = h.window.canvasImage().pixelColor(pixels(3000), y);
        rows += c == toQColor(colours::black) ? 'k' : c == toQColor(colours::red) ? 'r' : '.';
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
        h.prompts.inputs = {"4", " 0 ", "2.5"};
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

    void typedNumbersFollowTheLocale_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("number");
        QTest::addColumn<float>("value");
        QTest::newRow("fraction") << false << "2.5" << true << 2.5f;
        QTest::newRow("German comma") << true << "2,5" << true << 2.5f;
        QTest::newRow("German, plain full stop") << true << "2.5" << true << 2.5f;
        QTest::newRow("letters") << false << "abc" << false << 0.0f;
        QTest::newRow("too large") << false << "3.5e38" << false << 0.0f;
        QTest::newRow("infinity") << false << "inf" << false << 0.0f;
    }
    void typedNumbersFollowTheLocale() {
        QFETCH(bool, german);
        QFETCH(QString, typed);
        QFETCH(bool, number);
        QFETCH(float, value);
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany)
                                   : QLocale(QLocale::English, QLocale::UnitedStates));
        const std::optional<float> read = typedSingle(typed);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(read.has_value(), number);
        QCOMPARE(read.value_or(0), value);
    }
};

QTEST_MAIN(EntryWalksTest)
#include "entry_walks_test.moc"
