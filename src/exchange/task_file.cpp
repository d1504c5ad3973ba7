#include "exchange/task_file.h"

#include "exchange/ms_project_xml.h"
#include "exchange/task_csv.h"
#include "exchange/task_project.h"
#include "model/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace arrowplan {

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf())) {
        const int error = errno;
        throw ImportError(0, std::string("the file cannot be read: ") + std::strerror(error));
    }
    return bytes.str();
}

bool looksLikeXml(std::string_view path, const std::string& bytes) {
    if (path.ends_with(".xml")) {
        return true;
    }
    const std::size_t first = bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    return first != std::string::npos && bytes[first] == '<';
}

} // namespace

Project importTaskFile(const std::string& path, std::vector<ImportWarning>& warnings) {
    return importTaskList(contentsOf(path), path, warnings);
}

Project importTaskList(const std::string& bytes, std::string_view path,
                       std::vector<ImportWarning>& warnings) {
    TaskList list = looksLikeXml(path, bytes) ? readMsProjectXml(bytes) : readTaskCsv(bytes);
    warnings.insert(warnings.end(), list.warnings.begin(), list.warnings.end());
    return projectOfTasks(list, warnings);
}

std::optional<std::string> exportTaskFile(const Project& project, const std::string& path,
                                          TaskFileFormat format,
                                          std::vector<ImportWarning>& warnings) {
    const TaskList list = tasksOfProject(project);
    warnings.insert(warnings.end(), list.warnings.begin(), list.warnings.end());
    const std::string text =
        format == TaskFileFormat::csv ? writeTaskCsv(list) : writeMsProjectXml(list, warnings);
    return replaceFile(path, text);
}

std::string describe(const ImportWarning& warning, std::string_view fileName) {
    return describe(FileProblem{warning.line, warning.text, false}, fileName);
}

std::string describe(const ImportError& error, std::string_view fileName) {
    std::string text;
    for (const ImportNote& problem : error.problems()) {
        text += (text.empty() ? "" : "\n") + describe(problem, fileName);
    }
    return text;
}

} // namespace arrowplan
