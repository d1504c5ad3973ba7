#include "model/project.h"
#include "model/utf8.h"
#include "platform/qt_text.h"

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
        QTest::newRow("250") << 250LL << false;
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
        Project project;
        QCOMPARE(nodeSlot(Currency::fromWhole(7)), 7LL);
        QCOMPARE(nodeSlot(Currency::fromUnits(25000)), 2LL);
        QCOMPARE(nodeSlot(Currency::fromUnits(35000)), 4LL);
        QVERIFY_THROWS_EXCEPTION(RangeError, project.earlyTime[nodeSlot(Currency::fromWhole(250))]);
    }

    void titlesAreFourteenCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("short") << "Dig"
                               << "Dig           ";
        QTest::newRow("empty") << ""
                               << "              ";
        QTest::newRow("exact") << "Pour concrete!"
                               << "Pour concrete!";
        QTest::newRow("long") << "Foundation work and more"
                              << "Foundation wor";
        QTest::newRow("trailing blanks kept") << "Roof   "
                                              << "Roof          ";
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
        Project project;
        project.edgeCount = 3;
        for (int j = 1; j <= 3; ++j) {
            project.edgeFrom[j] = Currency::fromWhole(j);
            project.jobNotes[j] = "job " + std::to_string(j);
            project.edgeInTree[j] = static_cast<std::int16_t>(j == 3);
            project.jobPayMode[j] = payAtEnd;
        }
        deleteJob(project, 2);
        QCOMPARE(project.edgeCount, 2);
        QCOMPARE(project.jobNotes[2], std::string("job 3"));
        QVERIFY(project.edgeFrom[2] == Currency::fromWhole(3));
        QCOMPARE(project.edgeInTree[2], 1); // the tree mark goes with its job
        Project cleared = project;
        clearJobSlot(cleared, 3);
        QVERIFY(project == cleared); // the freed slot holds nothing of job 3
    }

    void startOverEmptiesTheProject() {
        Project project;
        project.nodeCount = 7;
        project.edgeCount = 100;
        project.projectName = "Old";
        project.editMode = EditMode::moveNode;
        project.edgeStarted = 1;
        for (int i = 1; i <= maxItems; ++i) {
            project.nodeX[i] = 100.0f + static_cast<float>(i);
            project.nodeNumber[i] = static_cast<float>(i);
            project.edgeFrom[i] = project.edgeTo[i] = Currency::fromWhole(2);
            project.edgeWeight[i] = 3.5f;
            project.jobTitle[i] = JobTitle("Old job");
            project.jobDone[i] = 1;
            project.jobPayMode[i] = payAtEnd;
            project.jobNotes[i] = "call Bob";
            project.jobAmount[i] = project.jobActualTime[i] = project.jobDelay[i] =
                Currency::fromWhole(-20);
            project.earlyTime[i] = project.lateTime[i] = Currency::fromWhole(9);
            project.edgeInTree[i] = 1;
        }

        startOver(project);

        // Every job slot and schedule time is as a new program has it; node
        // positions and the modes are not the tables' reset to touch.
        Project expected;
        expected.nodeX = project.nodeX;
        expected.nodeNumber = project.nodeNumber;
        expected.editMode = EditMode::moveNode;
        expected.edgeStarted = 1;
        QVERIFY(project == expected);
        QCOMPARE(project.nodeX[5], 105.0f);
        QCOMPARE(toQString(project.jobTitle[100].text()), QString(14, ' '));
    }
};

QTEST_APPLESS_MAIN(ProjectTest)
#include "project_test.moc"
