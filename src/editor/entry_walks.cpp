// The main window's expected-time and title walks: every job in turn is
// drawn red and its value asked for in an input box.

#include "editor/chart.h"
#include "editor/main_window.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "platform/qt_text.h"
#include "platform/typed_number.h"

namespace arrowplan {

namespace {

// Where the input box stands, in twips from the screen's top-left corner.
const QPoint inputBoxPosition(6000, 9000);
constexpr double titleRaise = 250;
constexpr std::size_t typedTitleLength = 10;
const char* const dummyTitle = "...";

} // namespace

void MainWindow::highlightJob(int j) {
    surface_.setDrawColour(colours::red);
    drawArrow(project_, surface_, j);
}

// Overdraws the red arrow in the background colour, then draws it in black,
// dotted when it is a dummy.
void MainWindow::redrawJob(int j) {
    surface_.setDrawColour(surface_.backgroundColour());
    drawArrow(project_, surface_, j);
    surface_.setLineStyle(project_.edgeWeight[j] == 0.0f ? LineStyle::dotted : LineStyle::solid);
    surface_.setDrawColour(colours::black);
    drawArrow(project_, surface_, j);
    surface_.setLineStyle(LineStyle::solid);
}

void MainWindow::printAtMidpoint(int j, double raise, const std::string& text) {
    const long long from = nodeSlot(project_.edgeFrom[j]);
    const long long to = nodeSlot(project_.edgeTo[j]);
    surface_.setPosition((project_.nodeX[from] + project_.nodeX[to]) / 2,
                         (project_.nodeY[from] + project_.nodeY[to]) / 2 - raise);
    surface_.printText(text);
    surface_.endLine();
}

void MainWindow::cmdWeight_Click() {
    abandonHalfMadeArrow();
    for (int j = 1; j <= project_.edgeCount; ++j) {
        highlightJob(j);
        showDrawing(); // the input box's own event loop paints it
        const std::optional<float> weight =
            typedSingle(prompts_.inputBox("Enter Weight", "Weight", inputBoxPosition));
        if (!weight) {
            // Cancel, an empty answer or no number ends the walk: the arrow
            // goes back to black and the schedule is not run.
            surface_.setDrawColour(colours::black);
            drawArrow(project_, surface_, j);
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
        highlightJob(j);
        showDrawing(); // the input box's own event loop paints it
        // Cancel gives empty text, and so a blank title.
        const JobTitle typed(
            toStdString(prompts_.inputBox("Enter Job Title", "Title", inputBoxPosition)));
        project_.jobTitle[j] = JobTitle(firstCharacters(typed.text(), typedTitleLength));
        redrawJob(j);
        printAtMidpoint(j, titleRaise, project_.jobTitle[j].text());
    }
    cmdCPM_Click();
}

} // namespace arrowplan
