#include "exchange/ms_project_xml.h"
#include "model/number_text.h"
#include "platform/qt_text.h"

#include <QTest>

using namespace arrowplan;

namespace {

Task made(std::string id, std::string title, float time, double delay, double amount,
          std::int16_t payMode, std::vector<std::string> predecessors, std::string notes = "") {
    return {id,      title, time,        Currency::fromDouble(delay), Currency::fromDouble(amount),
            payMode, notes, predecessors};
}

// Each task as "id|title|time|amount|pay mode|description|predecessors".
QStringList shown(const TaskList& list) {
    QStringList lines;
    for (const Task& task : list.tasks) {
        lines << QString::fromStdString(task.id + "|" + task.title + "|" + plainText(task.time) +
                                        "|" + plainText(task.amount) + "|" +
                                        std::to_string(task.payMode) + "|" + task.description +
                                        "|") +
                     toQStringList(task.predecessors).join(' ');
    }
    return lines;
}

} // namespace

class MsProjectXmlTest : public QObject {
    Q_OBJECT

  private slots:
    // The delay joins the time; Pay 50/50 and unknown modes come back paying evenly.
    void writtenListsReadBack() {
        const TaskList list{"Küche <neu>",
                            {made("dig", "Dig & fill", 0.3333f, 0, -250.5, payAtStart, {},
                                  "Ask <Jo> & \"Mo\"\nÄrger, 日本"),
                             made("pour", "Pour", 2.5f, 1, 100, payHalfAndHalf, {"dig"}),
                             made("cure", "Cure", 0.0001f, 0, 0.0001, payAtEnd, {"dig", "pour"}),
                             made("clean", "Clean", 0.5f, -1, 12345.6789, payEvenly, {"cure"}),
                             made("odd", "Odd", 1, 0, 7, 7, {})},
                            {}};
        std::vector<ImportWarning> warnings;
        const std::string xml = writeMsProjectXml(list, warnings);
        QVERIFY(xml.find("<Duration>PT0H0M14.4S</Duration>") != std::string::npos);
        const TaskList back = readMsProjectXml(xml);
        QCOMPARE(back.name, list.name);
        QCOMPARE(shown(back),
                 (QStringList{"1|Dig & fill|0.3333|-250.5|1|Ask <Jo> & \"Mo\"\nÄrger, 日本|",
                              "2|Pour|3.5|100|0||1", "3|Cure|0.0001|0.0001|3||1 2",
                              "4|Clean|-0.5|12345.6789|0||3", "5|Odd|1|7|0||"}));
        QVERIFY(back.warnings.empty());
        QCOMPARE(warnings.size(), 2u);
        QCOMPARE(warnings[0].text, "Task \"Pour\": its payment mode (Pay 50/50) has no counterpart "
                                   "in MS Project, which pays it prorated");
        QVERIFY(warnings[1].text.find("\"Odd\": its payment mode (code 7)") != std::string::npos);
    }

    // Task 0, summary tasks, blank rows and inactive tasks are left out; a
    // summary's links reach its tasks, and a link to it reaches each of them
    // once; a link to an inactive task reaches what it waits for.
    void readsSummariesAndLinks() {
        const TaskList list = readMsProjectXml(R"(<?xml version="1.0"?>
<Project><Name>Shed</Name><MinutesPerDay>420</MinutesPerDay><MinutesPerWeek>2100</MinutesPerWeek>
<Tasks>
<Task><UID>0</UID><Name>Shed</Name></Task>
<Task><UID>1</UID><Name>Order</Name><OutlineLevel>1</OutlineLevel><Duration>P1DT3H30M0S</Duration></Task>
<Task><UID>2</UID><Name>Build</Name><OutlineLevel>1</OutlineLevel><Summary>true</Summary>
  <PredecessorLink><PredecessorUID>1</PredecessorUID></PredecessorLink></Task>
<Task><UID>3</UID><Name>Walls</Name><OutlineLevel>2</OutlineLevel><Duration>PT35H0M0S</Duration>
  <FixedCost>12345</FixedCost><FixedCostAccrual>3</FixedCostAccrual><Extra><A/></Extra></Task>
<Task><UID>4</UID><Name>Roof</Name><OutlineLevel>2</OutlineLevel><PredecessorLink>
  <PredecessorUID>3</PredecessorUID><Type>3</Type><LinkLag>4800</LinkLag></PredecessorLink></Task>
<Task><UID>5</UID><Name>Paint</Name><OutlineLevel>1</OutlineLevel>
  <PredecessorLink><PredecessorUID>3</PredecessorUID></PredecessorLink>
  <PredecessorLink><PredecessorUID>2</PredecessorUID></PredecessorLink>
  <PredecessorLink><PredecessorUID>4</PredecessorUID></PredecessorLink><PredecessorLink><PredecessorUID>6</PredecessorUID></PredecessorLink></Task>
<Task><UID>8</UID><IsNull>1</IsNull></Task>
<Task><UID>6</UID><Active>0</Active><PredecessorLink><PredecessorUID>1</PredecessorUID></PredecessorLink></Task>
<Task><UID>7</UID><Name>Tidy</Name><PredecessorLink><PredecessorUID>6</PredecessorUID></PredecessorLink></Task>
</Tasks></Project>)");
        QCOMPARE(list.name, "Shed");
        QCOMPARE(shown(list),
                 (QStringList{"1|Order|0.3|0|0||", "3|Walls|1|123.45|3||1", "4|Roof|0|0|0||3 1",
                              "5|Paint|0|0|0||3 4 1", "7|Tidy|0|0|0||1"}));
        QCOMPARE(list.tasks[1].line, 8);
        QCOMPARE(list.warnings.size(), 3u);
        QCOMPARE(list.warnings[0].line, 10);
        QCOMPARE(list.warnings[1].line, 16);
        QCOMPARE(list.warnings[1].text, "blank rows (<IsNull>1</IsNull>) passed over: 1");
        QCOMPARE(list.warnings[2].line, 17);
        QVERIFY(list.warnings[2].text.starts_with("inactive tasks (<Active>0</Active>) left out"));
        QCOMPARE(list.warnings[0].text, "Task \"Roof\" (UID 4): its start-to-start link from UID 3 "
                                        "with a lag of 480 minutes is taken as finish-to-start "
                                        "without lag");
    }

    void refusals_data() {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        const auto inTask = [](const char* body) {
            return QString("<Project>\n<Tasks>\n<Task><UID>7</UID>\n%1</Task></Tasks></Project>")
                .arg(body);
        };
        const char* link =
            "<PredecessorLink><PredecessorUID>1</PredecessorUID>%1</PredecessorLink>";
        QTest::newRow("not XML") << "<Project>\n<Name>A</Nom>" << 2 << "not well-formed XML: ";
        QTest::newRow("root") << "<Plan/>" << 1 << "the root element is <Plan>";
        QTest::newRow("no UID") << "<Project><Tasks>\n<Task/></Tasks></Project>" << 2
                                << "<Task> has no <UID>";
        QTest::newRow("week") << "<Project><MinutesPerWeek>0</MinutesPerWeek></Project>" << 1
                              << "<MinutesPerWeek> \"0\": not a whole number from 1 to 10080";
        QTest::newRow("months")
            << inTask("<Duration>P2M</Duration>") << 4
            << "<Duration> \"P2M\" of task 7: months are not a fixed working time";
        QTest::newRow("years") << inTask("<Duration>P1Y</Duration>") << 4 << "years are not";
        QTest::newRow("two stops")
            << inTask("<Duration>PT1.2.3H</Duration>") << 4 << "not a duration";
        QTest::newRow("long") << inTask("<Duration>PT9999999999999H</Duration>") << 4 << "too long";
        QTest::newRow("cost") << inTask("<FixedCost>12,5</FixedCost>") << 4
                              << "<FixedCost> \"12,5\" of task 7: not a number";
        QTest::newRow("accrual") << inTask("\n<FixedCostAccrual>0</FixedCostAccrual>") << 5
                                 << "<FixedCostAccrual> \"0\" of task 7: not a whole number from 1";
        QTest::newRow("type") << inTask(qPrintable(QString(link).arg("\n<Type>SS</Type>"))) << 5
                              << "<Type> \"SS\" of task 7";
        QTest::newRow("lag") << inTask(qPrintable(QString(link).arg("<LinkLag>1d</LinkLag>"))) << 4
                             << "<LinkLag> \"1d\" of task 7: not a number";
        QTest::newRow("no predecessor") << inTask("<PredecessorLink/>") << 4
                                        << "<PredecessorLink> of task 7 has no <PredecessorUID>";
        QTest::newRow("unknown predecessor")
            << inTask(qPrintable(QString(link).arg(""))) << 4
            << "<PredecessorUID> \"1\" of task 7: no task of the file has this UID";
        QTest::newRow("UID twice") << "<Project><Tasks>\n<Task><UID>7</UID></Task>\n<Task><UID>7 "
                                      "</UID></Task></Tasks></Project>"
                                   << 3 << "<UID> \"7\": given to two tasks (the other on line 2)";
        QTest::newRow("entities") << "<?xml version=\"1.0\"?>\n<!DOCTYPE Project [<!ENTITY x "
                                     "SYSTEM \"file:///etc/passwd\">]>\n<Project><Name>&x;</Name>"
                                     "</Project>"
                                  << 2 << "the file declares entities";
    }

    void refusals() {
        QFETCH(QString, xml);
        QFETCH(int, line);
        QFETCH(QString, message);
        try {
            readMsProjectXml(xml.toStdString());
            QFAIL("the file was read");
        } catch (const ImportError& error) {
            QVERIFY2(QString::fromStdString(error.what()).contains(message), error.what());
            QCOMPARE(error.line(), line);
        }
    }
};

QTEST_APPLESS_MAIN(MsProjectXmlTest)
#include "ms_project_xml_test.moc"
