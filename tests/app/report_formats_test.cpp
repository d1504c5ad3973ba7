// arrowplan-report's CSV and JSON carry the numbers of its text listing and
// weekly costs, on every example project; its SVG chart holds every node.

#include "model/currency_text.h"
#include "model/number_parse.h"
#include "model/number_text.h"
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
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(ARROWPLAN_REPORT, arguments);
    process.waitForFinished();
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

QStringList lines(const QByteArray& output) {
    return QString::fromUtf8(output).split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
}

// The header and the rows; no example needs quoting, which csvField's own
// cases cover.
QList<QStringList> csvRows(const QByteArray& output) {
    QList<QStringList> rows;
    for (const QString& line : lines(output)) {
        rows << line.split(',');
    }
    return rows;
}

QJsonObject json(const QStringList& arguments) {
    return QJsonDocument::fromJson(report(arguments)).object();
}

// A plain amount of the CSV as the text shows money.
QString money(const QString& plain) {
    const std::optional<Currency> amount = toCurrency(toStdString(plain));
    return amount ? toQString(currencyText(*amount, CurrencyFormat{})) : plain;
}

QString field(const QString& line, int from, int width) {
    return line.mid(from, width).trimmed();
}

// The JSON's keys are the CSV's column names, and its values the row's.
bool holdsRow(const QJsonObject& object, const QStringList& header, const QStringList& row) {
    for (qsizetype column = 0; column < row.size(); ++column) {
        const QVariant value = object[header[column]].toVariant();
        const bool same = value.typeId() == QMetaType::QString
                              ? value.toString() == row[column]
                              : value.toDouble() == row[column].toDouble(); // true as 1
        if (!same) {
            qWarning() << header[column] << value << row[column];
            return false;
        }
    }
    return true;
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
    void initTestCase() { qputenv("LC_ALL", "C"); } // the reference money form, $1,234.50

    void csvQuoting() {
        const QList<std::pair<std::string, std::string>> cases{{"Dig", "Dig"},
                                                               {"Oak, 1,100", "\"Oak, 1,100\""},
                                                               {"6\" pipe", "\"6\"\" pipe\""},
                                                               {"a\r\nb", "\"a\r\nb\""}};
        for (const auto& [text, quoted] : cases) {
            QCOMPARE(csvField(text), quoted);
        }
    }

    void listingFormatsAgree_data() { examples(); }
    void listingFormatsAgree() {
        QFETCH(QString, file);
        const QStringList text = lines(report({"listing", file}));
        const QList<QStringList> csv = csvRows(report({"listing", "--format", "csv", file}));
        const QJsonObject listing = json({"listing", "--format=json", file});
        const QJsonArray jobs = listing["jobs"].toArray();
        const QJsonArray events = listing["events"].toArray();
        QCOMPARE(csv.size(), text.size());
        QCOMPARE(jobs.size(), csv.size() - 1);
        for (qsizetype j = 1; j < csv.size(); ++j) {
            const QString& line = text[j];
            const QStringList& row = csv[j];
            const QString delay = row[8] == "0" ? QString() : "{" + row[8] + "}";
            const QStringList fromText{
                field(line, 0, 2),  field(line, 3, 2),   field(line, 5, 7),
                field(line, 12, 6), field(line, 24, 14), field(line, 38, 3) == "cp" ? "1" : "0",
                field(line, 41, 7), field(line, 48, 6),  field(line, 55, 9)};
            const QStringList fromCsv{row[1], row[2],         row[3],  row[4], row[5],
                                      row[6], row[7] + delay, row[10], row[11]};
            QCOMPARE(fromCsv, fromText);
            const QJsonObject job = jobs[j - 1].toObject();
            QVERIFY(holdsRow(job, csv[0], row));
            QCOMPARE(events[job["from"].toInt() - 1]["earlyTime"], job["earlyStart"]);
            QCOMPARE(events[job["to"].toInt() - 1]["lateTime"], job["lateFinish"]);
        }
    }

    void costFormatsAgree_data() { examples(); }
    void costFormatsAgree() {
        QFETCH(QString, file);
        const QList<QStringList> csv = csvRows(report({"costs", "--format", "csv", file}));
        const QJsonArray weeks = json({"costs", "--format", "json", file})["weeks"].toArray();
        // The totals' week lines of the text, then a job's begins.
        const QRegularExpression weekLine(R"(^week=\s*(\d+),\s+costs=\s*(\S+)\s+Total=\s*(\S+)$)");
        const QStringList text = lines(report({"costs", file}));
        QCOMPARE(weeks.size(), csv.size() - 1);
        const auto plain = [](const QJsonValue& amount) {
            return toQString(plainText(Currency::fromDouble(amount.toDouble())));
        };
        for (qsizetype w = 1; w < csv.size(); ++w) {
            QCOMPARE((QStringList{csv[w][0], money(csv[w][1]), money(csv[w][2])}),
                     weekLine.match(text[w]).capturedTexts().mid(1));
            const QJsonObject week = weeks[w - 1].toObject();
            QStringList fromJson{QString::number(week["week"].toInt()), plain(week["cost"]),
                                 plain(week["total"])};
            for (const QJsonValue paid : week["jobs"].toArray()) {
                fromJson << plain(paid);
            }
            QCOMPARE(fromJson, csv[w]);
        }
    }

    void floatFormatsAgree_data() { examples(); }
    void floatFormatsAgree() {
        QFETCH(QString, file);
        const QStringList text = lines(report({"floats", file}));
        const QList<QStringList> csv = csvRows(report({"floats", "--format", "csv", file}));
        const QJsonArray jobs = json({"floats", "--format", "json", file})["jobs"].toArray();
        QCOMPARE(csv.size(), text.size());
        QCOMPARE(jobs.size(), csv.size() - 1);
        for (qsizetype j = 1; j < csv.size(); ++j) {
            const QString& line = text[j];
            QCOMPARE((QStringList{field(line, 0, 2), field(line, 3, 2), field(line, 7, 14),
                                  field(line, 28, 7), field(line, 35, 7), field(line, 42, 7),
                                  field(line, 49, 7)}),
                     csv[j].mid(1, 3) + csv[j].mid(5));
            QVERIFY(holdsRow(jobs[j - 1].toObject(), csv[0], csv[j]));
        }
    }

    // The curve's lengths and costs; the time each job is shortened by in
    // its CSV column and among the JSON's shortenings.
    void curveFormatsAgree_data() { examples(); }
    void curveFormatsAgree() {
        QFETCH(QString, file);
        const QStringList text = lines(report({"crash", file}));
        const QList<QStringList> csv = csvRows(report({"crash", "--format", "csv", file}));
        const QJsonArray points = json({"crash", "--format", "json", file})["points"].toArray();
        QCOMPARE(points.size(), csv.size() - 1);
        QCOMPARE(text.size(), csv.size() + 2); // and the legend and the least total cost
        for (qsizetype p = 1; p < csv.size(); ++p) {
            const QString& line = text[p];
            QCOMPARE((QStringList{field(line, 0, 7), line.mid(7, 1) == "*" ? "1" : "0",
                                  field(line, 8, 11), field(line, 19, 12), field(line, 31, 12)}),
                     csv[p].mid(0, 5));
            const QJsonObject point = points[p - 1].toObject();
            QStringList shortened(csv[0].size() - 6, "0");
            for (const QJsonValue job : point["shortened"].toArray()) {
                shortened[job["job"].toInt() - 1] = QString::number(job["by"].toDouble());
            }
            QCOMPARE(csv[p].mid(6), shortened);
            QCOMPARE(point["length"].toDouble(), csv[p][0].toDouble());
            QCOMPARE(point["totalCost"].toDouble(), csv[p][4].toDouble());
        }
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
        const QJsonArray events = json({"listing", "--format", "json", file})["events"].toArray();
        QCOMPARE(circles, events.size());
        for (const QJsonValue event : events) {
            QVERIFY(texts.contains(QString::number(event["node"].toInt())));
        }
    }
};

QTEST_GUILESS_MAIN(ReportFormatsTest)
#include "report_formats_test.moc"
