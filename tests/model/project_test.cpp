#include "model/project.h"
#include "model/utf8.h"
#include "platform/qt_text.h"
#include "project_builder.h"

#include <QTest>

#include <limits>

using namespace arrowplan;

class ProjectTest : public QObject {
    Q_OBJECT

  private slots:
    void tableSlotsAreChecked_data() {
        QTest::addColumn<qlonglong>("index");
        QTest::addColumn<bool>("valid");
        QTest::newRow("slot 0") << 0LL << true;
        QTest::newRow("slot 100") << 100LL << true;
        QTest::newRow("-1") << -1LL << false;
        QTest::newRow("101") << 101LL << false;
        QTest::newRow("beyond int") << 4294967297LL << false;
        QTest::newRow("most negative") << std::numeric_limits<qlonglong>::min() << false;
    }
    void tableSlotsAreChecked() {
        QFETCH(qlonglong, index);
        QFETCH(bool, valid);
        Project project;
        const Project before = project;
        if (valid) {
            project.jobNotes[index] = "written";
            QCOMPARE(project.jobNotes[index], std::string("written"));
        } else {
            QVERIFY_THROWS_EXCEPTION(RangeError, project.jobNotes[index] = "written");
            const Project& readOnly = project;
            QVERIFY_THROWS_EXCEPTION(RangeError, readOnly.nodeX[index]);
            QVERIFY(project == before);
        }
    }

    void nodeNumbersHeldAsCurrencyRoundToSlots() {
        QCOMPARE(nodeSlot(Currency::fromUnits(25000)), 2LL);
        QCOMPARE(nodeSlot(Currency::fromUnits(35000)), 4LL);
    }

    void titlesAreFourteenCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("short") << "Dig"
                               << "Dig           ";
        QTest::newRow("long") << "Foundation work and more"
                              << "Foundation wor";
        QTest::newRow("NUL becomes blank") << QString("A") + QChar(0) + "B"
                                           << "A B           ";
        QTest::newRow("accents count once") << "B\u00e9ton arm\u00e9 tr\u00e8s solide"
                                            << "B\u00e9ton arm\u00e9 tr\u00e8";
    }
    void titlesAreFourteenCharacters() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const JobTitle title(toStdString(typed));
        QCOMPARE(toQString(title.text()), stored);
        QCOMPARE(characterCount(title.text()), JobTitle::width);
    }

    void deletingAJobMovesTheRestDown() {
        Project project = testing::fullProject();
        project.edgeInTree[3] = 1;
        deleteJob(project, 2);

        Project expected = testing::fullProject();
        for (int slot = 2; slot < maxItems; ++slot) {
            testing::fillJob(expected, slot, slot + 1);
        }
        clearJobSlot(expected, maxItems); // the freed slot holds nothing of the last job
        expected.edgeCount = maxItems - 1;
        expected.edgeInTree[2] = 1; // the tree mark goes with its job
        QVERIFY(project == expected);
    }

    void startOverEmptiesTheProject() {
        Project project = testing::fullProject();
        project.editMode = EditMode::moveNode;
        project.edgeStarted = 1;
        for (int i = 1; i <= maxItems; ++i) {
            project.earlyTime[i] = project.lateTime[i] = Currency::fromWhole(9);
            project.edgeInTree[i] = 1;
        }
        const Project before = project;

        startOver(project);

        // Every job slot and schedule time is as a new program has it; node
        // positions and the modes are not the tables' reset to touch.
        Project expected;
        expected.nodeX = before.nodeX;
        expected.nodeY = before.nodeY;
        expected.nodeNumber = before.nodeNumber;
        expected.editMode = EditMode::moveNode;
        expected.edgeStarted = 1;
        QVERIFY(project == expected);
    }
};

QTEST_APPLESS_MAIN(ProjectTest)
#include "project_test.moc"
