// arrowplan-report's CSV and JSON carry the numbers of its text listing and
// weekly costs, on every example project; its SVG chart holds every node.

#include "model/currency_text.h"
#include "model/number_parse.h"
#include "platform/qt_text.h"
#include "schedule/report_csv.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace arrowplan;

namespace {

QByteArray report(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C"); // the reference money form, $1,234.50
    process.setProcessEnvironment(environment);
    process.start(ARROWPLAN_REPORT, arguments);
    process.waitForFinished();
    if (process.exitCode() != 0) {
        qWarning() << arguments << process.readAllStandardError();
    }
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

QStringList lines(const QByteArray& output) {
    return QString::fromUtf8(output).split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
}

// The rows after the header; no example needs quoting, which csvField's own
// table covers.
QList<QStringList> csvRows(const QByteArray& output) {
    QList<QStringList> rows;
    for (const QString& line : lines(output).mid(1)) {
        rows << line.split(',');
    }
    return rows;
}

Currency currencyOf(const QString& plain) {
    return toCurrency(toStdString(plain)).value_or(Currency::fromWhole(-999'999));
}

QString money(Currency amount) {
    return toQString(currencyText(amount, CurrencyFormat{}));
}

QString field(const QString& line, int from, int width) {
    return line.mid(from, width).trimmed();
}

void examples() {
    QTest::addColumn<QString>("file");
    for (const QFileInfo& file : QDir(ARROWPLAN_EXAMPLES).entryInfoList({"*.cpm"})) {
        QTest::newRow(qPrintable(file.fileName())) << file.filePath();
    }
}

} // namespace

class ReportFormatsTest : public QObject {
    Q_OBJECT

  private slots:
    void csvQuoting_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Dig"
                               << "Dig";
        QTest::newRow("comma") << "Oak, 1,100"
                               << "\"Oak, 1,100\"";
        QTest::newRow("quote") << "6\" pipe"
                               << "\"6\"\" pipe\"";
        QTest::newRow("line break") << "a\r\nb"
                                    << "\"a\r\nb\"";
    }
    void csvQuoting() {
        QFETCH(QString, text);
        QTEST(toQString(csvField(toStdString(text))), "field");
    }

    void listingFormatsAgree_data() { examples(); }
    void listingFormatsAgree() {
        QFETCH(QString, file);
        const QStringList text = lines(report({"listing", file}));
        const QList<QStringList> csv = csvRows(report({"listing", "--format", "csv", file}));
        const QJsonObject json =
            QJsonDocument::fromJson(report({"listing", "--format=json", file})).object();
        const QJsonArray jobs = json["jobs"].toArray();
        const QJsonArray events = json["events"].toArray();
        QVERIFY(!text.isEmpty());
        QCOMPARE(csv.size(), text.size() - 1);
        QCOMPARE(jobs.size(), csv.size());
        for (qsizetype j = 0; j < csv.size(); ++j) {
            const QString& line = text[j + 1];
            const QStringList& row = csv[j];
            const QString delay = row[8] == "0" ? QString() : "{" + row[8] + "}";
            const QStringList fromText{
                field(line, 0, 2),  field(line, 3, 2),   field(line, 5, 7),
                field(line, 12, 6), field(line, 24, 14), field(line, 38, 3) == "cp" ? "1" : "0",
                field(line, 41, 7), field(line, 48, 6),  field(line, 55, 9)};
            const QStringList fromCsv{row[1], row[2],         row[3],  row[4], row[5],
                                      row[6], row[7] + delay, row[10], row[11]};
            QCOMPARE(fromCsv, fromText);
            const QJsonObject job = jobs[j].toObject();
            const QStringList keys{"from",  "to",       "earlyStart", "lateFinish", "time",
                                   "delay", "duration", "slack",      "amount",     "paymentMode"};
            const QList<int> columns{1, 2, 3, 4, 7, 8, 9, 10, 11, 12};
            for (qsizetype k = 0; k < keys.size(); ++k) {
                QCOMPARE(job[keys[k]].toDouble(), row[columns[k]].toDouble());
            }
            QCOMPARE(job["title"].toString(), row[5]);
            QCOMPARE(job["critical"].toBool(), row[6] == "1");
            const int from = job["from"].toInt();
            QCOMPARE(events[from - 1]["earlyTime"].toDouble(), job["earlyStart"].toDouble());
            QCOMPARE(events[job["to"].toInt() - 1]["lateTime"].toDouble(),
                     job["lateFinish"].toDouble());
        }
    }

    void costFormatsAgree_data() { examples(); }
    void costFormatsAgree() {
        QFETCH(QString, file);
        const QList<QStringList> csv = csvRows(report({"costs", "--format", "csv", file}));
        const QJsonArray weeks =
            QJsonDocument::fromJson(report({"costs", "--format", "json", file}))
                .object()["weeks"]
                .toArray();
        // Week lines in the text's order: the totals, then each job's.
        QStringList fromText;
        const QRegularExpression weekLine(R"(^week=\s*(\d+),\s+costs=\s*(\S+)\s+Total=\s*(\S+)$)");
        for (const QString& line : lines(report({"costs", file}))) {
            if (const auto match = weekLine.match(line); match.hasMatch()) {
                fromText << match.captured(1) + " " + match.captured(2) + " " + match.captured(3);
            }
        }
        QStringList fromCsv;
        QStringList fromJson;
        // The project's column (job 0) has its own totals; a job's add up.
        for (qsizetype job = 0; job <= (csv.isEmpty() ? 0 : csv[0].size() - 3); ++job) {
            Currency csvTotal;
            Currency jsonTotal;
            for (qsizetype w = 0; w < csv.size(); ++w) {
                const Currency cost = currencyOf(csv[w][job == 0 ? 1 : 2 + job]);
                csvTotal = job == 0 ? currencyOf(csv[w][2]) : csvTotal + cost;
                fromCsv << csv[w][0] + " " + money(cost) + " " + money(csvTotal);
                const QJsonObject week = weeks[w].toObject();
                const Currency paid = Currency::fromDouble(
                    job == 0 ? week["cost"].toDouble() : week["jobs"][job - 1].toDouble());
                jsonTotal =
                    job == 0 ? Currency::fromDouble(week["total"].toDouble()) : jsonTotal + paid;
                fromJson << QString::number(week["week"].toInt()) + " " + money(paid) + " " +
                                money(jsonTotal);
            }
        }
        QCOMPARE(weeks.size(), csv.size());
        QCOMPARE(fromCsv, fromText);
        QCOMPARE(fromJson, fromText);
    }

    void svgHoldsEveryNode_data() { examples(); }
    void svgHoldsEveryNode() {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString drawing = dir.filePath("chart.svg");
        QVERIFY(report({"chart", file, drawing}).isEmpty());
        QFile svg(drawing);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        int circles = 0;
        QStringList texts;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"circle") {
                ++circles;
            } else if (xml.isStartElement() && xml.name() == u"text") {
                texts << xml.readElementText().trimmed();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QJsonArray events =
            QJsonDocument::fromJson(report({"listing", "--format", "json", file}))
                .object()["events"]
                .toArray();
        QCOMPARE(circles, events.size());
        for (const QJsonValue event : events) {
            QVERIFY(texts.contains(QString::number(event["node"].toInt())));
        }
    }
};

QTEST_GUILESS_MAIN(ReportFormatsTest)
#include "report_formats_test.moc"
