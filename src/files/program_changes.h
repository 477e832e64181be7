#pragma once

#include "state/text_list.h"

namespace mirel::files {

// Whether the program lines changed since the last New, Open or successful
// Save. Any line inserted, removed, replaced or reset counts; a run, a step or
// Step Back only moves the selection and leaves the program as it was.
class ProgramChanges final : private state::TextListObserver {
public:
    explicit ProgramChanges(state::TextList& code);
    ~ProgramChanges() override;
    ProgramChanges(const ProgramChanges&) = delete;
    ProgramChanges& operator=(const ProgramChanges&) = delete;

    bool changed() const { return changed_; }
    // The program as it stands now is the one on file (or a fresh one).
    void forget() { changed_ = false; }

private:
    void lineInserted(int) override { changed_ = true; }
    void lineRemoved(int) override { changed_ = true; }
    void lineReplaced(int) override { changed_ = true; }
    void linesReset() override { changed_ = true; }

    state::TextList& code_;
    bool changed_ = false;
};

} // namespace mirel::files
