// The customize dialog's steps back and forward (Ctrl+Z, Ctrl+Shift+Z), and whether the
// scheme is the one last saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Clock;

// Steps are whole copies of the scheme (their carried files share the bytes), compared by
// their saved form, so an edit that changes nothing makes no step.
class EditHistory {
public:
    // How many edits Ctrl+Z can take back.
    static constexpr std::size_t kMaxSteps = 200;

    // Starts afresh with the clock as it is, which counts as saved.
    void start(const Clock& clock);
    // After a change: the clock becomes the newest step when it differs from the current
    // one, and the steps forward are gone.
    void record(const Clock& clock);
    // Takes one step back or forward; the scheme to show, or null where there is none.
    const Clock* back();
    const Clock* forward();
    std::size_t stepsBack() const { return back_.size(); }
    std::size_t stepsForward() const { return forward_.size(); }

    // The clock was saved as it is; so is the current step, when it is the same.
    void markSaved(const Clock& clock);
    // The current step counts as saved: for a change that is no edit of the user's.
    void markCurrentSaved();
    bool isSaved() const { return saved_; }

private:
    const Clock* take(std::vector<std::unique_ptr<Clock>>& from,
                      std::vector<std::unique_ptr<Clock>>& to);

    std::vector<std::unique_ptr<Clock>> back_;
    std::vector<std::unique_ptr<Clock>> forward_;
    std::unique_ptr<Clock> current_;
    std::vector<std::uint8_t> currentBytes_;
    std::vector<std::uint8_t> savedBytes_;
    bool saved_ = true;
};
