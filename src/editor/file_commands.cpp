// The main window's commands that save, load, replace or end the project,
// and the question they put first when that would drop unsaved work.

#include "editor/main_window.h"
#include "model/project_file.h"
#include "platform/qt_text.h"

#include <QFileInfo>

namespace arrowplan {

namespace {

const QString namePrompt = QStringLiteral("Enter the Project Name");
const QString notLoaded = QStringLiteral("The project was not loaded.\n\n");
const QString saveQuestion = QStringLiteral("Save the changes to this project?");

} // namespace

bool MainWindow::unsavedWorkMayGo() {
    if (!document_.unsaved()) {
        return true;
    }
    switch (prompts_.askToSave(saveQuestion, appTitle)) {
    case SaveAnswer::save:
        return saveProject();
    case SaveAnswer::discard:
        return true;
    case SaveAnswer::cancel:
        break;
    }
    return false;
}

// The shared file dialog: it remembers the last name chosen. Empty when no
// file was chosen; a cancelled dialog changes nothing, not even a half-made
// arrow, which is taken back only before a file is written or read.
QString MainWindow::chooseProjectFile(bool save) {
    const QString path =
        save ? prompts_.chooseFileToSave(fileDialog_) : prompts_.chooseFileToOpen(fileDialog_);
    if (!path.isEmpty()) {
        fileDialog_.fileName = path;
        abandonHalfMadeArrow();
    }
    return path;
}

bool MainWindow::saveProject() {
    const QString path = chooseProjectFile(true);
    if (path.isEmpty()) {
        return false;
    }
    if (const auto failure = saveProjectFile(toStdString(path), project_)) {
        prompts_.message(toQString(*failure), appTitle);
        return false;
    }
    document_.saved();
    return true;
}

void MainWindow::sav_Click() {
    saveProject();
}

void MainWindow::loa_Click() {
    if (!unsavedWorkMayGo()) {
        return;
    }
    const QString path = chooseProjectFile(false);
    if (path.isEmpty()) {
        return;
    }
    loadFile(path);
}

void MainWindow::loadFile(const QString& path) {
    fileDialog_.fileName = path;
    if (const auto problem = loadProjectFile(toStdString(path), project_)) {
        if (problem->noNodes) {
            prompts_.beep();
        } else {
            prompts_.message(
                notLoaded + toQString(describe(*problem, toStdString(QFileInfo(path).fileName()))),
                appTitle);
        }
        return;
    }
    document_.opened();
    cmdCPM_Click();
}

void MainWindow::mnustartover_Click() {
    if (!unsavedWorkMayGo()) {
        return;
    }
    abandonHalfMadeArrow();
    startOver(project_);
    surface_.clear();
    showNodeCount();
    showEdgeCount();
    cmdNode_Click();
}

void MainWindow::namen_Click() {
    project_.projectName = toStdString(prompts_.inputBox(namePrompt, appTitle, std::nullopt));
}

void MainWindow::cmdExit_Click() {
    if (unsavedWorkMayGo()) {
        endProgram_();
    }
}

} // namespace arrowplan
