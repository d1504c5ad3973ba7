#include "cards/job_card_window.h"

#include "cards/plain_indicator.h"
#include "model/leading_number.h"
#include "model/number_text.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/window_font.h"
#include "schedule/cpm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>

#include <cmath>
#include <limits>

namespace arrowplan {

namespace {

constexpr Colour cardBack = 0xC0963F;
constexpr Colour fieldBack = 0x937331;
constexpr Colour warningText = 0x00FFFF; // yellow
constexpr Colour titleText = 0x404040;
constexpr int clientWidth = 7215;
constexpr int clientHeight = 4785;
constexpr double labelFontSize = 9.75;

const QString doneCaption = QStringLiteral("DONE             "); // DONE and 13 blanks
// The card's steps in the history; a box's step is named after the box.
const QString editStep = QStringLiteral("Edit Job Card");
const QString deleteStep = QStringLiteral("Delete Job");
const QString notesStep = QStringLiteral("Description");
const QString doneStep = QStringLiteral("Done");
const QString payModeStep = QStringLiteral("Payment Option");

// The notes box's label, and what a screen reader calls the box.
constexpr const char* notesCaption = "Job Description/Contact Info";

struct Place {
    const char* name;
    const char* caption; // of a box: what a screen reader calls it, after the label beside it
    int left, top, width, height;
    int number = 0; // of a box: Text1..Text10
};

constexpr Place labels[] = {
    {"Label10", "Title:", 120, 120, 855, 375},
    {"Label4", "Job #", 120, 1080, 735, 375},
    {"Label2", "Duration:", 1680, 1080, 1095, 375},
    {"Label11", "Warning: Dummy arrows cannot be used for payment", 4080, 1200, 2895, 375},
    {"Label6", "Early start:", 120, 1680, 1455, 375},
    {"Label3", "Delay:", 3000, 1680, 855, 375},
    {"Label5", "Amount$:", 4800, 1680, 1095, 375},
    {"Label7", "Late Finish:", 120, 2040, 1455, 375},
    {"Label8", "Slack:", 3000, 2040, 855, 375},
    {"Label9", "Actual time:", 4680, 2040, 1455, 375},
    {"Label1", notesCaption, 120, 2520, 3375, 255},
};

// The one-line boxes, by their number; Text2 is the notes box.
constexpr Place boxes[] = {
    {"Text10", "Title", 960, 120, 1815, 435, 10},
    {"Text1", "Job Number", 720, 1080, 735, 375, 1},
    {"Text3", "Duration", 2760, 1080, 1095, 375, 3},
    {"Text5", "Early Start", 1680, 1680, 1095, 375, 5},
    {"Text9", "Delay", 3840, 1680, 855, 375, 9},
    {"Text4", "Amount", 5760, 1680, 1335, 375, 4},
    {"Text6", "Late Finish", 1680, 2040, 1095, 375, 6},
    {"Text7", "Slack", 3840, 2040, 855, 375, 7},
    {"Text8", "Actual Time", 6120, 2040, 975, 375, 8},
};

// The payment options by their index (the mode code), placed in the frame.
constexpr Place payOptions[] = {
    {"Option1_0", payModeNames[payEvenly], 1560, 240, 1095, 255},
    {"Option1_1", payModeNames[payAtStart], 240, 240, 1215, 255},
    {"Option1_2", payModeNames[payHalfAndHalf], 1560, 600, 1095, 195},
    {"Option1_3", payModeNames[payAtEnd], 240, 480, 1095, 375},
};

// The boxes whose Enter key or loss of focus commits the card.
constexpr int editBoxes[] = {3, 4, 8, 9, 10};
// The boxes that only show figures: typing there is undone at once.
constexpr int displayBoxes[] = {1, 5, 6, 7};

QString rgb(Colour c) {
    return toQColor(c).name();
}

QRect placeOf(const Place& p) {
    return twipsRect(p.left, p.top, p.width, p.height);
}

// Setting a box to the text it holds changes nothing, so the cursor stays.
void setBox(QLineEdit* box, const std::string& text) {
    const QString value = toQString(text);
    if (box->text() != value) {
        box->setText(value);
    }
}

// The slack of a schedule beyond the currency range has no figure; the rest
// of the card is shown all the same, so that no box keeps another job's text
// for the next write back to store.
std::string slackText(const Project& project, int job, Currency earlyStart, Currency lateFinish) {
    try {
        return plainText(lateFinish - earlyStart - duration(project, job));
    } catch (const CurrencyOverflow&) {
        return {};
    }
}

} // namespace

JobCardWindow::JobCardWindow(ProjectDocument& document, Prompts& prompts, ChartCommands& chart,
                             QWidget& mainWindow)
    : document_(document), project_(document.project()), prompts_(prompts), chart_(chart),
      mainWindow_(mainWindow) {
    setObjectName("frmJobsList");
    setWindowTitle("Job Card");
    setFont(windowFont());
    buildControls();
    buildMenus();
}

void JobCardWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("cardClient");
    client->setFixedSize(twipsRect(0, 0, clientWidth, clientHeight).size());
    setCentralWidget(client);
    const QString highlightText = palette().color(QPalette::HighlightedText).name();
    client->setStyleSheet(
        QString("QWidget#cardClient { background-color: %1; }"
                "QLabel, QCheckBox, QRadioButton { background-color: %2; color: white; }"
                // the indicator and gap of the system the card was laid out for
                "QCheckBox, QRadioButton { spacing: 4px; }"
                "QCheckBox::indicator, QRadioButton::indicator { width: 13px; height: 13px; }"
                "QGroupBox { background-color: %2; color: %3; border: 1px solid %3; "
                "margin-top: 6px; }"
                "QGroupBox::title { subcontrol-origin: margin; left: 6px; }"
                "QRadioButton, QLabel#Label10, QLabel#Label3 { color: %3; }"
                "QLabel#Label11 { background-color: %1; color: %4; }"
                "QLineEdit#Text10 { background-color: white; color: %5; }"
                "QFrame#Line1, QFrame#Line2 { background-color: black; }")
            .arg(rgb(cardBack), rgb(fieldBack), highlightText, rgb(warningText), rgb(titleText)));

    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSizeF(labelFontSize);

    for (const Place& p : labels) {
        auto* label = new QLabel(p.caption, client);
        label->setObjectName(p.name);
        label->setGeometry(placeOf(p));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        if (std::string_view(p.name) != "Label11") {
            label->setFont(fixed);
        }
    }
    for (const Place& p : boxes) {
        auto* box = new QLineEdit(client);
        box->setObjectName(p.name);
        box->setAccessibleName(p.caption);
        box->setGeometry(placeOf(p));
        text_[p.number] = box;
    }
    text_[10]->setFont(fixed);
    notes_ = new QPlainTextEdit("(no job)\n", client);
    notes_->setObjectName("Text2");
    notes_->setAccessibleName(notesCaption);
    notes_->setGeometry(twipsRect(120, 2760, 6975, 1815));
    notes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notes_->setTabChangesFocus(true); // Tab walks on to the next box, as in every box

    const auto line = [client](const char* name, int left, int top, int right) {
        auto* l = new QFrame(client);
        l->setObjectName(name);
        l->setGeometry(pixels(left), pixels(top), pixels(right - left), 1);
    };
    line("Line2", 240, 960, 3000);
    line("Line1", 120, 1560, 3000);

    const auto picture = [this, client](const char* name, const QString& spoken, int top,
                                        Qt::ArrowType arrow, void (JobCardWindow::*handler)()) {
        auto* image = new QToolButton(client);
        image->setObjectName(name);
        image->setAccessibleName(spoken);
        image->setArrowType(arrow);
        image->setGeometry(twipsRect(3240, top, 480, 480));
        image->setFocusPolicy(Qt::NoFocus);
        connect(image, &QToolButton::clicked, this,
                document_.guarded(editStep, [this, handler] { (this->*handler)(); }));
    };
    picture("Image1", "Next job", 0, Qt::RightArrow, &JobCardWindow::Image1_Click);
    picture("Image2", "Previous job", 480, Qt::LeftArrow, &JobCardWindow::Image2_Click);

    done_ = new PlainCheckBox("Done:", client);
    done_->setObjectName("Check1");
    done_->setGeometry(twipsRect(1200, 600, 975, 255));
    done_->setFont(fixed);
    connect(done_, &QCheckBox::clicked, this, document_.guarded(doneStep, [this] { storeDone(); }));

    auto* frame = new QGroupBox("Profit/Cost Options", client);
    frame->setObjectName("Frame1");
    frame->setGeometry(twipsRect(4200, 120, 2895, 975));
    payModes_ = new QButtonGroup(this);
    for (int index = 0; index < 4; ++index) {
        auto* option = new PlainRadioButton(payOptions[index].caption, frame);
        option->setObjectName(payOptions[index].name);
        option->setGeometry(placeOf(payOptions[index]));
        payModes_->addButton(option, index);
        option->setFont(font()); // the frame's style sheet stops the window's font
    }
    // Like the Done box, an option is stored as it is chosen, so that the
    // steps of the history come in the order the user made the changes.
    connect(payModes_, &QButtonGroup::idClicked, this,
            document_.guarded(payModeStep, [this] { storePayMode(); }));
    notes_->installEventFilter(this);

    for (int n : editBoxes) {
        text_[n]->installEventFilter(this);
        connect(text_[n], &QLineEdit::returnPressed, this,
                document_.guarded(editStep, [this] { commit(); }));
    }
    for (int n : displayBoxes) {
        // Only the user's typing: the card's own Show sets them without notice.
        connect(text_[n], &QLineEdit::textEdited, this,
                document_.guarded(editStep, [this] { process(); }));
    }

    QWidget* previous = text_[1];
    for (QWidget* next : {static_cast<QWidget*>(notes_), static_cast<QWidget*>(text_[3])}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (int n = 4; n <= 10; ++n) {
        setTabOrder(previous, text_[n]);
        previous = text_[n];
    }
    setTabOrder(previous, done_);
    previous = done_;
    for (QAbstractButton* option : payModes_->buttons()) {
        setTabOrder(previous, option);
        previous = option;
    }
}

void JobCardWindow::buildMenus() {
    QAction* done = menuBar()->addAction(doneCaption);
    done->setObjectName("dn");
    connect(done, &QAction::triggered, this, document_.guarded(editStep, [this] { dn_Click(); }));
    QAction* remove = menuBar()->addAction("DELETE");
    remove->setObjectName("del");
    connect(remove, &QAction::triggered, this,
            document_.guarded(deleteStep, [this] { del_Click(); }));
}

void JobCardWindow::showJobNumber() {
    const int j = project_.currentJob;
    setBox(text_[1], plainText(project_.edgeFrom[j]) + "," + plainText(project_.edgeTo[j]));
}

void JobCardWindow::process() {
    const int j = project_.currentJob;
    const Currency from = project_.edgeFrom[j];
    const Currency to = project_.edgeTo[j];
    const Currency earlyStart = project_.earlyTime[nodeSlot(from)];
    const Currency lateFinish = project_.lateTime[nodeSlot(to)];
    showJobNumber();
    if (notes_->toPlainText() != toQString(project_.jobNotes[j])) {
        notes_->setPlainText(toQString(project_.jobNotes[j]));
    }
    setBox(text_[3], plainText(project_.edgeWeight[j]));
    setBox(text_[4], plainText(project_.jobAmount[j]));
    setBox(text_[5], plainText(earlyStart));
    setBox(text_[6], plainText(lateFinish));
    setBox(text_[7], slackText(project_, j, earlyStart, lateFinish));
    setBox(text_[8], plainText(project_.jobActualTime[j]));
    setBox(text_[9], plainText(project_.jobDelay[j]));
    setBox(text_[10], project_.jobTitle[j].text());
    done_->setChecked(project_.jobDone[j] == 1);
    // A mode without an option (only a hand-edited file holds one) selects none.
    payModes_->setExclusive(false);
    for (QAbstractButton* option : payModes_->buttons()) {
        option->setChecked(payModes_->id(option) == project_.jobPayMode[j]);
    }
    payModes_->setExclusive(true);
}

template <> float JobCardWindow::readBox<float>(QLineEdit* box, float stored) const {
    const std::optional<double> value = leadingNumber(toStdString(box->text()));
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max() ||
        !fitsSchedule(static_cast<float>(*value))) {
        return stored;
    }
    return static_cast<float>(*value);
}

template <> Currency JobCardWindow::readBox<Currency>(QLineEdit* box, Currency stored) const {
    const std::optional<double> value = leadingNumber(toStdString(box->text()));
    try {
        return value ? Currency::fromDouble(*value) : stored;
    } catch (const CurrencyOverflow&) {
        return stored;
    }
}

void JobCardWindow::storeNotes() {
    project_.jobNotes[project_.currentJob] = toStdString(notes_->toPlainText());
    document_.endStep(notesStep);
}

template <typename Value> void JobCardWindow::storeBox(int n, Value& field) {
    field = readBox(text_[n], field);
    document_.endStep(text_[n]->accessibleName());
}

void JobCardWindow::storeTitle() {
    project_.jobTitle[project_.currentJob] = JobTitle(toStdString(text_[10]->text()));
    document_.endStep(text_[10]->accessibleName());
}

void JobCardWindow::storeDone() {
    project_.jobDone[project_.currentJob] = done_->isChecked() ? 1 : 0;
    document_.endStep(doneStep);
}

void JobCardWindow::storePayMode() {
    if (const int mode = payModes_->checkedId(); mode >= 0) {
        project_.jobPayMode[project_.currentJob] = static_cast<std::int16_t>(mode);
    }
    document_.endStep(payModeStep);
}

void JobCardWindow::whatfor() {
    const int j = project_.currentJob;
    showJobNumber();
    storeNotes();
    storeBox(3, project_.edgeWeight[j]);
    storeBox(4, project_.jobAmount[j]);
    storeBox(8, project_.jobActualTime[j]);
    storeBox(9, project_.jobDelay[j]);
    storeTitle();
    storeDone();
    storePayMode();
}

void JobCardWindow::commit() {
    whatfor();
    scheduleAndShow();
}

// The card is shown afresh also when the schedule fails (a sum beyond the
// currency range): a card left as it was would still show text that was
// never stored, or the previous job's figures after a step, and the next
// write back would store them into the current job.
void JobCardWindow::scheduleAndShow() {
    try {
        chart_.cmdCPM_Click();
    } catch (...) {
        process();
        throw;
    }
    process();
}

void JobCardWindow::step(int by) {
    whatfor();
    int job = project_.currentJob + by;
    if (job > project_.edgeCount) {
        job = project_.edgeCount;
    }
    if (job < 1 && by < 0) {
        job = 1;
    }
    project_.currentJob = static_cast<std::int16_t>(job);
    scheduleAndShow();
}

void JobCardWindow::Image1_Click() {
    step(+1);
}

void JobCardWindow::Image2_Click() {
    step(-1);
}

void JobCardWindow::dn_Click() {
    whatfor();
    hide();
    mainWindow_.show();
    // The main window takes input again even when the schedule fails.
    struct Enable {
        QWidget& main;
        ~Enable() { main.setEnabled(true); }
    } enableAfterwards{mainWindow_};
    chart_.cmdCPM_Click();
}

bool deleteConfirmed(Prompts& prompts) {
    return prompts.askYesNo("Are You Sure", "Delete???");
}

void JobCardWindow::del_Click() {
    if (!deleteConfirmed(prompts_)) {
        return;
    }
    const int j = project_.currentJob;
    if (j >= 1 && j <= project_.edgeCount) {
        deleteJob(project_, j);
        if (project_.currentJob > project_.edgeCount) {
            project_.currentJob = std::max<std::int16_t>(project_.edgeCount, 1);
        }
    }
    scheduleAndShow();
}

void JobCardWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) {
        return; // restored from an icon: the same card, typing and all
    }
    project_.currentJob = 1;
    document_.run(editStep, [this] { process(); });
}

void JobCardWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window system: written back, but no schedule run.
    document_.run(editStep, [this] { whatfor(); });
    event->accept();
    mainWindow_.setEnabled(true);
}

bool JobCardWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that leaves with the whole window (a message box, another
        // program) or goes to the menu bar (Alt, F10) has not left the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason && isVisible()) {
            // The description is stored alone: it changes no figure.
            watched == notes_ ? document_.run(notesStep, [this] { storeNotes(); })
                              : document_.run(editStep, [this] { commit(); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace arrowplan
