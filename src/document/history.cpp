#include "document/history.h"

namespace arrowplan {

History::History(const Project& start) {
    copyRecorded(state_, start);
}

bool History::record(const Project& now, const std::string& name) {
    if (sameRecorded(state_, now)) {
        return false;
    }
    ProjectDelta delta = ProjectDelta::between(state_, now, pool_);
    if (!sameWork(state_, now)) {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
        steps_.push_back({name, std::move(delta)});
        if (steps_.size() > kept) {
            steps_.pop_front();
        }
        position_ = steps_.size();
    } else {
        // The state moved without a step: the step that led here now leads
        // to the moved state, and the one that redoes starts from it; both
        // keep the old value of every cell the move touched and they do not.
        if (position_ > 0) {
            steps_[position_ - 1].delta.absorb(delta);
        }
        if (canRedo()) {
            steps_[position_].delta.absorb(delta);
        }
    }
    copyRecorded(state_, now);
    return true;
}

void History::undo(Project& project) {
    steps_[--position_].delta.exchange(state_, pool_);
    copyRecorded(project, state_);
}

void History::redo(Project& project) {
    steps_[position_++].delta.exchange(state_, pool_);
    copyRecorded(project, state_);
}

} // namespace arrowplan
