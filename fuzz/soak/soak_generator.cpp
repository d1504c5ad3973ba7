#include "soak_generator.h"

#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace arrowplan::soak {

namespace {

using Random = std::mt19937_64;

// Mostly figures a planner types; now and then something hostile. A huge
// time or delay makes a listing of thousands of weeks, so those stay rare.
const std::array<const char*, 12> plainNumbers{"0",   "1",   "2", "3",  "4",    "5",
                                               "2.5", "0.5", "7", "10", "12.5", "-4"};
const std::array<const char*, 24> oddNumbers{
    "-3",     "1e30",  "3.4e38", "1e39", "abc", "",        "12.5 weeks", "1,5",
    "-0",     "nan",   "inf",    "2e-5", "$5",  "&H1F",    "&O17",       "1 2 5",
    "3.4e39", "1e308", "1e-400", "-",    "1e",  "0.00005", "-0.00015",   "1e-45"};
// Times and sums at the edge of the currency range.
const std::array<const char*, 7> hugeNumbers{
    "99999",          "9e14", "-9e14", "-1e9", "922337203685477.5807", "&HFFFFFFFFFFFFFFFFFFFFFFFF",
    "250000000000000"};
const std::array<const char*, 10> titles{
    "Dig", "Foundation work",      "",     "ünïcödé",       "a\"b",
    "   ", "12345678901234567890", "x\ty", "Pour concrete", "日本"};
const std::array<const char*, 4> names{"two\nlines", "a\r\nb", "end\r", "Yard"};
const std::array<const char*, 6> notes{
    "",           "call Ann", "line one\nline two", "a\"quote\"", "\n\n\n\n\n\n\n\n\n\n\n\n\n",
    "trailing   "};
const std::array<const char*, 2> files{"a.cpm", "b.cpm"};
const std::array<const char*, 4> examples{"example:house", "example:demo", "example:yard",
                                          "example:plant"};

int between(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(Random& random, double p) {
    return std::uniform_real_distribution<double>(0, 1)(random) < p;
}

template <typename List> std::string any(Random& random, const List& list) {
    return list[static_cast<std::size_t>(between(random, 0, static_cast<int>(list.size()) - 1))];
}

std::string number(Random& random, double odd) {
    if (chance(random, 0.01)) {
        return any(random, hugeNumbers);
    }
    return chance(random, odd) ? any(random, oddNumbers) : any(random, plainNumbers);
}

Command press(const Session& session, Random& random) {
    const Project& p = session.project();
    // Whole pixels of 15 twips, as the window delivers them.
    int x = 0;
    int y = 0;
    if (p.nodeCount > 0 && chance(random, 0.7)) {
        // An arrow's end is mostly a node above its start, so arrows get made.
        const bool ending = p.edgeStarted == 1 && chance(random, 0.7);
        const long long start = ending ? p.edgeFrom[p.edgeCount].rounded() : 0;
        const int n = between(random, static_cast<int>(std::min<long long>(start + 1, p.nodeCount)),
                              p.nodeCount);
        x = static_cast<int>(p.nodeX[n]) + 15 * between(random, -12, 12);
        y = static_cast<int>(p.nodeY[n]) + 15 * between(random, -12, 12);
    } else {
        // The surface below the toolbar, beside the list box.
        x = 15 * between(random, 0, 799);
        y = 15 * between(random, 57, 544);
        if (x >= 3840 && y >= 5880) {
            y = 15 * between(random, 57, 391);
        }
    }
    return {"press", {chance(random, 0.15) ? "R" : "L", std::to_string(x), std::to_string(y)}};
}

Command walk(const Session& session, Random& random) {
    const bool times = chance(random, 0.6);
    Command c{"walk", {times ? (chance(random, 0.5) ? "cmdWeight" : "mnuWeight") : "cmdtitle"}};
    const int answers = between(random, 0, session.project().edgeCount + 1);
    for (int i = 0; i < answers; ++i) {
        c.args.push_back(times ? number(random, 0.1) : any(random, titles));
    }
    return c;
}

Command card(Random& random, Style style) {
    const int roll = between(random, 0, 99);
    if (roll < 40) {
        constexpr std::array<int, 5> edit{3, 4, 8, 9, 10};
        constexpr std::array<int, 4> shown{1, 5, 6, 7};
        if (chance(random, 0.15)) {
            return {"card",
                    {"type", std::to_string(shown[static_cast<std::size_t>(between(random, 0, 3))]),
                     "x"}};
        }
        const int box = edit[static_cast<std::size_t>(between(random, 0, 4))];
        // Money may be anything; a time or a delay lengthens the project.
        const std::string text = box == 10              ? any(random, titles)
                                 : box == 4 || box == 8 ? number(random, 0.5)
                                                        : number(random, 0.1);
        const int how = between(random, 0, 99);
        return {"card",
                {"type", std::to_string(box), text,
                 how < 45   ? "enter"
                 : how < 80 ? "leave"
                            : "none"}};
    }
    if (roll < 45) {
        return {"card", {"notes", any(random, notes)}};
    }
    if (roll < 53) {
        return {"card", {"check"}};
    }
    if (roll < 61) {
        return {"card", {"option", std::to_string(between(random, 0, 3))}};
    }
    if (roll < 73) {
        return {"card", {"next"}};
    }
    if (roll < 81) {
        return {"card", {"previous"}};
    }
    if (roll < 89) {
        return {"card", {"done"}};
    }
    if (roll < 95) {
        const bool yes = style == Style::mixed && chance(random, 0.4);
        return {"card", {"delete", yes ? "yes" : "no"}};
    }
    return {"card", {"close"}};
}

Command load(Random& random) {
    const int which = between(random, 0, 99);
    return {"load",
            {which < 65   ? any(random, files)
             : which < 85 ? any(random, examples)
             : which < 95 ? ""
                          : "missing.cpm"}};
}

Command exitCommand(Random& random) {
    const int which = between(random, 0, 2);
    if (which == 0) {
        return {"button", {"cmdExit"}};
    }
    return which == 1 ? Command{"action", {"mnuExit"}} : Command{"close", {}};
}

// A command that asks before it drops unsaved work. Mostly the user knows
// the answer already: it is scripted, and the command that asks comes next
// (asking). The rest go unscripted, which cancels.
Command orAnswer(Random& random, const Command& asks) {
    if (chance(random, 0.25)) {
        return asks;
    }
    const int roll = between(random, 0, 99);
    if (roll < 40) {
        // Without a file name the Save dialog is cancelled.
        Command save{"answer", {"save"}};
        if (chance(random, 0.9)) {
            save.args.push_back(any(random, files));
        }
        return save;
    }
    return {"answer", {roll < 80 ? "discard" : "cancel"}};
}

// The command after an answer: one that asks. A builder only exits, which
// in the soak ends nothing.
Command asking(Random& random, Style style) {
    const int roll = style == Style::builder ? 99 : between(random, 0, 99);
    if (roll < 50) {
        return load(random);
    }
    if (roll < 70) {
        return {"action", {roll < 60 ? "nw" : "mnustartover"}};
    }
    return exitCommand(random);
}

// Through the Edit menu or its keys; undo more often, so that walks go deep.
Command historyStep(Random& random) {
    const bool undo = chance(random, 0.6);
    if (chance(random, 0.5)) {
        return {"action", {undo ? "mnuUndo" : "mnuRedo"}};
    }
    const std::array<const char*, 2> redoKeys{"Ctrl+Shift+Z", "Ctrl+Y"};
    return {"key", {undo ? "Ctrl+Z" : any(random, redoKeys)}};
}

Command fileCommand(const Session& session, Random& random, Style style) {
    const int roll = style == Style::builder ? between(random, 0, 39) : between(random, 0, 99);
    const std::string file = any(random, files);
    if (roll < 40) {
        return {"save", {chance(random, 0.9) ? file : ""}};
    }
    if (roll < 90) {
        return orAnswer(random, load(random));
    }
    const qint64 size = session.fileSize(file);
    if (size > 0 && chance(random, 0.7)) {
        return {"spoil",
                {file, "cut", std::to_string(between(random, 0, static_cast<int>(size * 9 / 10)))}};
    }
    const std::array<const char*, 3> kinds{"zero", "big", "junk"};
    return {"spoil", {file, any(random, kinds)}};
}

Command printCommand(const Session& session, Random& random) {
    if (!session.printOptionsOpen()) {
        return {"print", {"open"}};
    }
    const int roll = between(random, 0, 99);
    if (roll < 60) {
        return {"print", {"tick", std::to_string(between(random, 1, 8))}};
    }
    if (roll < 70) {
        return {"print", {"go", chance(random, 0.3) ? "pdf" : "cancel"}};
    }
    return {"print", {roll < 92 ? "cancel" : "close"}};
}

// A time typed into an estimate's box: mostly a figure, now and then
// nothing or something that is no time.
std::string estimateTime(Random& random, double time) {
    const int roll = between(random, 0, 99);
    if (roll < 6) {
        return "";
    }
    if (roll < 12) {
        return number(random, 1.0);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", time);
    return text;
}

// The risk window's commands: estimates mostly in order (a third out of
// order), typed box by box and the row left or not; runs of few runs, with
// the settings typed now and then wrong; Use the Estimates; the plots'
// measure; the close box.
Command riskCommand(const Session& session, Random& random) {
    if (!session.riskOpen()) {
        return {"risk", {"open"}};
    }
    const int roll = between(random, 0, 99);
    if (roll < 55) {
        const std::array<double, 7> steps{0, 0.5, 1, 2, 3, 5, 20};
        const auto step = [&] { return steps[static_cast<std::size_t>(between(random, 0, 6))]; };
        std::array<double, 3> times{step(), 0, 0};
        times[1] = times[0] + step();
        times[2] = times[1] + step();
        if (chance(random, 0.3)) {
            std::shuffle(times.begin(), times.end(), random);
        }
        const int jobs = std::max<int>(1, session.project().edgeCount);
        Command typed{"risk", {"estimate", std::to_string(between(random, 0, jobs - 1))}};
        for (const double time : times) {
            typed.args.push_back(estimateTime(random, time));
        }
        typed.args.push_back(chance(random, 0.6) ? "leave" : "stay");
        return typed;
    }
    if (roll < 80) {
        const std::array<const char*, 6> runs{"1", "10", "200", "1000", "2500", "999"};
        const std::array<const char*, 6> weeks{"", "", "20", "7.5", "abc", "1e39"};
        const std::array<const char*, 6> seeds{"1", "42", "18446744073709551615", "7", "-1", "x"};
        return {"risk",
                {"run", any(random, runs), chance(random, 0.5) ? "0" : "1", any(random, weeks),
                 chance(random, 0.9) ? any(random, seeds) : ""}};
    }
    if (roll < 90) {
        return {"risk", {"use"}};
    }
    if (roll < 95) {
        return {"risk", {"measure", chance(random, 0.5) ? "0" : "1"}};
    }
    return {"risk", {"close"}};
}

// The Time and Cost window once it is open (crash figures typed into the
// jobs' table, the indirect cost, a length chosen, or chosen and crashed
// to), and the Floats window sorted by a column.
Command timeCost(const Session& session, Random& random) {
    if (!session.timeCostOpen() || chance(random, 0.1)) {
        // Drawn projects seldom have the times a curve needs; the plant has.
        if (chance(random, 0.2)) {
            return orAnswer(random, {"load", {"example:plant"}});
        }
        return {"action", {chance(random, 0.7) ? "mnuTimeCost" : "mnuFloats"}};
    }
    const int roll = between(random, 0, 99);
    if (roll < 45) {
        // Mostly figures a job can have (a crash time within its time, a
        // crash cost above its amount), so that curves get worked out.
        const Project& p = session.project();
        const int j = between(random, 1, std::max(1, static_cast<int>(p.edgeCount)));
        const bool time = chance(random, 0.5);
        std::string text = chance(random, 0.2) ? "" : number(random, time ? 0.1 : 0.3);
        if (chance(random, 0.6)) {
            text = time ? plainText(p.edgeWeight[j] * static_cast<float>(between(random, 0, 4)) / 4)
                        : plainText(p.jobAmount[j] + Currency::fromWhole(between(random, 0, 900)));
        }
        return {"timecost", {"cell", std::to_string(j - 1), time ? "4" : "5", text}};
    }
    if (roll < 55) {
        return {"timecost", {"indirect", number(random, 0.2)}};
    }
    if (roll < 65) {
        return {"timecost", {"choose", std::to_string(between(random, 0, 20))}};
    }
    if (roll < 90) {
        // Mostly a few weeks short, where most curves reach.
        return {"timecost", {"crash", std::to_string(between(random, 1, 4))}};
    }
    if (roll < 95) {
        return {"timecost", {"floats", std::to_string(between(random, 0, 7))}};
    }
    return {"timecost", {"close"}};
}

} // namespace

// Select mode and the view: the keys on a selection (the job editor's
// answers with Enter), a drag, a resting pointer, the zooms.
Command onTheChart(const Session& session, Random& random) {
    const int roll = between(random, 0, 99);
    if (roll < 15) {
        return {"action", {chance(random, 0.7) ? "mnuSelect" : "mnuZoomIn"}};
    }
    if (roll < 20) {
        const std::array<const char*, 4> zooms{"mnuZoomIn", "mnuZoomOut", "mnuActualSize",
                                               "mnuFit"};
        return {"action", {any(random, zooms)}};
    }
    if (roll < 30) {
        return {"key", {"Escape"}};
    }
    const Command at = press(session, random);
    if (roll < 45) {
        Command drag{"drag", {at.arg(1), at.arg(2)}};
        const Command to = press(session, random);
        drag.args.push_back(to.arg(1));
        drag.args.push_back(to.arg(2));
        return drag;
    }
    if (roll < 55) {
        return {"hover", {at.arg(1), at.arg(2)}};
    }
    if (roll < 70) {
        return {"chartkey",
                {"Return", number(random, 0.1), number(random, 0.2), any(random, titles)}};
    }
    const std::array<const char*, 9> keys{"Ctrl+Return", "Delete", "Left",    "Right", "Up",
                                          "Down",        "Tab",    "Backtab", "Escape"};
    return {"chartkey", {any(random, keys)}};
}

Command nextCommand(const Session& session, Random& random, Style style) {
    if (session.answerPending()) {
        return asking(random, style);
    }
    // Undo and redo also while the card is open (the disabled main window
    // takes neither) and while an arrow is half-made.
    if (session.cardsOpen() && chance(random, 0.95)) {
        return chance(random, 0.02) ? historyStep(random) : card(random, style);
    }
    if (session.project().edgeStarted == 1 && chance(random, 0.03)) {
        return historyStep(random);
    }
    // While the risk window is open a user works in it now and then.
    if (chance(random, session.riskOpen() ? 0.15 : 0.005)) {
        return riskCommand(session, random);
    }
    const int roll = between(random, 0, 999);
    if (roll < 535) {
        return press(session, random);
    }
    if (roll < 550) {
        return timeCost(session, random);
    }
    if (roll < 600) {
        const std::array<const char*, 5> modes{"cmdNode", "cmdEdge", "cmdmove", "mnuAddNode",
                                               "mnuCreateEdge"};
        const std::string mode = any(random, modes);
        return {mode.starts_with("mnu") ? "action" : "button", {mode}};
    }
    if (roll < 680) {
        // A cost listing of a long project runs to thousands of lines: rarer.
        const std::array<const char*, 9> commands{"cmdCPM",    "cmdCPM",    "cmdCPM",
                                                  "cmdRedraw", "cmdRedraw", "mnuRedraw",
                                                  "cmdCPM",    "cmdcoster", "mnuTidy"};
        const std::string name = any(random, commands);
        return {name.starts_with("mnu") ? "action" : "button", {name}};
    }
    if (roll < 720) {
        return walk(session, random);
    }
    if (roll < 730) {
        return {"name", {chance(random, 0.5) ? any(random, names) : any(random, titles)}};
    }
    if (roll < 733 && style == Style::mixed) {
        return orAnswer(random, {"action", {chance(random, 0.5) ? "nw" : "mnustartover"}});
    }
    if (roll < 778) {
        return fileCommand(session, random, style);
    }
    if (roll < 813) {
        return {"button", {"cmdedit"}};
    }
    if (roll < 828) {
        return timeCost(session, random);
    }
    if (roll < 868) {
        return printCommand(session, random);
    }
    if (roll < 888) {
        return {"kruskal", {chance(random, 0.5) ? "1" : "2"}};
    }
    if (roll < 938) {
        return historyStep(random);
    }
    if (roll < 943) {
        return orAnswer(random, exitCommand(random));
    }
    // Time passes: a pausing spanning-tree run goes on; the windows paint.
    if (roll < 960 && !(session.pausing() && chance(random, 0.5))) {
        return press(session, random);
    }
    if (roll < 990) {
        return onTheChart(session, random);
    }
    return {"wait", {}};
}

} // namespace arrowplan::soak
