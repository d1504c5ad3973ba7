#pragma once

#include "soak_command.h"
#include "soak_prompts.h"

#include "document/history.h"
#include "editor/main_window.h"

#include <QString>

class QTimer;

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace arrowplan {
class Canvas;
}

namespace arrowplan::soak {

// How often the deeper promises were checked.
struct Checked {
    long listings = 0;   // job listings read back
    long costs = 0;      // weekly cost listings summed
    long roundTrips = 0; // saved files loaded back
    long refusals = 0;   // broken files refused without a change
    long walks = 0;      // histories walked back to their start and forth again
    long questions = 0;  // questions answered before unsaved work would go
    long estimates = 0;  // estimates typed into the risk window, stored or refused as due
    long riskRuns = 0;   // risk window runs whose figures matched the engine's own
};

// The real main window, with its card and print windows as it opens them,
// on one project, offscreen, with scripted prompts. run() does one command
// through the windows' own controls and slots, then checks every promise
// that must hold between commands. Files go to a folder of its own.
class Session {
  public:
    explicit Session(const QString& folder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The broken promise, if any, in words.
    std::optional<std::string> run(const Command& command);

    const Project& project() const { return project_; }
    const Checked& checked() const { return checked_; }
    bool mainEnabled() const { return window_.isEnabled(); }
    bool cardsOpen() const;
    bool printOptionsOpen() const;
    // The risk window is shown and takes input.
    bool riskOpen() const;
    bool timeCostOpen() const;
    // A spanning-tree run waits for its timer.
    bool pausing() const;
    // The size of a file the session saved, 0 when there is none.
    qint64 fileSize(const std::string& name) const;
    // An answer to the question before unsaved work goes waits for the next command.
    bool answerPending() const { return answer_.has_value(); }

  private:
    // The answer an "answer" command scripts for the command after it: Save
    // into a file of the session's folder (no name cancels the Save dialog),
    // Discard or Cancel.
    struct Answer {
        SaveAnswer what = SaveAnswer::cancel;
        std::string file;
    };
    // What the command is judged against.
    struct Before {
        Project project;
        bool reachesQuestion = false; // a command that asks, given to a window that takes it
        bool unsaved = false;         // as the soak itself sees the project
        int endings = 0;
        int historyStep = 0;            // -1 undo, 1 redo, 0 neither
        std::optional<Project> stepped; // the tables one step back or forth, where one is taken
    };

    Before before(const Command& command) const;
    bool reachesQuestion(const Command& command) const;
    bool unsaved(const Project& project) const;
    void perform(const Command& command);
    void press(const Command& command);
    void walk(const Command& command);
    void card(const Command& command);
    // An "open" command opens the window through its menu item (none is
    // then to be worked); any other gets the window when it is shown and
    // takes input.
    QWidget* usableWindow(const Command& command, const char* opener, QWidget* window);
    void print(const Command& command);
    void risk(const Command& command);
    void typeEstimate(QWidget* window, const Command& command);
    void runRisk(QWidget* window, const Command& command);
    void timeCost(const Command& command);
    void save(const std::string& name);
    void load(const std::string& name);
    void spoil(const Command& command);
    void pressKeys(const std::string& keys);
    void chartKey(const Command& command);
    QString path(const std::string& name) const;
    QWidget* cards() const;
    QWidget* printOptions() const;
    QWidget* riskWindow() const;
    std::optional<std::string> checkRiskTable() const;
    QWidget* timeCostWindow() const;
    std::optional<std::string> checkMessages() const;
    std::optional<std::string> checkListBox() const;
    std::optional<std::string> checkCard(QWidget* cards) const;
    std::optional<std::string> checkQuestion(const Command& command, const Before& before,
                                             const std::optional<Answer>& answer);
    // The command reached the question, if any, and went on past it.
    bool wentOn(const Before& before, const std::optional<Answer>& answer) const;
    std::optional<std::string> checkLoad(const std::string& name, const Before& before,
                                         const std::optional<Answer>& answer);
    std::optional<std::string> checkHistoryStep(const Before& before) const;
    std::optional<std::string> checkHistory();
    // Load read text from a file: the history starts afresh there.
    void startAfresh(const std::string& text);

    QString folder_;
    AnsweringPrompts prompts_;
    ProjectDocument document_{prompts_};
    Project& project_ = document_.project();
    MainWindow window_;
    Canvas* canvas_ = nullptr;
    QTimer* timer1_ = nullptr;
    // The first block of lines added to the list box since it was last
    // cleared in this command: what one listing wrote. A spanning-tree run
    // that goes on after its pause adds its own lines after it.
    bool listCleared_ = false;
    std::optional<std::pair<int, int>> firstBlock_;
    // What each file the session saved holds; a file spoilt since is not here.
    std::map<std::string, std::string> saved_;
    // A promise the command's own checks found broken (files, the card).
    std::optional<std::string> failure_;
    std::optional<Answer> answer_;
    // Times the program would have ended (Exit, the close box).
    int endings_ = 0;
    // What the last Save or Load stored or read; the session's start stored
    // nothing. The project is unsaved while Save would store something else.
    std::string lastStored_;
    // The stored tables where the history started: the session's start or
    // the last Load. Once the history reached its limit the start is forgotten.
    std::string historyStart_;
    bool historyFull_ = false;
    // A walk of the history is costly, so it follows only a move: the
    // document said its state changed, or the history's state is not the
    // recorded tables of the last walk.
    bool historyMoved_ = true;
    Project walked_;
    mutable Checked checked_;
};

// The first command of a sequence whose promise broke, and how.
struct Broken {
    std::size_t step = 0;
    std::string what;
};

// Runs the commands one after another on the session, up to the first
// broken promise.
std::optional<Broken> runAll(Session& session, const std::vector<Command>& commands);

} // namespace arrowplan::soak
