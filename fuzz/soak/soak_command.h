#pragma once

#include <string>
#include <vector>

namespace arrowplan::soak {

// One thing a user does, as a verb and its arguments: "press L 3000 1200",
// "walk cmdWeight 4 abc", "card type 4 12.5 enter". A sequence is kept as a
// text file of one command a line, so a finding can be read and replayed.
struct Command {
    std::string verb;
    std::vector<std::string> args;

    // The i-th argument, or empty text when there is none.
    const std::string& arg(std::size_t i) const;
};

// The fields of a line are separated by tabs; a tab, a line end or a
// backslash inside a field is written \t, \n, \r or \\.
std::string toLine(const Command& command);
Command fromLine(const std::string& line);

std::vector<Command> readSequence(const std::string& path);
void writeSequence(const std::string& path, const std::vector<Command>& commands);

} // namespace arrowplan::soak
