// The customize dialog's steps back and forward, and whether the scheme is the one saved.
#include "app/editor/edit_history.h"

#include "clock/clock.h"
#include "clock/scheme_file.h"

void EditHistory::start(const Clock& clock) {
    back_.clear();
    forward_.clear();
    current_ = clock.cloneClock();
    currentBytes_ = schemeBytes(*current_);
    savedBytes_ = currentBytes_;
    saved_ = true;
}

void EditHistory::record(const Clock& clock) {
    std::vector<std::uint8_t> bytes = schemeBytes(clock);
    if (bytes != currentBytes_) {
        back_.push_back(std::move(current_));
        if (back_.size() > kMaxSteps) {
            back_.erase(back_.begin());
        }
        forward_.clear();
        current_ = clock.cloneClock();
        currentBytes_ = std::move(bytes);
    }
    saved_ = currentBytes_ == savedBytes_;
}

const Clock* EditHistory::back() {
    return take(back_, forward_);
}

const Clock* EditHistory::forward() {
    return take(forward_, back_);
}

const Clock* EditHistory::take(std::vector<std::unique_ptr<Clock>>& from,
                               std::vector<std::unique_ptr<Clock>>& to) {
    if (from.empty()) {
        return nullptr;
    }
    to.push_back(std::move(current_));
    current_ = std::move(from.back());
    from.pop_back();
    currentBytes_ = schemeBytes(*current_);
    saved_ = currentBytes_ == savedBytes_;
    return current_.get();
}

void EditHistory::markSaved(const Clock& clock) {
    savedBytes_ = schemeBytes(clock);
    saved_ = true;
}

void EditHistory::markCurrentSaved() {
    savedBytes_ = currentBytes_;
    saved_ = true;
}
