// arrowplan: the desktop program. A project file named on the command line
// (a double click in the file manager) is loaded at start as File > Load
// loads it.

#include "editor/main_window.h"
#include "platform/qt_prompts.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int exitUsage = 2;

constexpr const char* usageText =
    "Usage: arrowplan [FILE.cpm]\n"
    "\n"
    "Draws critical-path (CPM) charts of small projects and works out their\n"
    "schedule and cash flow. FILE.cpm, when given, is loaded at start as\n"
    "File > Load loads it; a file that cannot be read is reported and the\n"
    "program starts empty.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

// Qt aborts when the X display it needs is not there; say so plainly instead.
bool displayMissing() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0) {
        return false;
    }
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(x && *x) && !(wayland && *wayland);
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usageText, stdout);
            return 0;
        }
    }
    if (displayMissing()) {
        std::fputs("arrowplan: no display to open the window on (DISPLAY is not set); "
                   "run it on a desktop, or under xvfb-run\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Arrowplan");
    // Every size drawn, so that title bars, task bars and switchers each take
    // a sharp one; the dialogs inherit it.
    QIcon icon;
    for (const QFileInfo& png : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
        icon.addFile(png.filePath());
    }
    QApplication::setWindowIcon(icon);
    // Wayland shows the icon of the desktop entry of this name, not the
    // window icon; it names the entry the package installs.
    QApplication::setDesktopFileName(QStringLiteral("io.github.arrowplan.arrowplan"));
    // What is left once Qt has taken its own options.
    const QStringList files = QApplication::arguments().mid(1);
    if (files.size() > 1 || (files.size() == 1 && files.first().startsWith('-'))) {
        std::fputs(usageText, stderr);
        return exitUsage;
    }

    arrowplan::QtPrompts prompts;
    const QString recoveryFolder = arrowplan::standardRecoveryFolder();
    arrowplan::ProjectDocument document(prompts, recoveryFolder);
    arrowplan::MainWindow window(document, prompts);
    prompts.setParent(&window);
    // Once the window manager has placed the window and it shows, so that
    // the questions and messages stand over it (a dialog centres on where
    // its parent is, and a window just shown may not be placed yet): first
    // the work a crash left, then the file asked for.
    QObject::connect(
        &window, &arrowplan::MainWindow::exposed, &window,
        document.guarded(QStringLiteral("Load"),
                         [&] { window.startWith(recoveryFolder, files.value(0)); }),
        // queued: the expose is painted before the questions wait
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    window.show();
    return QApplication::exec();
}
