// The main window's expected-time and title walks: every job in turn is
// drawn red and its value asked for in an input box.

#include "editor/chart.h"
#include "editor/main_window.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "platform/qt_text.h"
#include "platform/typed_number.h"
#include "schedule/cpm.h"

namespace arrowplan {

namespace {

// Where the input box stands, in twips from the screen's top-left corner.
const QPoint inputBoxPosition(6000, 9000);
constexpr double titleRaise = 250;
constexpr std::size_t typedTitleLength = 10;
const char* const dummyTitle = "...";
const QString weightPrompt = QStringLiteral("Enter Weight");
const QString weightTitle = QStringLiteral("Weight");
const QString titlePrompt = QStringLiteral("Enter Job Title");
const QString titleTitle = QStringLiteral("Title");

} // namespace

void MainWindow::highlightJob(int j) {
    surface_->setDrawColour(colours::red);
    drawArrow(project_, *surface_, j);
}

// Overdraws the red arrow in the background colour, then draws it in black,
// dotted when it is a dummy.
void MainWindow::redrawJob(int j) {
    surface_->setDrawColour(surface_->backgroundColour());
    drawArrow(project_, *surface_, j);
    surface_->setLineStyle(arrowStyle(project_, j));
    surface_->setDrawColour(colours::black);
    drawArrow(project_, *surface_, j);
    surface_->setLineStyle(LineStyle::solid);
}

// A walk that stops draws its red arrow black again and runs no schedule.
void MainWindow::stopWalk(int j) {
    surface_->setDrawColour(colours::black);
    drawArrow(project_, *surface_, j);
}

std::optional<QString> MainWindow::askAbout(int j, const QString& prompt, const QString& title) {
    highlightJob(j);
    showDrawing(); // the input box's own event loop paints it
    askedJob_ = j;
    struct Answered {
        int& job;
        ~Answered() { job = 0; }
    } answered{askedJob_};
    return prompts_.inputBox(prompt, title, inputBoxPosition);
}

void MainWindow::printAtMidpoint(int j, double raise, const std::string& text) {
    const Point middle = jobMidpoint(project_, j);
    surface_->setPosition(middle.x, middle.y - raise);
    surface_->printText(text);
    surface_->endLine();
}

void MainWindow::cmdWeight_Click() {
    abandonHalfMadeArrow();
    for (int j = 1; j <= project_.edgeCount; ++j) {
        const std::optional<float> weight =
            typedSingle(askAbout(j, weightPrompt, weightTitle).value_or(QString()));
        if (!weight || !fitsSchedule(*weight)) {
            // Cancel, an empty answer or no number ends the walk.
            stopWalk(j);
            return;
        }
        project_.edgeWeight[j] = *weight;
        redrawJob(j);
        std::string label = surfaceText(*weight);
        if (const Currency delay = project_.jobDelay[j]; delay != Currency()) {
            label += "/" + surfaceText(delay);
        }
        printAtMidpoint(j, 0, label);
    }
    cmdCPM_Click();
}

void MainWindow::cmdtitle_Click() {
    abandonHalfMadeArrow();
    for (int j = 1; j <= project_.edgeCount; ++j) {
        if (project_.edgeWeight[j] == 0.0f) {
            project_.jobTitle[j] = JobTitle(dummyTitle);
            continue;
        }
        // An empty answer gives a blank title; Cancel ends the walk and keeps
        // every title it has not reached.
        const std::optional<QString> answer = askAbout(j, titlePrompt, titleTitle);
        if (!answer) {
            stopWalk(j);
            return;
        }
        const JobTitle typed(toStdString(*answer));
        project_.jobTitle[j] = JobTitle(firstCharacters(typed.text(), typedTitleLength));
        redrawJob(j);
        printAtMidpoint(j, titleRaise, project_.jobTitle[j].text());
    }
    cmdCPM_Click();
}

} // namespace arrowplan
