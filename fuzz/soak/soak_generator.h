#pragma once

#include "soak_command.h"
#include "soak_session.h"

#include <random>

namespace arrowplan::soak {

// The next thing a random user does, given what the windows show: presses
// mostly on or near existing nodes, so that arrows and moves happen; the
// card's controls while the card is open; answers to every input box drawn
// from numbers, zero, negative and huge values, letters, empty text and
// Cancel; the risk window's estimates (good and bad), runs, Use the
// Estimates and close box; undo and redo through the Edit menu or its keys; the question
// before unsaved work goes answered Save, Discard or Cancel, or left
// unscripted. A builder never starts over, loads or deletes, so that its
// project grows to the tables' limits of 100 nodes and 100 jobs.
enum class Style { mixed, builder };
Command nextCommand(const Session& session, std::mt19937_64& random, Style style);

} // namespace arrowplan::soak
