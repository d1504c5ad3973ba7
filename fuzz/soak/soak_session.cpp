#include "soak_session.h"

#include "soak_invariants.h"

#include "editor/canvas.h"
#include "model/number_text.h"
#include "model/project_file.h"
#include "platform/qt_text.h"
#include "schedule/listing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sstream>

namespace arrowplan::soak {

namespace {

// The messages a user may meet on the way; any other is a finding. The
// currency range is the one limit the tables cannot keep a user from.
const char* const expectedMessages[] = {
    "message: Please try again |",
    "message: A project holds at most 100 ",
    "message: Error in Printing |",
    "message: The project was not loaded.",
    "message: The project has no nodes yet,",
    "message: The command was stopped: the number is too large for a currency value.",
    "message: The command was stopped: a sum is too large for a currency value.",
    "message: The command was stopped: a difference is too large for a currency value.",
};

std::string stored(const Project& project) {
    std::ostringstream out;
    writeProject(out, project);
    return out.str();
}

std::optional<std::string> contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

void write(const QString& path, const std::string& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
}

int number(const std::string& text) {
    return std::atoi(text.c_str());
}

void clickIfUsable(QAbstractButton* button) {
    if (button && button->isVisible() && button->isEnabled()) {
        button->click();
    }
}

} // namespace

Session::Session(const QString& folder) : folder_(folder), window_(document_, prompts_) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    window_.setEndProgram([] {});
    // The spanning-tree pause ends at the next chance events get to run.
    timer1_ = window_.findChild<QTimer*>("Timer1");
    timer1_->setInterval(0);
    canvas_ = window_.findChild<Canvas*>("canvas");
    QObject::connect(window_.List1()->model(), &QAbstractItemModel::modelReset, [this] {
        listCleared_ = true;
        firstBlock_.reset();
    });
    QObject::connect(window_.List1()->model(), &QAbstractItemModel::rowsInserted,
                     [this](const QModelIndex&, int first, int last) {
                         if (listCleared_ && !firstBlock_) {
                             firstBlock_ = {first, last};
                         }
                     });
    window_.show();
}

Session::~Session() = default;

QWidget* Session::cards() const {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "frmJobsList") {
            return w;
        }
    }
    return nullptr;
}

QWidget* Session::printOptions() const {
    return window_.findChild<QWidget*>("frmPrint");
}

bool Session::cardsOpen() const {
    const QWidget* c = cards();
    return c && c->isVisible();
}

bool Session::printOptionsOpen() const {
    const QWidget* p = printOptions();
    return p && p->isVisible() && p->isEnabled();
}

bool Session::pausing() const {
    return timer1_->isActive();
}

QString Session::path(const std::string& name) const {
    if (name.starts_with("example:")) {
        return QStringLiteral(ARROWPLAN_EXAMPLES "/") + toQString(name.substr(8)) + ".cpm";
    }
    return folder_ + "/" + toQString(name);
}

qint64 Session::fileSize(const std::string& name) const {
    return saved_.contains(name) ? static_cast<qint64>(saved_.at(name).size()) : 0;
}

std::optional<std::string> Session::run(const Command& command) {
    prompts_.asked.clear();
    listCleared_ = false;
    firstBlock_.reset();
    failure_.reset();
    try {
        perform(command);
    } catch (const std::exception& error) {
        return std::string("an exception escaped the handlers: ") + error.what();
    } catch (...) {
        return "an exception escaped the handlers";
    }
    prompts_.inputs.clear();
    prompts_.files.clear();
    prompts_.yesNo.clear();
    if (failure_) {
        return failure_;
    }
    if (auto failure = checkMessages()) {
        return failure;
    }
    if (auto failure = checkTables(project_)) {
        return failure;
    }
    return checkListBox();
}

std::optional<std::string> Session::checkMessages() const {
    for (const QString& asked : prompts_.asked) {
        if (!asked.startsWith("message: ")) {
            continue;
        }
        bool expected = false;
        for (const char* text : expectedMessages) {
            expected = expected || asked.startsWith(QString::fromUtf8(text));
        }
        if (!expected) {
            return "unexpected " + toStdString(asked);
        }
    }
    return std::nullopt;
}

std::optional<std::string> Session::checkListBox() const {
    const QListWidget* list = window_.List1();
    if (!firstBlock_) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    for (int i = firstBlock_->first; i <= firstBlock_->second; ++i) {
        lines.push_back(toStdString(list->item(i)->text()));
    }
    if (lines.front() == listingHeader) {
        ++checked_.listings;
        return checkListing(project_, lines);
    }
    if (lines.front().starts_with("Total Costs for the ") && project_.printingCosts == 0) {
        ++checked_.costs;
        return checkCosts(project_, lines);
    }
    return std::nullopt;
}

void Session::perform(const Command& c) {
    const std::string& verb = c.verb;
    if (verb == "press") {
        press(c);
    } else if (verb == "button") {
        clickIfUsable(window_.findChild<QPushButton*>(toQString(c.arg(0))));
    } else if (verb == "action" && window_.isEnabled()) {
        window_.findChild<QAction*>(toQString(c.arg(0)))->trigger();
    } else if (verb == "walk") {
        walk(c);
    } else if (verb == "name" && window_.isEnabled()) {
        prompts_.inputs << toQString(c.arg(0));
        window_.findChild<QAction*>("namen")->trigger();
    } else if (verb == "save") {
        save(c.arg(0));
    } else if (verb == "load") {
        load(c.arg(0));
    } else if (verb == "spoil") {
        spoil(c);
    } else if (verb == "card") {
        card(c);
    } else if (verb == "print") {
        print(c);
    } else if (verb == "kruskal" && window_.isEnabled()) {
        QTest::mouseClick(window_.findChild<QLabel*>(toQString("Label" + c.arg(0))),
                          Qt::LeftButton);
    } else if (verb == "wait") {
        QCoreApplication::processEvents();
    }
}

void Session::press(const Command& c) {
    if (!canvas_->isEnabled()) {
        return; // the disabled window takes no clicks
    }
    const Qt::MouseButton button = c.arg(0) == "R" ? Qt::RightButton : Qt::LeftButton;
    emit canvas_->pressed(button,
                          QPointF(std::atof(c.arg(1).c_str()), std::atof(c.arg(2).c_str())));
}

// Expected times or titles, answered in turn; an answer left over is not
// asked, a missing one is a cancel.
void Session::walk(const Command& c) {
    if (!window_.isEnabled()) {
        return;
    }
    for (std::size_t i = 1; i < c.args.size(); ++i) {
        prompts_.inputs << toQString(c.args[i]);
    }
    const QString name = toQString(c.arg(0));
    if (name.startsWith("mnu")) {
        window_.findChild<QAction*>(name)->trigger();
    } else {
        clickIfUsable(window_.findChild<QPushButton*>(name));
    }
}

void Session::save(const std::string& name) {
    if (!window_.isEnabled()) {
        return;
    }
    const QString file = path(name);
    const std::optional<std::string> before = contents(file);
    prompts_.files << (name.empty() ? QString() : file);
    window_.findChild<QAction*>("sav")->trigger();
    if (name.empty()) {
        return;
    }
    const std::optional<std::string> after = contents(file);
    if (project_.nodeCount == 0) {
        if (after != before) {
            failure_ = "saving a project without nodes changed " + name;
        }
        return;
    }
    if (after != stored(project_)) {
        failure_ = "the saved file " + name + " is not what the tables hold";
        return;
    }
    saved_[name] = *after;
}

void Session::load(const std::string& name) {
    if (!window_.isEnabled()) {
        return;
    }
    const Project before = project_;
    const bool noHalfMadeArrow = project_.edgeStarted == 0;
    prompts_.files << (name.empty() ? QString() : path(name));
    window_.findChild<QAction*>("loa")->trigger();
    if (name.empty()) {
        return;
    }
    const bool refused = prompts_.asked.contains("beep") ||
                         !prompts_.asked.filter("message: The project was not loaded.").isEmpty();
    if (const auto known = saved_.find(name); known != saved_.end()) {
        if (refused) {
            failure_ = "the saved file " + name +
                       " does not load: " + toStdString(prompts_.asked.join(" / "));
        } else if (stored(project_) != known->second) {
            failure_ = "saving and loading " + name + " changed the tables";
        }
        ++checked_.roundTrips;
        return;
    }
    if (refused && noHalfMadeArrow) {
        if (!(project_ == before)) {
            failure_ = "the file " + name + " was refused but changed the project";
        }
        ++checked_.refusals;
    }
}

// A saved file cut short, or a file that is no project at all.
void Session::spoil(const Command& c) {
    const std::string& name = c.arg(0);
    const std::string& kind = c.arg(1);
    const QString file = path(name);
    std::string text;
    if (kind == "cut") {
        text = contents(file).value_or("").substr(0, static_cast<std::size_t>(number(c.arg(2))));
    } else if (kind == "zero") {
        text = "0\r\n5\r\n";
    } else if (kind == "big") {
        text = "101\r\n1\r\n";
    } else {
        text = "12\r\nabc\r\n";
    }
    write(file, text);
    saved_.erase(name);
}

void Session::card(const Command& c) {
    QWidget* w = cards();
    if (!w || !w->isVisible() || !w->isEnabled()) {
        return;
    }
    const std::string& op = c.arg(0);
    if (op == "type") {
        const int n = number(c.arg(1));
        auto* box = w->findChild<QLineEdit*>("Text" + QString::number(n));
        const QString text = toQString(c.arg(2));
        if (n == 1 || n == 5 || n == 6 || n == 7) {
            QTest::keyClicks(box, text); // a box that only shows figures
            return;
        }
        box->setText(text);
        if (c.arg(3) == "enter") {
            QTest::keyClick(box, Qt::Key_Return);
        } else if (c.arg(3) == "leave") {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &out);
        }
    } else if (op == "notes") {
        w->findChild<QPlainTextEdit*>("Text2")->setPlainText(toQString(c.arg(1)));
    } else if (op == "check") {
        clickIfUsable(w->findChild<QCheckBox*>("Check1"));
    } else if (op == "option") {
        clickIfUsable(w->findChild<QRadioButton*>(toQString("Option1_" + c.arg(1))));
    } else if (op == "next" || op == "previous") {
        clickIfUsable(w->findChild<QToolButton*>(op == "next" ? "Image1" : "Image2"));
    } else if (op == "done") {
        w->findChild<QAction*>("dn")->trigger();
    } else if (op == "delete") {
        prompts_.yesNo << (c.arg(1) == "yes");
        w->findChild<QAction*>("del")->trigger();
    } else if (op == "close") {
        w->close();
    }
    const bool shownAfresh = op == "next" || op == "previous" ||
                             (op == "delete" && c.arg(1) == "yes") ||
                             (op == "type" && c.arg(3) != "none");
    if (shownAfresh && w->isVisible()) {
        failure_ = checkCard(w);
    }
}

// After a commit, a step or a deletion the card shows the tables afresh.
std::optional<std::string> Session::checkCard(QWidget* w) const {
    const int j = project_.currentJob;
    if (j < 0 || j > std::max<int>(1, project_.edgeCount)) {
        return "the card shows job " + std::to_string(j) + " of " +
               std::to_string(project_.edgeCount);
    }
    const auto box = [w](int n) {
        return toStdString(w->findChild<QLineEdit*>("Text" + QString::number(n))->text());
    };
    const std::pair<int, std::string> shown[] = {
        {1, plainText(project_.edgeFrom[j]) + "," + plainText(project_.edgeTo[j])},
        {3, plainText(project_.edgeWeight[j])},
        {4, plainText(project_.jobAmount[j])},
        {8, plainText(project_.jobActualTime[j])},
        {9, plainText(project_.jobDelay[j])},
        {10, project_.jobTitle[j].text()},
    };
    for (const auto& [n, text] : shown) {
        if (box(n) != text) {
            return "the card's Text" + std::to_string(n) + " shows \"" + box(n) + "\", job " +
                   std::to_string(j) + " holds \"" + text + "\"";
        }
    }
    if (w->findChild<QCheckBox*>("Check1")->isChecked() != (project_.jobDone[j] == 1)) {
        return "the card's Done box disagrees with job " + std::to_string(j);
    }
    return std::nullopt;
}

void Session::print(const Command& c) {
    const std::string& op = c.arg(0);
    if (op == "open") {
        if (window_.isEnabled()) {
            window_.findChild<QAction*>("pr")->trigger();
        }
        return;
    }
    QWidget* w = printOptions();
    if (!w || !w->isVisible() || !w->isEnabled()) {
        return;
    }
    if (op == "tick") {
        clickIfUsable(w->findChild<QCheckBox*>(toQString("Check" + c.arg(1))));
    } else if (op == "go") {
        prompts_.printToFile = c.arg(1) == "pdf" ? path("print.pdf") : QString();
        clickIfUsable(w->findChild<QPushButton*>("Command1"));
        prompts_.printToFile.clear();
    } else if (op == "cancel") {
        clickIfUsable(w->findChild<QPushButton*>("Command2"));
    } else if (op == "close") {
        w->close();
    }
}

std::optional<Broken> runAll(Session& session, const std::vector<Command>& commands) {
    for (std::size_t step = 0; step < commands.size(); ++step) {
        if (auto failure = session.run(commands[step])) {
            return Broken{step, std::move(*failure)};
        }
    }
    return std::nullopt;
}

} // namespace arrowplan::soak
