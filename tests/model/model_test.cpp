#include "model/currency.h"
#include "model/leading_number.h"
#include "model/number_parse.h"
#include "model/number_text.h"
#include "model/project.h"
#include "model/project_file.h"
#include "model/utf8.h"
#include "platform/locale_currency.h"
#include "platform/qt_text.h"
#include "project_builder.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <limits>
#include <sstream>

using namespace arrowplan;
using arrowplan::testing::projectOf;

Q_DECLARE_METATYPE(arrowplan::Project)

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

const Currency maxCurrency = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());
const Currency minCurrency = Currency::fromUnits(std::numeric_limits<std::int64_t>::min());

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

// The first ten lines of a file of three nodes whose one job has these values.
QByteArray oneJob(const char* from, const char* to, const char* time = "1",
                  const char* delay = "0") {
    return QByteArray("3\n1\n0\n0\n") + delay + "\n\"x\"\n0\n" + from + "\n" + to + "\n" + time;
}

std::string stored(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Values a file must carry exactly: fractions, extremes, accents, blanks and
// line ends in texts, and what only a hand-edited file holds: a payment mode,
// node numbers that stand for a slot when rounded half to even.
Project rich() {
    Project project =
        projectOf(3, {{1, 2, 0.33333f, -1, 922337203685477.0, "B\u00e9ton arm\u00e9 tr\u00e8s"},
                      {2, 3, 1e-3f, 0.5, -1234.5678}});
    project.nodeY[3] = -250.75f;
    project.nodeNumber[2] = 100.5f;
    project.nodeNumber[3] = -0.5f;
    project.jobNotes[1] = "Call Bob   \nphone 555-0100\t\n\nbring the mixer";
    project.jobPayMode[2] = 7;
    project.projectName = "Maison \u00e0 B\u00e9ziers";
    return project;
}

} // namespace

// The model: currency and number texts and readers, money in each locale, the project's tables, the
// commands that clear or move them, and its file.
class ModelTest : public QObject {
    Q_OBJECT

  private slots:
    // Both roundings go half to even: a float to four decimals (0.03125 and
    // 0.09375 are exact in binary, so their fifth decimal is a true tie), and
    // a currency value to a whole number.
    void currencyRounding() {
        QCOMPARE(Currency::fromFloat(0.03125f).units(), std::int64_t{312});
        QCOMPARE(Currency::fromFloat(0.09375f).units(), std::int64_t{938});
        QCOMPARE(Currency::fromUnits(25000).rounded(), std::int64_t{2});
        QCOMPARE(Currency::fromUnits(-35000).rounded(), std::int64_t{-4});
        QCOMPARE(Currency::fromUnits(-5000).rounded(), std::int64_t{0});
        QCOMPARE(Currency::fromUnits(25001).rounded(), std::int64_t{3});
    }

    void currencyNeverWraps() {
        const Currency unit = Currency::fromUnits(1);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromFloat(1e15f));
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, maxCurrency + unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, minCurrency - unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, -minCurrency);
        Currency sum = maxCurrency;
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, sum += unit);
        QCOMPARE(sum, maxCurrency); // a failed sum leaves the value as it was
    }

    // Plain texts of floats (seven significant digits) and of currency
    // values; on the chart a number has a blank after it, and one before it
    // unless it is negative; a field never cuts what does not fit.
    void texts() {
        QCOMPARE(plainText(-0.0f), "0");
        QCOMPARE(plainText(1234.567f), "1234.567");
        QCOMPARE(plainText(16777217.0f), "16777220");
        QCOMPARE(plainText(1.5e-10f), "0.00000000015");
        QCOMPARE(plainText(0.1 + 0.2), "0.30000000000000004"); // a double: every digit it needs
        QCOMPARE(plainText(2.5e-7), "0.00000025");
        QCOMPARE(plainText(-0.0), "0");
        QCOMPARE(plainText(Currency::fromUnits(-1)), "-0.0001");
        QCOMPARE(plainText(maxCurrency), "922337203685477.5807");
        QCOMPARE(plainText(minCurrency), "-922337203685477.5808");
        QCOMPARE(surfaceText(5), " 5 ");
        QCOMPARE(surfaceText(Currency::fromUnits(-5000)), "-0.5 ");
        QCOMPARE(rightAligned("10000000", 6), "10000000");
        QCOMPARE(toQString(rightAligned("\u00e9t\u00e9", 5)), QString("  \u00e9t\u00e9"));
    }

    void plainNumberSyntax_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("plain");
        for (const char* good : {"5", ".5", "-.5", "+3", "1.", "1E-5", "-2.5e+3"}) {
            QTest::newRow(good) << QByteArray(good) << true;
        }
        for (const char* bad :
             {"", ".", "-", "1.2.3", "1e", "e5", "1,5", " 5", "inf", "nan", "0x10", "--1", "5$"}) {
            QTest::newRow(bad) << QByteArray(bad) << false;
        }
    }
    void plainNumberSyntax() {
        QFETCH(QByteArray, text);
        QFETCH(bool, plain);
        QCOMPARE(isPlainNumber(view(text)), plain);
    }

    // The file's numbers are read exactly from their digits; "refused" where
    // the value does not fit its type.
    void fileNumbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("single");
        QTest::addColumn<QString>("integer");
        const auto row = [](const char* text, const char* currency, const char* single,
                            const char* integer) {
            QTest::newRow(text) << QByteArray(text) << currency << single << integer;
        };
        row("250.5", "250.5", "250.5", "refused");
        row("-2", "-2", "-2", "-2");
        row("0.00005", "0", "0.00005", "0");            // a tie, down to even
        row("0.00015", "0.0002", "0.00015", "refused"); // a tie, up to even
        row("1e-999", "0", "refused", "0");
        row("32768", "32768", "32768", "refused");
        row("922337203685477.5807", "922337203685477.5807", "922337200000000", "refused");
        row("922337203685477.5808", "refused", "922337200000000", "refused");
        row("3.4028235e38", "refused", "340282300000000000000000000000000000000", "refused");
    }
    void fileNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(QString, currency);
        QFETCH(QString, single);
        QFETCH(QString, integer);
        const auto shown = [](const auto& value) {
            return value ? toQString(plainText(*value)) : QString("refused");
        };
        QCOMPARE(shown(toCurrency(view(text))), currency);
        QCOMPARE(shown(toSingle(view(text))), single);
        QCOMPARE(shown(toInteger16(view(text))), integer);
    }

    // The card's boxes read the number a text begins with, as far as it goes.
    void leadingNumbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* text, const char* value) {
            QTest::newRow(text) << QByteArray(text) << QString(value);
        };
        row("12.5 weeks", "12.5");
        row("$5", "0");
        row("\t-3\n.5", "-3.5");
        row("2E-2x", "0.02");
        row("&hff", "255");
        row("1e400", "refused");
    }
    void leadingNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(QString, value);
        const std::optional<double> read = leadingNumber(view(text));
        QCOMPARE(read ? QString::number(*read) : QString("refused"), value);
    }

    void moneyTexts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        // The C locale and US English write the reference form; an amount is
        // rounded half away from zero, and one that rounds to nothing is not
        // negative.
        QTest::newRow("millions") << QLocale::c() << qint64{12345678912} << "$1,234,567.89";
        QTest::newRow("money in") << QLocale("en_US") << qint64{-200000} << "($20.00)";
        QTest::newRow("half a cent") << QLocale("en_US") << qint64{50} << "$0.01";
        QTest::newRow("almost nothing in") << QLocale("en_US") << qint64{-40} << "$0.00";
        // Every other locale writes money as Qt writes it for that locale.
        for (const char* name : {"de_DE", "fr_FR", "en_GB", "nl_NL", "pt_BR", "ja_JP"}) {
            for (double amount : {1234567.5, -20.0, 0.25}) {
                const QLocale locale(name);
                QTest::newRow(QByteArray(name) + ' ' + QByteArray::number(amount))
                    << locale << qint64{Currency::fromDouble(amount).units()}
                    << locale.toCurrencyString(amount, QString(), 2);
            }
        }
    }
    void moneyTexts() {
        QFETCH(QLocale, locale);
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(toQString(currencyText(Currency::fromUnits(units), currencyFormatOf(locale))),
                 text);
    }

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

    // The block of extras names the lowest version that knows its lines.
    void writesTheExactLayout() {
        Project project = yard();
        project.projectName = "Yard \"B\"";
        QCOMPARE(written(project), std::string(yardFile));
        project.jobOptimistic[1] = project.jobMostLikely[1] = project.jobPessimistic[1] = 4;
        QCOMPARE(written(project),
                 std::string(yardFile) + "[arrowplan extras 1]\r\nestimate 1 4 4 4\r\n[end]\r\n");
        project.jobCrashTime[1] = 2.5f;
        project.indirectCostPerWeek = Currency::fromWhole(30);
        QCOMPARE(written(project),
                 std::string(yardFile) +
                     "[arrowplan extras 2]\r\nestimate 1 4 4 4\r\ncrash 1 2.5 0\r\n"
                     "indirect 30\r\n[end]\r\n");
    }

    void readsBackIdenticalTables_data() {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QByteArray>("file"); // empty: the project's own
        QTest::newRow("rich") << rich() << QByteArray();
        QTest::newRow("full tables") << testing::fullProject() << QByteArray();
        Project estimated = yard();
        estimated.jobOptimistic[1] = 2;
        estimated.jobMostLikely[1] = 4;
        estimated.jobPessimistic[1] = 7.5f;
        QTest::newRow("estimates") << estimated << QByteArray();
        Project crashed = estimated;
        crashed.jobCrashTime[1] = 0.5f;
        crashed.jobCrashCost[1] = Currency::fromDouble(-20.25);
        crashed.indirectCostPerWeek = Currency::fromUnits(1);
        QTest::newRow("crash data") << crashed << QByteArray();
        Project named = yard();
        named.projectName = "Yard 'B'";
        // What follows the name without the extras' header is passed over.
        QTest::newRow("words after the name") << named << QByteArray(yardFile) + "notes\r\n";
        // Texts that are not UTF-8 (a surrogate is none) are Windows-1252, every
        // byte as Qt's own decoder reads it.
        QByteArray highBytes;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            highBytes += static_cast<char>(byte);
        }
        Project windows1252 = yard();
        windows1252.jobTitle[1] = JobTitle("\u201cCaf\u00e9\u201d");
        windows1252.jobNotes[1] = toStdString(QStringDecoder("windows-1252").decode(highBytes));
        windows1252.projectName = "Yard \u00ed\u00a0\u20ac";
        // A job's ends are the nodes they round to.
        QTest::newRow("job ends rounded")
            << named << QByteArray(yardFile).replace("\n1\r\n2\r\n4\r", "\n0.5001\r\n2.4\r\n4\r");
        QTest::newRow("Windows-1252") << windows1252
                                      << QByteArray(yardFile)
                                             .replace("Dig", "\x93"
                                                             "Caf\xe9\x94")
                                             .replace("\"\"", '"' + highBytes + '"')
                                             .replace("'B'", "\xed\xa0\x80");
    }
    void readsBackIdenticalTables() {
        // The project holds nothing but what a file stores, so the whole
        // value must come back.
        QFETCH(Project, project);
        QFETCH(QByteArray, file);
        const std::string text = file.isEmpty() ? written(project) : file.toStdString();
        QVERIFY(std::get<Project>(read(text)) == project);
    }

    void hostileFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("what");
        QTest::newRow("text for a count")
            << QByteArray("abc\n") << 1 << "node count is not a number";
        QTest::newRow("numbers with a comma")
            << QByteArray("1,5\n") << 1 << "node count is not a number";
        QTest::newRow("header row") << QByteArray("id;title\n") << 1 << "looks like a task list";
        QTest::newRow("XML declaration") << QByteArray("\xEF\xBB\xBF <?xml version=\"1.0\"?>\n")
                                         << 1 << "looks like a task list";
        QTest::newRow("101 jobs") << QByteArray("2\n101\n") << 2 << "job count is 101";
        QTest::newRow("job to node 250") << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1\n250\n") << 9
                                         << "end node of job 1 (250) is not a node from 1 to 2";
        QTest::newRow("to node 4, rounded")
            << oneJob("1", "3.5") << 9 << "end node of job 1 (3.5, node 4) is not a node from 1";
        QTest::newRow("from node 0, rounded")
            << oneJob("0.5", "2") << 8 << "start node of job 1 (0.5, node 0) is not a node";
        QTest::newRow("back to a lower node")
            << oneJob("3", "2") << 9 << "end node of job 1 (2) is not above its start node (3)";
        QTest::newRow("both ends node 2, rounded")
            << oneJob("1.5", "2.5") << 9
            << "(2.5, node 2) is not above its start node (1.5, node 2)";
        QTest::newRow("time no schedule holds") << oneJob("1", "2", "1e15") << 10 << "too large";
        QTest::newRow("delay no schedule holds")
            << oneJob("1", "2", "1", "922337203685477") << 10 << "with its delay (922337203685477)";
        QTest::newRow("node numbered 101, rounded")
            << QByteArray("1\n0\n0\n0\n100.6\n") << 5 << "number of node 1 (100.6) is not";
        QTest::newRow("unquoted title")
            << QByteArray("2\n1\n0\n0\n0\nDig\n") << 6 << "title of job 1 should be a text";
        QTest::newRow("huge time")
            << QByteArray("2\n1\n0\n0\n0\n\"x\"\n0\n1\n2\n1e39\n") << 10 << "beyond the range";
        QTest::newRow("no nodes") << QByteArray("0\n5\n") << 1 << "no nodes";
        // The block of extras after the name, line 20 on.
        const auto extras = [](const char* block) { return QByteArray(yardFile) + block; };
        QTest::newRow("extras of a later version")
            << extras("[arrowplan extras 3]\r\n[end]\r\n") << 20 << "of version 3";
        QTest::newRow("a crash time in version 1")
            << extras("[arrowplan extras 1]\r\ncrash 1 2 150\r\n[end]\r\n") << 21
            << "version 1 does not know: crash 1 2 150";
        QTest::newRow("a crash time below 0")
            << extras("[arrowplan extras 2]\r\ncrash 1 -1 150\r\n[end]\r\n") << 21
            << "crash time it cannot have";
        QTest::newRow("a crash cost no amount")
            << extras("[arrowplan extras 2]\r\ncrash 1 2 $150\r\n[end]\r\n") << 21
            << "cost that is not an amount: $150";
        QTest::newRow("two crash times of a job")
            << extras("[arrowplan extras 2]\r\ncrash 1 2 9\r\ncrash 1 2 9\r\n[end]\r\n") << 22
            << "a second crash time";
        QTest::newRow("an indirect cost below 0")
            << extras("[arrowplan extras 2]\r\nindirect -5\r\n[end]\r\n") << 21
            << "no amount of 0 or more: -5";
        QTest::newRow("two indirect costs")
            << extras("[arrowplan extras 2]\r\nindirect 5\r\nindirect 5\r\n[end]\r\n") << 22
            << "indirect cost a second time";
        QTest::newRow("extras cut in the header")
            << extras("\r\n[arrowplan ext") << 21 << "does not begin with";
        QTest::newRow("extras without an end")
            << extras("[arrowplan extras 1]\r\nestimate 1 1 2 3\r\n") << 21 << "no \"[end]\"";
        QTest::newRow("an estimate of no job")
            << extras("[arrowplan extras 1]\r\nestimate 2 1 2 3\r\n[end]\r\n") << 21
            << "names no job of the project: 2";
        QTest::newRow("estimates out of order")
            << extras("[arrowplan extras 1]\r\nestimate 1 3 2 1\r\n[end]\r\n") << 21
            << "estimates it cannot have";
        QTest::newRow("two estimates of a job")
            << extras("[arrowplan extras 1]\r\nestimate 1 1 2 3\r\nestimate 1 1 2 3\r\n[end]\r\n")
            << 22 << "a second estimate";
        QTest::newRow("more after the extras")
            << extras("[arrowplan extras 1]\r\n[end]\r\nmore\r\n") << 22 << "followed by more";
    }
    void hostileFilesAreRefused() {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, what);
        const FileProblem problem = std::get<FileProblem>(read(file.toStdString()));
        QCOMPARE(problem.line, line);
        QVERIFY2(toQString(problem.what).contains(what), problem.what.c_str());
        QCOMPARE(problem.noNodes, what == "no nodes");
        QCOMPARE(problem.taskList, what.contains("task list"));
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

        // Everything but the session's own state is the file's; no tree mark stays.
        QVERIFY(!saveProjectFile(file, yard()));
        QVERIFY(!loadProjectFile(file, current));
        Project expected = yard();
        expected.printingCosts = 1;
        QVERIFY(current == expected);

        // Saving over a file keeps its permissions.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(!saveProjectFile(file, rich()));
        QCOMPARE(stored(path), written(rich()));
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions(QFile::ReadGroup));

        // A target that cannot be replaced stays as it was, and so do its
        // neighbours: no temporary file is left behind.
        const QString folder = dir.filePath("taken.cpm");
        QVERIFY(QDir().mkdir(folder));
        const auto failed = saveProjectFile(folder.toStdString(), yard());
        QVERIFY(failed && failed->find("previous file is unchanged") != std::string::npos);
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        // Through a link its target is saved, made first when the link
        // dangles; the link stays. (A folder root may not write in cannot be
        // made here, but a name too long for the temporary file's takes the
        // same way: the file is written in place.)
        const QString link = dir.filePath("link.cpm");
        std::filesystem::create_symlink("real/linked.cpm", link.toStdString());
        QVERIFY(QDir().mkdir(dir.filePath("real")));
        for (const Project& project : {yard(), rich()}) {
            QVERIFY(!saveProjectFile(link.toStdString(), project));
            QCOMPARE(stored(dir.filePath("real/linked.cpm")), written(project));
        }
        QVERIFY(QFileInfo(link).isSymLink());
        const QString longName = dir.filePath(QString(250, 'x'));
        QVERIFY(!saveProjectFile(longName.toStdString(), yard()));
        QCOMPARE(stored(longName), written(yard()));
    }
};

QTEST_APPLESS_MAIN(ModelTest)
#include "model_test.moc"
