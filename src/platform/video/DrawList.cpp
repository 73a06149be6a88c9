#include "platform/video/DrawList.h"

#include <algorithm>

#include "platform/video/DrawSource.h"

namespace platform {

DrawList::~DrawList() { unlink(done_); }

void DrawList::unlink(std::size_t from) {
    for (std::size_t i = from; i < entries_.size(); ++i) {
        for (const DrawSource* source : entries_[i].key.sources()) source->forget(*this);
    }
}

bool DrawList::defer(DrawKey key, Draw draw) {
    if (running_) return false;
    for (const DrawSource* source : key.sources()) source->readBy(*this);
    entries_.push_back({std::move(key), std::move(draw)});
    return true;
}

void DrawList::settle() {
    if (running_ || done_ == entries_.size()) return;
    running_ = true;
    // A draw that releases a source it reads lands here again and finds nothing to do.
    const std::size_t from = done_;
    done_ = entries_.size();
    unlink(from);
    for (std::size_t i = from; i < done_; ++i) entries_[i].draw(target_);
    running_ = false;
}

void DrawList::drawnOutside() {
    if (running_) return;
    settle();
    unique_ = true;
}

bool DrawList::sameAsLast() const {
    if (unique_) return false;
    // Nothing drawn leaves the picture as it was.
    if (entries_.empty()) return true;
    if (entries_.size() != last_.size()) return false;
    const bool covered = std::any_of(entries_.begin(), entries_.end(),
                                     [](const Entry& e) { return e.key.covers(); });
    if (!covered) return false;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].key.bytes() != last_[i]) return false;
    }
    return true;
}

bool DrawList::finishFrame() {
    const bool same = sameAsLast();
    // Equal draws on top of a part of themselves give the same picture again.
    if (!same || done_ > 0) settle();
    unlink(done_);
    last_.clear();
    if (!unique_) {
        last_.reserve(entries_.size());
        for (const Entry& entry : entries_) last_.push_back(entry.key.bytes());
    }
    entries_.clear();
    done_ = 0;
    unique_ = false;
    return same;
}

}  // namespace platform
