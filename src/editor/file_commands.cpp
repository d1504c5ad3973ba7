// The main window's commands that save, load, replace or end the project,
// and the question they put first when that would drop unsaved work.

#include "document/left_copies.h"
#include "editor/main_window.h"
#include "exchange/task_file.h"
#include "model/project_file.h"
#include "platform/qt_text.h"

#include <QDir>
#include <QFileInfo>
#include <QSessionManager>

namespace arrowplan {

namespace {

const QString namePrompt = QStringLiteral("Enter the Project Name");
const QString notLoaded = QStringLiteral("The project was not loaded.\n\n");
const QString importInstead = QStringLiteral("\n\nFile > Import reads task lists.");
const QString saveQuestion = QStringLiteral("Save the changes to this project?");
const QString restoreQuestion = QStringLiteral("Restore the unsaved work on %1, as it was on %2?");
const QString newProject = QStringLiteral("a new project");
const QString projectInFile = QStringLiteral("the project in %1");
const QString namedProject = QStringLiteral("\"%1\", %2");
const QString notImported = QStringLiteral("The task list was not imported.\n\n");
const QString importedWithChanges =
    QStringLiteral("The task list was imported with these changes:\n\n");
const QString notRestored =
    QStringLiteral("The unsaved project was not restored; its copy is kept as %1.\n\n");

// What is wrong with a file, named by its name without the folder.
QString fileProblemText(const FileProblem& problem, const QString& path) {
    return toQString(describe(problem, toStdString(QFileInfo(path).fileName())));
}

// What a recovery copy holds: the project's name and the file it belongs to.
QString leftWork(const Project& project, const QString& fileName) {
    const QString where = fileName.isEmpty() ? newProject : projectInFile.arg(fileName);
    return project.projectName.empty() ? where
                                       : namedProject.arg(toQString(project.projectName), where);
}

QString dateAndTime(const QDateTime& time) {
    const QLocale locale;
    return locale.toString(time.date(), QLocale::LongFormat) + ' ' +
           locale.toString(time.time(), QLocale::ShortFormat);
}

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
    document_.saved(path);
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
            prompts_.message(notLoaded + fileProblemText(*problem, path) +
                                 (problem->taskList ? importInstead : QString()),
                             appTitle);
        }
        return;
    }
    document_.opened(path);
    selection_ = {};
    cmdCPM_Click();
}

// A task list from a spreadsheet or another planning tool replaces the
// project as Load does, as work no project file holds yet; Save offers its
// name with the project file's suffix.
void MainWindow::mnuImport_Click() {
    if (!unsavedWorkMayGo()) {
        return;
    }
    const QString path = prompts_.chooseFileToOpen(importDialog_);
    if (path.isEmpty()) {
        return;
    }
    importDialog_.fileName = path;
    const QFileInfo file(path);
    const std::string name = toStdString(file.fileName());
    std::vector<ImportWarning> warnings;
    Project imported;
    try {
        imported = importTaskFile(toStdString(path), warnings);
    } catch (const ImportError& error) {
        prompts_.message(notImported + toQString(describe(error, name)), appTitle);
        return;
    }
    abandonHalfMadeArrow();
    adoptLoadedProject(project_, imported);
    selection_ = {};
    fileDialog_.fileName = file.dir().filePath(file.completeBaseName() + ".cpm");
    document_.tookIn(QString());
    cmdCPM_Click();
    if (!warnings.empty()) {
        QStringList lines;
        for (const ImportWarning& warning : warnings) {
            lines << toQString(describe(warning, name));
        }
        prompts_.message(importedWithChanges + lines.join('\n'), appTitle);
    }
}

void MainWindow::mnustartover_Click() {
    if (!unsavedWorkMayGo()) {
        return;
    }
    abandonHalfMadeArrow();
    startOver(project_);
    surface_->clear();
    showNodeCount();
    showEdgeCount();
    cmdNode_Click();
}

void MainWindow::namen_Click() {
    // Cancel empties the name, as an empty answer does.
    project_.projectName =
        toStdString(prompts_.inputBox(namePrompt, appTitle, std::nullopt).value_or(QString()));
}

void MainWindow::cmdExit_Click() {
    endOnceWorkMayGo();
}

bool MainWindow::endOnceWorkMayGo() {
    if (!unsavedWorkMayGo()) {
        return false;
    }
    document_.endCleanly();
    endProgram_();
    return true;
}

// The desktop session ends: the same question where the session lets the
// program ask. Where it does not, the recovery copy stays for the next start.
void MainWindow::commitData(QSessionManager& manager) {
    if (!document_.unsaved() || !manager.allowsInteraction()) {
        return;
    }
    const bool ending = unsavedWorkMayGo();
    manager.release();
    if (ending) {
        document_.endCleanly();
    } else {
        manager.cancel();
    }
}

void MainWindow::startWith(const QString& recoveryFolder, const QString& file) {
    offerLeftWork(recoveryFolder);
    if (!file.isEmpty() && unsavedWorkMayGo()) {
        loadFile(file);
    }
}

// A copy that is no project file cannot be restored: it is refused as Load
// refuses one, without a question, and set aside so that no start offers it
// again.
void MainWindow::offerLeftWork(const QString& folder) {
    for (LeftCopy& copy : claimLeftCopies(folder)) {
        const QString path = copy.projectFile();
        Project work;
        if (const auto problem = loadProjectFile(toStdString(path), work)) {
            prompts_.message(notRestored.arg(copy.setAside()) + fileProblemText(*problem, path),
                             appTitle);
            continue;
        }
        const QString question =
            restoreQuestion.arg(leftWork(work, copy.fileName()), dateAndTime(copy.written()));
        switch (prompts_.askToRestore(question, appTitle)) {
        case RestoreAnswer::restore:
            restore(copy, work);
            return;
        case RestoreAnswer::discard:
            copy.discard();
            break;
        case RestoreAnswer::later:
            break;
        }
    }
}

void MainWindow::restore(LeftCopy& copy, const Project& work) {
    adoptLoadedProject(project_, work);
    const QString fileName = copy.fileName();
    if (!fileName.isEmpty()) {
        fileDialog_.fileName = fileName;
    }
    document_.tookIn(fileName); // this program's own copy holds the work from here on
    copy.discard();
    cmdCPM_Click();
}

} // namespace arrowplan
