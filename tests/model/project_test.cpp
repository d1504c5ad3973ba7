#include "model/project.h"
#include "model/utf8.h"
#include "platform/qt_text.h"
#include "project_builder.h"

#include <QTest>

using namespace arrowplan;

class ProjectTest : public QObject {
    Q_OBJECT

  private slots:
    void tableSlotsAreChecked() {
        Project project;
        project.jobNotes[maxItems] = "the last slot";
        QCOMPARE(project.jobNotes[maxItems], std::string("the last slot"));
        for (qlonglong index : {-1LL, 101LL, 4294967297LL}) {
            QVERIFY_THROWS_EXCEPTION(RangeError, project.jobNotes[index] = "written");
        }
    }

    void titlesAreFourteenCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("short") << "Dig"
                               << "Dig           ";
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
