#pragma once

#include "soak_command.h"

#include "editor/main_window.h"
#include "platform/scripted_prompts.h"

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
    // A spanning-tree run waits for its timer.
    bool pausing() const;
    // The size of a file the session saved, 0 when there is none.
    qint64 fileSize(const std::string& name) const;

  private:
    void perform(const Command& command);
    void press(const Command& command);
    void walk(const Command& command);
    void card(const Command& command);
    void print(const Command& command);
    void save(const std::string& name);
    void load(const std::string& name);
    void spoil(const Command& command);
    QString path(const std::string& name) const;
    QWidget* cards() const;
    QWidget* printOptions() const;
    std::optional<std::string> checkMessages() const;
    std::optional<std::string> checkListBox() const;
    std::optional<std::string> checkCard(QWidget* cards) const;

    QString folder_;
    testing::ScriptedPrompts prompts_;
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
