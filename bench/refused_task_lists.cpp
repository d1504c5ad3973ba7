#include "refused_task_lists.h"

namespace arrowplan {

namespace {

std::string xmlTask(std::size_t uid, const std::string& inside, std::size_t waitsFor) {
    return "<Task><UID>" + std::to_string(uid) + "</UID>" + inside +
           "<Duration>PT8H0M0S</Duration><PredecessorLink><PredecessorUID>" +
           std::to_string(waitsFor) + "</PredecessorUID></PredecessorLink></Task>\n";
}

std::string xmlProject(const std::string& tasks) {
    return "<Project><Tasks>\n" + tasks + "</Tasks></Project>\n";
}

} // namespace

std::string chainedTaskCsv(std::size_t tasks) {
    std::string text = "id,duration,predecessors\n";
    for (std::size_t task = 1; task <= tasks; ++task) {
        text += "t" + std::to_string(task) + ",1,t" + std::to_string(task % tasks + 1) + "\n";
    }
    return text;
}

std::string chainedTaskXml(std::size_t tasks) {
    std::string text;
    for (std::size_t task = 1; task <= tasks; ++task) {
        text += xmlTask(task, "", task + 1);
    }
    return xmlProject(text);
}

std::string linkedSummaryXml(std::size_t tasks) {
    std::string text = "<Task><UID>1</UID><Summary>1</Summary></Task>\n";
    for (std::size_t task = 2; task <= tasks + 1; ++task) {
        text += "<Task><UID>" + std::to_string(task) + "</UID><OutlineLevel>2</OutlineLevel>" +
                "<Duration>PT8H0M0S</Duration></Task>\n";
    }
    for (std::size_t task = tasks + 2; task <= 2 * tasks + 1; ++task) {
        text += xmlTask(task, "", 1);
    }
    return xmlProject(text);
}

std::string crossedTaskCsv(std::size_t half) {
    std::string text = "id,duration,predecessors\n";
    for (std::size_t first = 0; first < half; ++first) {
        text += "a" + std::to_string(first) + ",1,\n";
    }
    for (std::size_t second = 0; second < half; ++second) {
        text += "b" + std::to_string(second) + ",1,";
        for (std::size_t first = 0; first < half; ++first) {
            text += first == second ? "" : " a" + std::to_string(first);
        }
        text += "\n";
    }
    return text;
}

std::string inactiveCircleXml(std::size_t tasks) {
    std::string text;
    for (std::size_t task = 1; task <= tasks; ++task) {
        text += xmlTask(task, "<Active>0</Active>", task % tasks + 1);
    }
    return xmlProject(text);
}

} // namespace arrowplan
