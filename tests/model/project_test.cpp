#include "model/project.h"
#include "model/project_file.h"
#include "model/utf8.h"
#include "platform/qt_text.h"
#include "project_builder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

using namespace arrowplan;
using arrowplan::testing::projectOf;

Q_DECLARE_METATYPE(arrowplan::Project)

namespace {

// Job 1 -> 2 with expected time 4, title Dig and amount 100, named Yard.
Project yard() {
    Project project = projectOf(2, {{1, 2, 4, 0, 100, "Dig"}});
    project.projectName = "Yard";
    return project;
}

// The same with a double quote in its name, which would end the text early.
const char* const yardFile =
    "2\r\n1\r\n100\r\n0\r\n0\r\n\"Dig           \"\r\n0\r\n1\r\n2\r\n4\r\n"
    "\"\"\r\n0\r\n1000\r\n2000\r\n1\r\n2000\r\n2000\r\n2\r\n\"Yard 'B'\"\r\n";

std::string written(const Project& project) {
    std::ostringstream out;
    writeProject(out, project);
    return out.str();
}

std::variant<Project, FileProblem> read(const std::string& text) {
    std::istringstream in(text);
    return readProject(in);
}

// Values a file must carry exactly: fractions, extremes, accents, blanks and
// line ends in texts, and a payment mode only a hand-edited file holds.
Project rich() {
    Project project =
        projectOf(3, {{1, 2, 0.33333f, -1, 922337203685477.0, "B\u00e9ton arm\u00e9 tr\u00e8s"},
                      {2, 3, 1e-3f, 0.5, -1234.5678}});
    project.nodeY[3] = -250.75f;
    project.jobNotes[1] = "Call Bob   \nphone 555-0100\t\n\nbring the mixer";
    project.jobPayMode[2] = 7;
    project.projectName = "Maison \u00e0 B\u00e9ziers";
    return project;
}

} // namespace

// The project's tables, the commands that clear or move them, and its file.
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

    void writesTheExactLayout() {
        Project project = yard();
        project.projectName = "Yard \"B\"";
        QCOMPARE(written(project), std::string(yardFile));
    }

    void readsBackIdenticalTables_data() {
        QTest::addColumn<Project>("project");
        QTest::newRow("rich") << rich();
        QTest::newRow("full tables") << testing::fullProject();
    }
    void readsBackIdenticalTables() {
        // The project holds nothing but what a file stores, so the whole
        // value must come back.
        QFETCH(Project, project);
        QVERIFY(std::get<Project>(read(written(project))) == project);
    }

    void hostileFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("what");
        QTest::newRow("text for a count")
            << QByteArray("abc\n") << 1 << "node count is not a number";
        QTest::newRow("101 jobs") << QByteArray("2\n101\n") << 2 << "job count is 101";
        QTest::newRow("job to node 250")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1\n250\n") << 9 << "end node of job 1 is 250";
        QTest::newRow("half a node")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1.5\n") << 8 << "not a whole number";
        QTest::newRow("unquoted title")
            << QByteArray("2\n1\n0\n0\n0\nDig\n") << 6 << "title of job 1 should be a text";
        QTest::newRow("huge time")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1\n2\n1e39\n") << 10 << "beyond the range";
        QTest::newRow("no nodes") << QByteArray("0\n5\n") << 1 << "no nodes";
    }
    void hostileFilesAreRefused() {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, what);
        const FileProblem problem = std::get<FileProblem>(read(file.toStdString()));
        QCOMPARE(problem.line, line);
        QVERIFY2(toQString(problem.what).contains(what), problem.what.c_str());
        QCOMPARE(problem.noNodes, what == "no nodes");
    }

    void everyTruncationIsRefused() {
        const std::string file = written(rich());
        // Cut after every line, and inside every line up to the final quote.
        for (std::size_t cut = 0; cut < file.size() - 2; ++cut) {
            QVERIFY2(std::holds_alternative<FileProblem>(read(file.substr(0, cut))),
                     ("a file cut at byte " + std::to_string(cut) + " was accepted").c_str());
        }
    }

    void loadingAndSaving() {
        QTemporaryDir dir;
        const QString path = dir.filePath("yard.cpm");
        const std::string file = path.toStdString();

        // A project without nodes writes nothing at all, not even an empty file.
        const auto refused = saveProjectFile(file, Project());
        QVERIFY(refused && refused->find("no nodes") != std::string::npos);
        QVERIFY(!QFile::exists(path));

        // Only a valid file replaces the project.
        Project current = testing::fullProject();
        current.edgeInTree[1] = 1;
        current.edgeInTree[3] = 1;
        current.printingCosts = 1;
        const Project before = current;
        QVERIFY(
            toQString(loadProjectFile(file, current).value().what).contains("cannot be opened"));
        QVERIFY(toQString(loadProjectFile(dir.path().toStdString(), current).value().what)
                    .contains("a folder"));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write(yardFile, 40) == 40);
        broken.close();
        QVERIFY(toQString(loadProjectFile(file, current).value().what)
                    .contains("ends before the end node of job 1"));
        QVERIFY(current == before);

        // Everything but the session's own state is the file's.
        QVERIFY(!saveProjectFile(file, yard()));
        QVERIFY(!loadProjectFile(file, current));
        Project expected = yard();
        expected.edgeInTree[1] = 1;
        expected.printingCosts = 1;
        QVERIFY(current == expected);

        // Saving over a file keeps its permissions.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(!saveProjectFile(file, rich()));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), written(rich()));
        QCOMPARE(saved.permissions() & (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions(QFile::ReadGroup));

        // A target that cannot be replaced stays as it was, and so do its
        // neighbours: no temporary file is left behind.
        const QString folder = dir.filePath("taken.cpm");
        QVERIFY(QDir().mkdir(folder));
        const auto failed = saveProjectFile(folder.toStdString(), yard());
        QVERIFY(failed && failed->find("previous file is unchanged") != std::string::npos);
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_APPLESS_MAIN(ProjectTest)
#include "project_test.moc"
