#pragma once

#include "document/project_delta.h"
#include "document/text_pool.h"
#include "model/project.h"

#include <cstddef>
#include <deque>
#include <string>

namespace arrowplan {

// The undo history of one project: the state at the current position and the
// steps that lead away from it, back and forth. Each step keeps only the
// cells it changed, so a thousand steps on the largest project stay small.
class History {
  public:
    // Older steps are forgotten beyond this many.
    static constexpr std::size_t kept = 1000;

    // A fresh history whose first state is start.
    explicit History(const Project& start);

    // After a command: where now's work differs from the current state, the
    // difference becomes a step named name, and the steps undone before it
    // are dropped. A difference in no work (the schedule, a spanning-tree
    // mark, a slot beyond the counts) joins the last step instead, so that
    // undo restores every slot as it was. Gives false when now is the
    // current state.
    bool record(const Project& now, const std::string& name);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // The name of the step undo or redo would take; only when there is one.
    const std::string& undoName() const { return steps_[position_ - 1].name; }
    const std::string& redoName() const { return steps_[position_].name; }

    // Steps back or forth and puts the recorded tables of the state reached
    // into project; only when there is a step to take.
    void undo(Project& project);
    void redo(Project& project);

    // The state at the current position.
    const Project& state() const { return state_; }

  private:
    struct Step {
        std::string name;
        ProjectDelta delta;
    };

    TextPool pool_;
    Project state_;
    std::deque<Step> steps_;
    std::size_t position_ = 0;
};

} // namespace arrowplan
