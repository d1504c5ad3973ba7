#pragma once

#include <functional>
#include <string>

namespace arrowplan {

class MainWindow;
struct Project;

// Qt on the offscreen platform, before its application is made: no display
// is needed, and only critical messages reach standard error.
void quietOffscreenQt();

// How a run on the loaded window ended: the file is refused, or the work
// itself failed (it could not write what it makes), or all went well.
enum class WindowOutcome { done, notLoaded, workFailed };

// Runs work on the real main window, offscreen, after loading the project
// file into it as Load does (which schedules it and draws the chart). Puts
// the reason in problem when the file cannot be loaded or the work fails;
// work says why in problem itself.
using WindowWork = std::function<bool(MainWindow&, Project&, std::string& problem)>;
WindowOutcome withLoadedWindow(const std::string& projectPath, int& argc, char** argv,
                               std::string& problem, const WindowWork& work);

} // namespace arrowplan
