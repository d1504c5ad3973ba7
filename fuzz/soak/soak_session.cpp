#include "soak_session.h"

#include "soak_invariants.h"

#include "document/project_delta.h"
#include "editor/canvas.h"
#include "model/number_text.h"
#include "model/project_file.h"
#include "platform/qt_text.h"
#include "platform/typed_number.h"
#include "risk/project_estimates.h"
#include "risk_window/risk_window.h"
#include "schedule/listing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <utility>

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
    "message: The time and the delay must be numbers the schedule can add up.",
    "message: The command was stopped: the number is too large for a currency value.",
    "message: The command was stopped: a sum is too large for a currency value.",
    "message: The command was stopped: a difference is too large for a currency value.",
    // The risk window: an estimate refused as the user leaves its row, and
    // the settings of a run.
    "message: Job ",
    "message: The seed must be a whole number",
    "message: The week to finish by must be a number",
    "message: The analysis cannot run: ",
};

// The risk window's table: the columns of the three times, and the tint of a
// row whose times are no estimate yet.
constexpr int firstEstimateColumn = 4;
const QColor waitingTint(255, 228, 228);

// What the user typed into a row's three boxes makes: an estimate (none when
// all three are empty) the tables can hold, or nothing usable.
std::optional<std::optional<ThreePoint>> usableEstimate(const QStringList& typed) {
    if (typed.join("").trimmed().isEmpty()) {
        return std::optional<ThreePoint>();
    }
    double times[3];
    for (int i = 0; i < 3; ++i) {
        const std::optional<float> time = typedSingle(typed[i]);
        if (!time) {
            return std::nullopt;
        }
        times[i] = *time;
    }
    const bool allZero = times[0] == 0 && times[1] == 0 && times[2] == 0;
    if (times[0] < 0 || times[0] > times[1] || times[1] > times[2] || times[2] > 1e6 || allZero) {
        return std::nullopt;
    }
    return std::optional(ThreePoint{times[0], times[1], times[2]});
}

// The tables hold estimates only in order, from 0 to a million weeks.
bool usableAsStored(const std::optional<ThreePoint>& estimate) {
    return !estimate ||
           (estimate->optimistic >= 0 && estimate->optimistic <= estimate->mostLikely &&
            estimate->mostLikely <= estimate->pessimistic && estimate->pessimistic <= 1e6);
}

// The row's three boxes as the table shows them.
QStringList shownEstimate(const QTableWidget* table, int row) {
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        shown << table->item(row, firstEstimateColumn + i)->text();
    }
    return shown;
}

// The boxes hold the same times: the same numbers (a time stored meanwhile
// shows as its plain text, 1e-5 as 0.00001), or the same text where no number.
bool sameTimes(const QStringList& shown, const QStringList& typed) {
    for (int i = 0; i < 3; ++i) {
        const auto typedTime = typedSingle(typed[i]);
        if (typedTime ? typedSingle(shown[i]) != typedTime : shown[i] != typed[i]) {
            return false;
        }
    }
    return true;
}

QStringList storedEstimate(const Project& project, int job) {
    if (!hasEstimate(project, job)) {
        return {"", "", ""};
    }
    return {toQString(plainText(project.jobOptimistic[job])),
            toQString(plainText(project.jobMostLikely[job])),
            toQString(plainText(project.jobPessimistic[job]))};
}

// The question before unsaved work goes, as the scripted prompts write it down.
const QString savePrefix = QStringLiteral("save?: ");

// The Edit menu's items and their keys, and the way each takes the history.
const std::pair<const char*, int> historySteps[] = {
    {"mnuUndo", -1}, {"Ctrl+Z", -1}, {"mnuRedo", 1}, {"Ctrl+Shift+Z", 1}, {"Ctrl+Y", 1}};

int historyStepOf(const Command& c) {
    if (c.verb != "action" && c.verb != "key") {
        return 0;
    }
    for (const auto& [name, step] : historySteps) {
        if (c.arg(0) == name) {
            return step;
        }
    }
    return 0;
}

// Both Exits and the close box end the program once the question lets them.
bool ends(const Command& c) {
    return c.verb == "close" || (c.verb == "action" && c.arg(0) == "mnuExit") ||
           (c.verb == "button" && c.arg(0) == "cmdExit");
}

long questionsAsked(const QStringList& asked) {
    return std::count_if(asked.begin(), asked.end(),
                         [](const QString& a) { return a.startsWith(savePrefix); });
}

// The project as Save and Load see it: they take a half-made arrow back first.
Project takenBack(Project project) {
    if (project.edgeStarted != 0) {
        project.edgeStarted = 0;
        --project.edgeCount;
    }
    return project;
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
    // The program only counts its ends, so the soak goes on in the same window.
    window_.setEndProgram([this] { ++endings_; });
    QObject::connect(&document_, &ProjectDocument::stateChanged, [this] { historyMoved_ = true; });
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

namespace {

// The card and the print options are windows of their own, not children of
// the main window.
QWidget* topLevelNamed(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

QWidget* Session::cards() const {
    return topLevelNamed("frmJobsList");
}

QWidget* Session::printOptions() const {
    return topLevelNamed("frmPrint");
}

QWidget* Session::riskWindow() const {
    return topLevelNamed("frmRisk");
}

bool Session::riskOpen() const {
    const QWidget* r = riskWindow();
    return r && r->isVisible() && r->isEnabled();
}

QWidget* Session::timeCostWindow() const {
    return topLevelNamed("frmTimeCost");
}

bool Session::timeCostOpen() const {
    const QWidget* w = timeCostWindow();
    return w && w->isVisible();
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
    if (command.verb == "answer") {
        const std::string& what = command.arg(0);
        answer_ = Answer{what == "save"      ? SaveAnswer::save
                         : what == "discard" ? SaveAnswer::discard
                                             : SaveAnswer::cancel,
                         command.arg(1)};
        return std::nullopt;
    }
    const std::optional<Answer> answer = std::exchange(answer_, std::nullopt);
    prompts_.asked.clear();
    listCleared_ = false;
    firstBlock_.reset();
    failure_.reset();
    const Before was = before(command);
    if (answer) {
        prompts_.saveAnswers << answer->what;
        prompts_.saveAs = answer->file.empty() ? QString() : path(answer->file);
    }
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
    prompts_.saveAnswers.clear();
    prompts_.saveAs.clear();
    if (failure_) {
        return failure_;
    }
    if (auto failure = checkQuestion(command, was, answer)) {
        return failure;
    }
    if (command.verb == "load") {
        if (auto failure = checkLoad(command.arg(0), was, answer)) {
            return failure;
        }
    }
    if (auto failure = checkHistoryStep(was)) {
        return failure;
    }
    if (auto failure = checkMessages()) {
        return failure;
    }
    if (auto failure = checkTables(project_)) {
        return failure;
    }
    if (auto failure = checkListBox()) {
        return failure;
    }
    if (auto failure = checkRiskTable()) {
        return failure;
    }
    return checkHistory();
}

Session::Before Session::before(const Command& c) const {
    Before b;
    b.project = project_;
    b.reachesQuestion = reachesQuestion(c);
    b.unsaved = b.reachesQuestion && unsaved(project_);
    b.endings = endings_;
    b.historyStep = historyStepOf(c);
    const bool stepToTake = b.historyStep < 0 ? document_.canUndo() : document_.canRedo();
    if (b.historyStep != 0 && window_.isEnabled() && stepToTake) {
        History walk = document_.history();
        Project tables = project_;
        if (b.historyStep < 0) {
            walk.undo(tables);
        } else {
            walk.redo(tables);
        }
        b.stepped = std::move(tables);
    }
    return b;
}

// A command that asks before it drops unsaved work, given to a window that
// takes it: while the card is open the main window takes none, not even its
// close box.
bool Session::reachesQuestion(const Command& c) const {
    const std::string& name = c.arg(0);
    const bool asks =
        c.verb == "load" || c.verb == "close" ||
        (c.verb == "action" && (name == "nw" || name == "mnustartover" || name == "mnuExit")) ||
        (c.verb == "button" && name == "cmdExit");
    return asks && window_.isEnabled();
}

bool Session::unsaved(const Project& project) const {
    return storedText(takenBack(project)) != lastStored_;
}

bool Session::wentOn(const Before& b, const std::optional<Answer>& answer) const {
    if (!b.reachesQuestion) {
        return false;
    }
    if (questionsAsked(prompts_.asked) == 0) {
        return true;
    }
    const SaveAnswer what = answer ? answer->what : SaveAnswer::cancel;
    return what == SaveAnswer::discard ||
           (what == SaveAnswer::save && !answer->file.empty() && b.project.nodeCount > 0);
}

// The question comes exactly where the command would drop unsaved work.
// Cancel, or a Save that saved nothing, leaves the whole project as it was;
// Save stores what Save stores; only an exit that went on ends the program.
std::optional<std::string> Session::checkQuestion(const Command& c, const Before& b,
                                                  const std::optional<Answer>& answer) {
    const std::string command = c.verb + " " + c.arg(0);
    const long asked = questionsAsked(prompts_.asked);
    if (asked != (b.reachesQuestion && b.unsaved ? 1 : 0)) {
        const std::string where = !b.reachesQuestion ? "where the command does not ask"
                                  : b.unsaved        ? "with unsaved work"
                                                     : "with nothing unsaved";
        return where + " the question was put " + std::to_string(asked) + " times (\"" + command +
               "\")";
    }
    const bool went = wentOn(b, answer);
    const int ended = endings_ - b.endings;
    if (ended != (ends(c) && went ? 1 : 0)) {
        return "the program ended " + std::to_string(ended) + " times after \"" + command +
               (went ? "\", which went on" : "\", which stopped");
    }
    if (asked == 0) {
        return std::nullopt;
    }
    ++checked_.questions;
    if (!went) {
        if (!(project_ == b.project)) {
            return "a question answered without saving or going on changed the project (\"" +
                   command + "\")";
        }
        return std::nullopt;
    }
    if (answer && answer->what == SaveAnswer::save) {
        const std::string text = storedText(takenBack(b.project));
        if (contents(path(answer->file)) != text) {
            return "the question's Save did not store the tables in \"" + answer->file + "\"";
        }
        saved_[answer->file] = text;
        lastStored_ = text;
    }
    return std::nullopt;
}

// A Load that went on with a file takes it exactly when it reads as a
// project, and the history starts afresh at what it holds; a file the
// session saved loads back as it was saved.
std::optional<std::string> Session::checkLoad(const std::string& name, const Before& b,
                                              const std::optional<Answer>& answer) {
    if (name.empty() || !wentOn(b, answer)) {
        return std::nullopt;
    }
    const bool refused = prompts_.asked.contains("beep") ||
                         !prompts_.asked.filter("message: The project was not loaded.").isEmpty();
    if (const auto known = saved_.find(name); known != saved_.end()) {
        ++checked_.roundTrips;
        if (refused) {
            return "the saved file " + name +
                   " does not load: " + toStdString(prompts_.asked.join(" / "));
        }
        if (storedText(project_) != known->second) {
            return "saving and loading " + name + " changed the tables";
        }
    }
    Project read;
    if (loadProjectFile(toStdString(path(name)), read)) {
        ++checked_.refusals;
        if (!refused) {
            return "a file that reads as no project was not refused (\"" + name + "\")";
        }
        if (!(project_ == takenBack(b.project))) {
            return "a refused file changed the project (\"" + name + "\")";
        }
        return std::nullopt;
    }
    if (refused) {
        return "a file that reads as a project was refused (\"" + name + "\")";
    }
    startAfresh(storedText(read));
    if (storedText(project_) != historyStart_) {
        return "Load did not give the tables the file holds (\"" + name + "\")";
    }
    return std::nullopt;
}

void Session::startAfresh(const std::string& text) {
    historyStart_ = text;
    lastStored_ = text;
    historyFull_ = false;
    historyMoved_ = true;
}

// Undo takes the work one step back, redo one step forth (the CPM run after
// it works the schedule out afresh); where there is no step to take, or the
// window takes no command, the work and a half-made arrow stay. (Events a
// key press let run may go on with a spanning-tree run.)
std::optional<std::string> Session::checkHistoryStep(const Before& b) const {
    if (b.historyStep == 0) {
        return std::nullopt;
    }
    const std::string step = b.historyStep < 0 ? "undo" : "redo";
    if (b.stepped) {
        if (!sameWork(project_, *b.stepped)) {
            return step + " did not take the work one step " +
                   (b.historyStep < 0 ? "back" : "forth");
        }
    } else if (!sameWork(project_, b.project) || project_.edgeStarted != b.project.edgeStarted) {
        return step + " with no step to take, or on the disabled window, changed the work";
    }
    return std::nullopt;
}

// The window's mark shows whether the document is unsaved. Where no arrow is
// half-made, the tables are the history's current state; and once the
// history moved: the document is unsaved exactly when Save would store
// something else than the last Save or Load did, undoing every step on a copy
// of the history reaches the tables where it started (unless its limit has
// forgotten them), and redoing those steps gives the tables back exactly.
std::optional<std::string> Session::checkHistory() {
    if (window_.isWindowModified() != document_.unsaved()) {
        return "the window's modified mark disagrees with the document";
    }
    if (project_.edgeStarted != 0) {
        return std::nullopt;
    }
    const History& history = document_.history();
    if (!sameRecorded(project_, history.state())) {
        return "the tables are not the history's current state";
    }
    if (!historyMoved_ && sameRecorded(history.state(), walked_)) {
        return std::nullopt;
    }
    historyMoved_ = false;
    copyRecorded(walked_, history.state());
    ++checked_.walks;
    if (document_.unsaved() != unsaved(project_)) {
        return std::string("the document says the project is ") +
               (document_.unsaved() ? "unsaved" : "saved") + ", Save would store " +
               (document_.unsaved() ? "what" : "something else than what") +
               " the last Save or Load did";
    }
    History walk = history;
    Project tables = project_;
    std::size_t back = 0;
    for (; walk.canUndo(); ++back) {
        walk.undo(tables);
    }
    const bool startReached = storedText(tables) == historyStart_;
    for (std::size_t i = 0; i < back; ++i) {
        walk.redo(tables);
    }
    const bool givenBack = sameRecorded(tables, project_);
    std::size_t ahead = 0;
    for (; walk.canRedo(); ++ahead) {
        walk.redo(tables);
    }
    historyFull_ = historyFull_ || back + ahead >= History::kept;
    if (!startReached && !historyFull_) {
        return "undoing every step did not give the tables where the history started (" +
               std::to_string(back) + " steps)";
    }
    if (!givenBack) {
        return "redoing the steps undone did not give the tables back (" + std::to_string(back) +
               " steps)";
    }
    return std::nullopt;
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
    } else if (verb == "risk") {
        risk(c);
    } else if (verb == "timecost") {
        timeCost(c);
    } else if (verb == "kruskal" && window_.isEnabled()) {
        QTest::mouseClick(window_.findChild<QLabel*>(toQString("Label" + c.arg(0))),
                          Qt::LeftButton);
    } else if (verb == "key") {
        pressKeys(c.arg(0));
    } else if (verb == "chartkey") {
        chartKey(c);
    } else if (verb == "drag" && canvas_->isEnabled()) {
        const auto at = [&](std::size_t i) {
            return QPointF(std::atof(c.arg(i).c_str()), std::atof(c.arg(i + 1).c_str()));
        };
        emit canvas_->pressed(Qt::LeftButton, at(0));
        emit canvas_->dragged(at(2));
        emit canvas_->released(at(2));
    } else if (verb == "hover") {
        const QPoint pixel(std::atoi(c.arg(0).c_str()) / 15, std::atoi(c.arg(1).c_str()) / 15);
        QHelpEvent rest(QEvent::ToolTip, pixel, canvas_->mapToGlobal(pixel));
        QApplication::sendEvent(canvas_, &rest);
    } else if (verb == "close") {
        // The window system's close request, which reaches also the disabled
        // window. The program only counts its ends, so the window stays open.
        QCloseEvent request;
        QApplication::sendEvent(&window_, &request);
    } else if (verb == "wait") {
        QCoreApplication::processEvents();
    }
}

// The user presses the keys in the main window, bringing it to the front
// first where another window is, and closing a menu a right click left
// open, whose keys they are not; that click gives events a turn.
void Session::pressKeys(const std::string& keys) {
    if (QWidget* menu = QApplication::activePopupWidget()) {
        menu->close();
    }
    if (!window_.isActiveWindow()) {
        window_.activateWindow();
        QCoreApplication::processEvents();
    }
    const QKeyCombination pressed = QKeySequence(toQString(keys))[0];
    QTest::keyClick(&window_, pressed.key(), pressed.keyboardModifiers());
}

// A key on the chart while it has the focus, as Select mode takes them; the
// job editor that Enter opens is answered with the time, delay and title.
void Session::chartKey(const Command& c) {
    if (!canvas_->isEnabled()) {
        return;
    }
    if (c.args.size() >= 4) {
        prompts_.jobEntries = {
            JobEntry{toQString(c.arg(1)), toQString(c.arg(2)), toQString(c.arg(3))}};
    }
    const QKeyCombination pressed = QKeySequence(toQString(c.arg(0)))[0];
    QTest::keyClick(canvas_, pressed.key(), pressed.keyboardModifiers());
    prompts_.jobEntries.clear();
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
    if (after != storedText(project_)) {
        failure_ = "the saved file " + name + " is not what the tables hold";
        return;
    }
    saved_[name] = *after;
    lastStored_ = *after;
}

// What the load did is judged once the question's Save, if any, is booked.
void Session::load(const std::string& name) {
    if (!window_.isEnabled()) {
        return;
    }
    prompts_.files << (name.empty() ? QString() : path(name));
    window_.findChild<QAction*>("loa")->trigger();
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

QWidget* Session::usableWindow(const Command& c, const char* opener, QWidget* window) {
    if (c.arg(0) == "open") {
        if (window_.isEnabled()) {
            window_.findChild<QAction*>(opener)->trigger();
        }
        return nullptr;
    }
    return window && window->isVisible() && window->isEnabled() ? window : nullptr;
}

void Session::print(const Command& c) {
    const std::string& op = c.arg(0);
    QWidget* w = usableWindow(c, "pr", printOptions());
    if (!w) {
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

void Session::risk(const Command& c) {
    const std::string& op = c.arg(0);
    QWidget* w = usableWindow(c, "mnuRisk", riskWindow());
    if (!w) {
        return;
    }
    if (op == "estimate") {
        typeEstimate(w, c);
    } else if (op == "run") {
        runRisk(w, c);
    } else if (op == "use") {
        // Every estimated job takes its PERT mean as its time; the others keep theirs.
        const Project before = project_;
        clickIfUsable(w->findChild<QPushButton*>("cmdUseEstimates"));
        for (int j = 1; j <= project_.edgeCount; ++j) {
            const auto estimate = estimateOf(project_, j);
            const float time =
                estimate ? static_cast<float>(pertMean(*estimate)) : before.edgeWeight[j];
            if (project_.edgeWeight[j] != time) {
                failure_ = "Use the Estimates gave job " + std::to_string(j) + " the time " +
                           plainText(project_.edgeWeight[j]) + ", not " + plainText(time);
                return;
            }
        }
    } else if (op == "measure") {
        w->findChild<QComboBox*>("cboMeasure")->setCurrentIndex(number(c.arg(1)));
    } else if (op == "close") {
        w->close();
    }
}

// Box by box, as a user types them; a usable estimate is stored as typed,
// anything else never reaches the tables, and is refused with its job named
// once the row is left, or stays as typed while the user stays in the row.
void Session::typeEstimate(QWidget* w, const Command& c) {
    auto* table = w->findChild<QTableWidget*>("riskJobs");
    const int row = number(c.arg(1));
    if (row >= table->rowCount()) {
        return;
    }
    ++checked_.estimates;
    const int job = row + 1;
    table->setCurrentCell(row, firstEstimateColumn);
    QStringList typed;
    for (std::size_t i = 0; i < 3; ++i) {
        typed << toQString(c.arg(2 + i));
        table->item(row, firstEstimateColumn + static_cast<int>(i))->setText(typed.last());
    }
    const bool left = c.arg(5) == "leave";
    if (left) {
        table->setCurrentCell(table->rowCount() > 1 ? (row + 1) % table->rowCount() : -1, 0);
    }
    const std::string name = "job " + std::to_string(job);
    const auto usable = usableEstimate(typed);
    if (usable && estimateOf(project_, job) != *usable) {
        failure_ = "the usable estimate typed for " + name + " was not stored as typed";
    } else if (!usableAsStored(estimateOf(project_, job))) {
        failure_ = "the tables hold an estimate out of order for " + name;
    } else if (!usable && left &&
               prompts_.asked.filter("message: Job " + QString::number(job) + ": ").isEmpty()) {
        failure_ = "leaving the row of " + name + " did not refuse its estimate";
    } else if (!usable && !left && !sameTimes(shownEstimate(table, row), typed)) {
        failure_ =
            "the table dropped what was typed for " + name + " while its row was still in use";
    }
}

// A run of few runs, waited for; its figures, when they are of the project
// as it stands, must be the engine's own for the same settings, bit for bit.
void Session::runRisk(QWidget* w, const Command& c) {
    w->findChild<QSpinBox*>("txtRuns")->setValue(number(c.arg(1)));
    w->findChild<QComboBox*>("cboDistribution")->setCurrentIndex(number(c.arg(2)));
    w->findChild<QLineEdit*>("txtByWeek")->setText(toQString(c.arg(3)));
    w->findChild<QLineEdit*>("txtSeed")->setText(toQString(c.arg(4)));
    auto* risk = qobject_cast<RiskWindow*>(w);
    clickIfUsable(w->findChild<QPushButton*>("cmdRun"));
    if (!QTest::qWaitFor([risk] { return !risk->running(); }, 60'000)) {
        failure_ = "a risk run did not end within a minute";
        return;
    }
    const RiskFigures* figures = risk->currentFigures();
    if (!figures) {
        if (prompts_.asked.filter("message: The ").isEmpty()) {
            failure_ = "a risk run gave no figures and no reason";
        }
        return;
    }
    Project complete = takenBack(project_);
    const std::optional<RiskFigures> engine = analyseRisk(complete, risk->lastSettings());
    if (!(engine->simulation == figures->simulation) || !(engine->classic == figures->classic)) {
        failure_ = "the risk window's figures differ from the engine's for the same settings";
        return;
    }
    ++checked_.riskRuns;
}

// The risk window's table shows the jobs as they stand: one row a job, and
// each row's estimate as stored, unless the row waits (tinted) for the user.
std::optional<std::string> Session::checkRiskTable() const {
    const QWidget* w = riskWindow();
    if (!w || !w->isVisible()) {
        return std::nullopt;
    }
    const auto* table = w->findChild<QTableWidget*>("riskJobs");
    const Project complete = takenBack(project_);
    if (table->rowCount() != complete.edgeCount) {
        return "the risk window shows " + std::to_string(table->rowCount()) + " jobs of " +
               std::to_string(complete.edgeCount);
    }
    for (int row = 0; row < table->rowCount(); ++row) {
        const bool waiting =
            table->item(row, firstEstimateColumn)->background().color() == waitingTint;
        if (!waiting && shownEstimate(table, row) != storedEstimate(project_, row + 1)) {
            return "the risk window's row of job " + std::to_string(row + 1) +
                   " does not show its estimate";
        }
    }
    return std::nullopt;
}

// The Time and Cost window's controls, and the Floats window's headers and
// its shading box (the column past the last). A crash to a length of the curve that makes a step
// leaves the project scheduled at that length.
void Session::timeCost(const Command& c) {
    const std::string& op = c.arg(0);
    if (op == "floats") {
        if (QWidget* floats = topLevelNamed("frmFloats"); floats && floats->isVisible()) {
            auto* table = floats->findChild<QTableWidget*>();
            const int column = std::atoi(c.arg(1).c_str());
            if (column < table->columnCount()) {
                table->sortByColumn(column, Qt::AscendingOrder);
            } else {
                floats->findChild<QCheckBox*>("chkShadeFloats")->toggle();
            }
        }
        return;
    }
    QWidget* w = timeCostWindow();
    if (!w || !w->isVisible()) {
        return;
    }
    auto* jobs = w->findChild<QTableWidget*>("crashData");
    auto* curve = w->findChild<QTableWidget*>("curve");
    const int row = std::atoi(c.arg(1).c_str());
    if (op == "cell" && row < jobs->rowCount()) {
        jobs->item(row, std::atoi(c.arg(2).c_str()))->setText(toQString(c.arg(3)));
    } else if (op == "indirect") {
        auto* indirect = w->findChild<QLineEdit*>("indirectCost");
        indirect->setText(toQString(c.arg(1)));
        emit indirect->editingFinished();
    } else if ((op == "choose" || op == "crash") && row < curve->rowCount()) {
        curve->setCurrentCell(row, 0);
    }
    if (op == "crash" && curve->currentRow() > 0) {
        const QString length = curve->item(curve->currentRow(), 0)->text().remove('*');
        const Project before = project_;
        clickIfUsable(w->findChild<QPushButton*>("crashTo"));
        if (!sameWork(before, project_) &&
            toQString(plainText(project_.earlyTime[project_.nodeCount])) != length) {
            failure_ = "crashed to " + toStdString(length) + " weeks, scheduled at " +
                       plainText(project_.earlyTime[project_.nodeCount]);
        }
    } else if (op == "close") {
        clickIfUsable(w->findChild<QPushButton*>("closeTimeCost"));
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
