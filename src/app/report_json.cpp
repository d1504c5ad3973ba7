#include "app/report_json.h"

#include "model/number_text.h"
#include "platform/qt_text.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace arrowplan {

namespace {

// Through the plain text, so that an expected time of 0.3333333 is that
// number and not the nearest single-precision value's long expansion.
template <typename Number> double number(Number value) {
    return QByteArray::fromStdString(plainText(value)).toDouble();
}

QByteArray document(const Project& project, QJsonObject&& object) {
    object.insert("project", toQString(project.projectName));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace

QByteArray listingJson(const Project& project) {
    QJsonArray events;
    for (const ListedEvent& event : listedEvents(project)) {
        events.append(QJsonObject{{"node", event.node},
                                  {"earlyTime", number(event.earlyTime)},
                                  {"lateTime", number(event.lateTime)},
                                  {"critical", event.critical}});
    }
    QJsonArray jobs;
    for (const ListedJob& job : listedJobs(project)) {
        jobs.append(QJsonObject{{"job", job.job},
                                {"from", number(job.from)},
                                {"to", number(job.to)},
                                {"earlyStart", number(job.earlyStart)},
                                {"lateFinish", number(job.lateFinish)},
                                {"title", toQString(job.title.trimmed())},
                                {"critical", job.critical},
                                {"time", number(job.expectedTime)},
                                {"delay", number(job.delay)},
                                {"duration", number(job.duration)},
                                {"slack", number(job.slack)},
                                {"amount", number(job.amount)},
                                {"paymentMode", job.payMode}});
    }
    return document(project, {{"events", events}, {"jobs", jobs}});
}

QByteArray weeklyCostJson(const Project& project) {
    const WeeklyCosts costs = weeklyCosts(project, CostSections{});
    QJsonArray jobs;
    for (const ListedJob& job : listedJobs(project)) {
        jobs.append(QJsonObject{{"job", job.job},
                                {"from", number(job.from)},
                                {"to", number(job.to)},
                                {"title", toQString(job.title.trimmed())},
                                {"amount", number(job.amount)},
                                {"paymentMode", job.payMode}});
    }
    QJsonArray weeks;
    for (std::size_t week = 0; week < costs.project.cost.size(); ++week) {
        QJsonArray paid;
        for (const WeeklyCosts::Payments& job : costs.jobs) {
            paid.append(number(job.cost[week]));
        }
        weeks.append(QJsonObject{{"week", static_cast<qint64>(week)},
                                 {"jobs", paid},
                                 {"cost", number(costs.project.cost[week])},
                                 {"total", number(costs.project.total[week])}});
    }
    return document(
        project,
        {{"projectWeeks", static_cast<qint64>(costs.weeks)}, {"jobs", jobs}, {"weeks", weeks}});
}

} // namespace arrowplan
