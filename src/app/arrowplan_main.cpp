// arrowplan: the desktop program.

#include "editor/main_window.h"
#include "model/project.h"
#include "platform/qt_prompts.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

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
    if (displayMissing()) {
        std::fputs("arrowplan: no display to open the window on (DISPLAY is not set); "
                   "run it on a desktop, or under xvfb-run\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Arrowplan");

    arrowplan::Project project;
    arrowplan::QtPrompts prompts;
    arrowplan::MainWindow window(project, prompts);
    prompts.setParent(&window);
    window.show();
    return QApplication::exec();
}
