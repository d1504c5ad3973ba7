#include "soak_command.h"

#include <fstream>
#include <stdexcept>

namespace arrowplan::soak {

namespace {

std::string escaped(const std::string& field) {
    std::string out;
    for (const char c : field) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

char unescaped(char c) {
    switch (c) {
    case 't':
        return '\t';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    default:
        return c;
    }
}

} // namespace

const std::string& Command::arg(std::size_t i) const {
    static const std::string none;
    return i < args.size() ? args[i] : none;
}

std::string toLine(const Command& command) {
    std::string line = escaped(command.verb);
    for (const std::string& a : command.args) {
        line += '\t' + escaped(a);
    }
    return line;
}

Command fromLine(const std::string& line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t') {
            fields.emplace_back();
        } else if (line[i] == '\\' && i + 1 < line.size()) {
            fields.back() += unescaped(line[++i]);
        } else {
            fields.back() += line[i];
        }
    }
    Command command{fields.front(), {}};
    command.args.assign(fields.begin() + 1, fields.end());
    return command;
}

std::vector<Command> readSequence(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::vector<Command> commands;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() != '#') {
            commands.push_back(fromLine(line));
        }
    }
    return commands;
}

void writeSequence(const std::string& path, const std::vector<Command>& commands) {
    std::ofstream out(path);
    for (const Command& command : commands) {
        out << toLine(command) << '\n';
    }
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace arrowplan::soak
