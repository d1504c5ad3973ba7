#include "editor/window_harness.h"
#include "platform/typed_number.h"
#include "project_builder.h"

#include <QLocale>

#include <limits>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

const float noNumber = std::numeric_limits<float>::quiet_NaN();

} // namespace

class EntryWalksTest : public QObject {
    Q_OBJECT

  private slots:
    // Nodes 1 (1000, 2000), 2 (2000, 2000), 3 (2000, 4250); jobs 1-2, 2-3, 1-3.
    void timesAndTitles() {
        Harness h;
        h.project = projectOf(3, {{1, 2, 7}, {2, 3, 7}, {1, 3, 7}});
        h.project.nodeX[3] = 2000;
        h.project.nodeY[3] = 4250;
        // A time beyond the schedule's sums stops the walk: no schedule run,
        // and job 2's red arrow black again.
        h.prompts.inputs = {"4", "1e15"};
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QTest::keyClick(&h.window, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.size(), 2);
        QCOMPARE(h.project.edgeWeight[2], 7.0f);
        QVERIFY(h.listed().isEmpty());
        QCOMPARE(h.at(2000, 2500), toQColor(colours::black));

        h.prompts.asked.clear();
        h.prompts.inputs = {"4", " 0 ", "2.5"};
        QTest::mouseClick(h.button("cmdWeight"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList(3, "input: Enter Weight | Weight"));
        QCOMPARE(h.prompts.lastInputPosition, std::optional<QPoint>(QPoint(6000, 9000)));
        QCOMPARE(h.project.edgeWeight[2], 0.0f);
        QCOMPARE(h.listed().size(), 4); // the schedule ran

        // A dummy is titled "..." without asking; a title keeps its first ten characters.
        h.prompts.asked.clear();
        h.prompts.inputs << "Foundation work";
        QTest::mouseClick(h.button("cmdtitle"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList(2, "input: Enter Job Title | Title"));
        QCOMPARE(h.project.jobTitle[1].text(), std::string("Foundation    "));
        QCOMPARE(h.project.jobTitle[2].text(), std::string("...           "));
        QVERIFY(h.listed().at(1).contains("Foundation    "));
    }

    void typedNumbersFollowTheLocale_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("value");
        QTest::newRow("German comma") << true << "2,5" << 2.5f;
        QTest::newRow("German, plain full stop") << true << "2.5" << 2.5f;
        QTest::newRow("letters") << false << "abc" << noNumber;
        QTest::newRow("too large") << false << "3.5e38" << noNumber;
    }
    void typedNumbersFollowTheLocale() {
        QFETCH(bool, german);
        QFETCH(QString, typed);
        QFETCH(float, value);
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany)
                                   : QLocale(QLocale::English, QLocale::UnitedStates));
        const std::optional<float> read = typedSingle(typed);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(read.value_or(noNumber), value);
    }
};

QTEST_MAIN(EntryWalksTest)
#include "entry_walks_test.moc"
