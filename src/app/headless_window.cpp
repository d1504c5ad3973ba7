#include "app/headless_window.h"

#include "editor/main_window.h"
#include "model/project_file.h"
#include "platform/prompts.h"
#include "platform/qt_text.h"

#include <QApplication>

#include <iostream>

namespace arrowplan {

namespace {

// Nobody is there to answer: every question is cancelled and every message
// goes to standard error.
class UnattendedPrompts : public Prompts {
  public:
    std::optional<QString> inputBox(const QString&, const QString&,
                                    std::optional<QPoint>) override {
        return std::nullopt;
    }
    void message(const QString& text, const QString&) override {
        std::cerr << "arrowplan-report: " << toStdString(text) << '\n';
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<JobEntry> editJob(const JobEntry&, const QString&) override {
        return std::nullopt;
    }
    SaveAnswer askToSave(const QString&, const QString&) override { return SaveAnswer::cancel; }
    RestoreAnswer askToRestore(const QString&, const QString&) override {
        return RestoreAnswer::later;
    }
    QString chooseFileToOpen(const FileDialogSettings&) override { return {}; }
    QString chooseFileToSave(const FileDialogSettings&) override { return {}; }
    void beep() override {}
    bool choosePrinter(QPrinter&) override { return false; }
};

// The offscreen platform's remarks about window hints are noise in a report.
void dropQtChatter(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << "arrowplan-report: " << toStdString(text) << '\n';
    }
}

} // namespace

void quietOffscreenQt() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropQtChatter);
}

WindowOutcome withLoadedWindow(const std::string& projectPath, int& argc, char** argv,
                               std::string& problem, const WindowWork& work) {
    quietOffscreenQt();
    QApplication app(argc, argv);

    UnattendedPrompts prompts;
    ProjectDocument document(prompts);
    Project& project = document.project();
    MainWindow window(document, prompts);
    window.show();
    QApplication::processEvents();

    if (const auto fileProblem = loadProjectFile(projectPath, project)) {
        problem = describe(*fileProblem, projectPath);
        return WindowOutcome::notLoaded;
    }
    window.cmdCPM_Click();
    return work(window, project, problem) ? WindowOutcome::done : WindowOutcome::workFailed;
}

} // namespace arrowplan
