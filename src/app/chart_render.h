#pragma once

#include <string>

namespace arrowplan {

// Loads a project into the real main window, offscreen, runs the CPM command
// as Load does, and saves what the window's drawing area then shows. Gives
// false with the reason in problem when the file cannot be loaded or the
// image cannot be written.
bool renderChart(const std::string& projectPath, const std::string& imagePath, int& argc,
                 char** argv, std::string& problem);

} // namespace arrowplan
