#pragma once

#include "platform/scripted_prompts.h"

namespace arrowplan::soak {

// The test suite's scripted prompts, and the file a Save answer comes with.
// The Save dialog follows the question at once, before any dialog of the
// command that asked it (Load's own), so the answer's file goes first; a
// command that does not ask leaves the list of files as the command set it.
class AnsweringPrompts : public testing::ScriptedPrompts {
  public:
    // Empty text cancels the Save dialog.
    QString saveAs;

    SaveAnswer askToSave(const QString& text, const QString& title) override {
        const SaveAnswer answer = ScriptedPrompts::askToSave(text, title);
        if (answer == SaveAnswer::save) {
            files.prepend(saveAs);
        }
        return answer;
    }
};

} // namespace arrowplan::soak
