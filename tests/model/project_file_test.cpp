#include "model/project_file.h"
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

// The one-job example: nodes at (1500, 1200) and (3000, 1200), job 1 -> 2
// with expected time 4, title Dig and amount 100, named Yard.
Project yard() {
    Project project = projectOf(2, {{1, 2, 4, 0, 100, "Dig"}});
    project.nodeX[1] = 1500;
    project.nodeY[1] = 1200;
    project.nodeX[2] = 3000;
    project.nodeY[2] = 1200;
    project.projectName = "Yard";
    return project;
}

const char* const yardFile = "2\r\n1\r\n100\r\n0\r\n0\r\n\"Dig           \"\r\n0\r\n1\r\n2\r\n4\r\n"
                             "\"\"\r\n0\r\n1500\r\n1200\r\n1\r\n3000\r\n1200\r\n2\r\n\"Yard\"\r\n";

std::string written(const Project& project) {
    std::ostringstream out;
    writeProject(out, project);
    return out.str();
}

std::variant<Project, FileProblem> read(const std::string& text) {
    std::istringstream in(text);
    return readProject(in);
}

Project readBack(const std::string& text) {
    auto result = read(text);
    if (auto* problem = std::get_if<FileProblem>(&result)) {
        qFatal("unexpected problem on line %d: %s", problem->line, problem->what.c_str());
    }
    return std::get<Project>(result);
}

FileProblem problemOf(const std::string& text) {
    auto result = read(text);
    if (!std::holds_alternative<FileProblem>(result)) {
        return FileProblem{-1, "the file was accepted", false};
    }
    return std::get<FileProblem>(result);
}

Project rich() {
    Project project =
        projectOf(4, {{1, 2, 2.5f, 0.5, 1234.5678, "Foundation wor"},
                      {2, 3, 0.33333f, -1, -20, "Roof  "},
                      {2, 4, 0, 0, 0, ""},
                      {3, 4, 1e-3f, 2, 922337203685477.0, "B\u00e9ton arm\u00e9 tr\u00e8s"}});
    project.nodeX[3] = 0.1f;
    project.nodeY[3] = -250.75f;
    project.nodeNumber[4] = 4;
    project.jobNotes[1] = "Call Bob   \nphone 555-0100\t\n\nbring the mixer";
    project.jobNotes[2] = "one line";
    project.jobDone[1] = 1;
    project.jobPayMode[1] = payAtEnd;
    project.jobPayMode[2] = 7; // only a hand-edited file holds such a mode
    project.jobActualTime[3] = Currency::fromUnits(12345);
    project.projectName = "Maison \u00e0 B\u00e9ziers";
    return project;
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

  private slots:
    void writesTheExactLayout() { QCOMPARE(written(yard()), std::string(yardFile)); }

    void readsBackIdenticalTables_data() {
        QTest::addColumn<Project>("project");
        QTest::newRow("yard") << yard();
        QTest::newRow("rich") << rich();
        QTest::newRow("nodes without jobs") << projectOf(3, {});
        QTest::newRow("full tables") << testing::fullProject();
    }
    void readsBackIdenticalTables() {
        QFETCH(Project, project);
        // The project holds nothing but what a file stores, so the whole
        // value must come back.
        const std::string file = written(project);
        QCOMPARE(written(readBack(file)), file);
        QVERIFY(readBack(file) == project);
    }

    void readsWhatOtherWritersMayProduce() {
        // LF line ends, numbers without a leading zero or with blanks around
        // them, a title longer than 14 characters, a description across lines.
        const Project project =
            readBack("2\n1\n .5\n-.25\n0\n\"Excavation and grading\"\n1\n1\n2\n.5 \n"
                     "\"first\r\nsecond\"\n2\n1500\n1200\n1\n3000\n1200\n2\n\"Yard\"\n");
        QVERIFY(project.jobAmount[1] == Currency::fromUnits(5000));
        QVERIFY(project.jobActualTime[1] == Currency::fromUnits(-2500));
        QCOMPARE(toQString(project.jobTitle[1].text()), QString("Excavation and"));
        QCOMPARE(project.edgeWeight[1], 0.5f);
        QCOMPARE(project.jobNotes[1], std::string("first\nsecond"));
        QCOMPARE(project.jobPayMode[1], std::int16_t{payHalfAndHalf});
    }

    void doubleQuotesAreWrittenAsApostrophes() {
        Project project = yard();
        project.projectName = "The \"Big\" one";
        QCOMPARE(readBack(written(project)).projectName, std::string("The 'Big' one"));
    }

    void hostileFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("what");
        QTest::newRow("text for a count")
            << QByteArray("abc\n") << 1 << "node count is not a number";
        QTest::newRow("negative count") << QByteArray("-1\n0\n") << 1 << "outside 0..100";
        QTest::newRow("101 jobs") << QByteArray("2\n101\n") << 2 << "job count is 101";
        QTest::newRow("job to node 250")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1\n250\n") << 9 << "end node of job 1 is 250";
        QTest::newRow("half a node")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1.5\n") << 8 << "not a whole number";
        QTest::newRow("unquoted title")
            << QByteArray("2\n1\n0\n0\n0\nDig\n") << 6 << "title of job 1 should be a text";
        QTest::newRow("huge time")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1\n2\n1e39\n") << 10 << "beyond the range";
        QTest::newRow("node number 1e30")
            << QByteArray("1\n0\n10\n10\n1e30\n") << 5 << "number of node 1 is 1000000000000";
        QTest::newRow("missing final quote")
            << QByteArray("1\n0\n10\n10\n1\n\"Yard\n\n") << 6 << "project name has no closing";
        QTest::newRow("no nodes") << QByteArray("0\n5\n") << 1 << "no nodes";
    }
    void hostileFilesAreRefused() {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, what);
        const FileProblem problem = problemOf(file.toStdString());
        QCOMPARE(problem.line, line);
        QVERIFY2(toQString(problem.what).contains(what), problem.what.c_str());
        QCOMPARE(problem.noNodes, what == "no nodes");
    }

    void everyTruncationIsRefused() {
        const std::string file = written(rich());
        // Cut after every line, and inside every line up to the final quote.
        for (std::size_t cut = 0; cut < file.size() - 2; ++cut) {
            const FileProblem problem = problemOf(file.substr(0, cut));
            QVERIFY2(problem.line >= 0,
                     ("a file cut at byte " + std::to_string(cut) + " was accepted").c_str());
        }
    }

    void loadReplacesOnlyWithAValidFile_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("what");
        QTest::newRow("broken") << QByteArray(yardFile).left(40)
                                << "ends before the end node of job 1";
        QTest::newRow("no nodes") << QByteArray("0\r\n5\r\n") << "no nodes";
        QTest::newRow("missing") << QByteArray() << "cannot be opened";
        QTest::newRow("a folder") << QByteArray("/") << "a folder";
    }
    void loadReplacesOnlyWithAValidFile() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, what);
        QTemporaryDir dir;
        QFile file(dir.filePath("x.cpm"));
        if (contents == "/") {
            QVERIFY(QDir().mkdir(file.fileName()));
        } else if (!contents.isEmpty()) {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
            file.close();
        }
        Project current = rich();
        current.editMode = EditMode::addEdge;
        const Project before = current;
        const auto problem = loadProjectFile(file.fileName().toStdString(), current);
        QVERIFY(problem && toQString(problem->what).contains(what));
        QCOMPARE(problem->noNodes, what == "no nodes"); // only that one beeps
        QVERIFY(current == before);
        QCOMPARE(describe({4, "what", false}, "x.cpm"), std::string("x.cpm, line 4: what"));
    }

    void aSmallerProjectLeavesNoStaleJobs() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("yard.cpm").toStdString();
        QVERIFY(!saveProjectFile(path, yard()));

        Project current = testing::fullProject();
        current.edgeInTree[1] = 1;
        current.edgeInTree[3] = 1;
        current.editMode = EditMode::moveNode;
        current.printingCosts = 1;
        QVERIFY(!loadProjectFile(path, current));

        // Everything but the session's own state is the file's.
        Project expected = yard();
        expected.edgeInTree[1] = 1;
        expected.editMode = EditMode::moveNode;
        expected.printingCosts = 1;
        QVERIFY(current == expected);
    }

    void saveNeverLosesWork() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("house.cpm").toStdString();

        // A project without nodes writes nothing at all, not even an empty file.
        const auto refused = saveProjectFile(path, Project());
        QVERIFY(refused && refused->find("no nodes") != std::string::npos);
        QVERIFY(!QFile::exists(QString::fromStdString(path)));

        QVERIFY(!saveProjectFile(path, yard()));
        QFile::setPermissions(QString::fromStdString(path),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(!saveProjectFile(path, rich()));
        QFile saved(QString::fromStdString(path));
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

        const auto nowhere =
            saveProjectFile(dir.filePath("no/such/dir/x.cpm").toStdString(), yard());
        QVERIFY(nowhere.has_value());
    }
};

QTEST_APPLESS_MAIN(ProjectFileTest)
#include "project_file_test.moc"
