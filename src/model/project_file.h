#pragma once

#include "model/project.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace arrowplan {

// The .cpm file: one value per line, CRLF line ends. The node and job counts,
// ten lines per job (amount, actual time, delay, title, done, start node, end
// node, expected time, description, payment mode), three per node (x, y,
// number) and the quoted project name. Schedule times are never stored.

// Why a file could not be read. A file without nodes is not an error the user
// needs explained: the program only beeps for it.
struct FileProblem {
    int line = 0; // 1-based; 0 when no line is to blame
    std::string what;
    bool noNodes = false;
    // The file begins as a task list does (a header row, an XML
    // declaration): the user may have meant to import it.
    bool taskList = false;
};

// "FILE, line N: what" (or "FILE: what").
std::string describe(const FileProblem& problem, std::string_view fileName);

// Reads a whole project file into a fresh project. Only a complete, valid
// file gives a project; the job slots beyond its job count are clear.
std::variant<Project, FileProblem> readProject(std::istream& in);

// Writes the file layout exactly. A double quote inside a text would end the
// text early and make the file unreadable, so it is written as an apostrophe.
void writeProject(std::ostream& out, const Project& project);

// Replaces the stored part of current (counts, nodes, jobs, name, indirect
// cost) by a project just read; the mouse mode, the shared flags and the
// schedule stay. Job slots beyond the new count are left clear, so a new
// arrow inherits nothing, and no job keeps a spanning-tree mark.
void adoptLoadedProject(Project& current, const Project& loaded);

// Load: reads path and, only when the whole file is valid, replaces the
// stored part of current. On any problem current is untouched.
std::optional<FileProblem> loadProjectFile(const std::string& path, Project& current);

// What Save stores for the project: its file text, or nothing for a project
// without nodes, which Save refuses.
std::string storedText(const Project& project);

// Save: replaces the file path names (a link's target, through the link) as
// replaceFileContents does, so the previous file survives any failure unless
// it had to be written in place. A project without nodes is not written.
// Gives the message to show when nothing was saved.
std::optional<std::string> saveProjectFile(const std::string& path, const Project& project);

} // namespace arrowplan
