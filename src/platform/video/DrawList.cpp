#include "platform/video/DrawList.h"

#include <algorithm>

#include "platform/video/DrawSource.h"
#include "platform/video/Surface.h"

namespace platform {

DrawList::~DrawList() { unlink(done_); }

void DrawList::unlink(std::size_t from) {
    for (std::size_t i = from; i < entries_.size(); ++i) {
        for (const DrawSource* source : entries_[i].key.sources()) source->forget(*this);
    }
}

bool DrawList::defer(DrawKey key, const Rect& area, Draw draw) {
    if (running_) return false;
    if (entries_.size() >= kMaxDraws) {
        drawnOutside();
        entries_.clear();
        done_ = 0;
    }
    for (const DrawSource* source : key.sources()) source->readBy(*this);
    entries_.push_back({std::move(key), area, std::move(draw)});
    return true;
}

void DrawList::run(const Rect& within) {
    running_ = true;
    // A draw that releases a source it reads lands in settle and finds nothing to do.
    const std::size_t from = done_;
    done_ = entries_.size();
    unlink(from);
    for (std::size_t i = from; i < done_; ++i) {
        const Entry& entry = entries_[i];
        if (!Intersect(entry.area, within).empty()) entry.draw(target_, within);
    }
    running_ = false;
}

void DrawList::settle() {
    if (running_ || done_ == entries_.size()) return;
    run(target_.bounds());
}

void DrawList::drawnOutside() {
    if (running_) return;
    settle();
    unique_ = true;
}

Rect DrawList::damage() const {
    if (unique_) return target_.bounds();
    // Nothing drawn leaves the picture as it was.
    if (entries_.empty()) return {};
    const std::size_t count = entries_.size(), lastCount = last_.size();
    const std::size_t common = std::min(count, lastCount);
    const auto same = [this](std::size_t i, std::size_t j) {
        return entries_[i].key.bytes() == last_[j].key;
    };
    std::size_t head = 0;
    bool covered = false;
    while (head < common && same(head, head)) covered |= entries_[head++].key.covers();
    // Unless a draw in common paints everything, any pixel may still show what lay
    // under the last frame.
    if (!covered) return target_.bounds();
    std::size_t tail = 0;
    while (head + tail < common && same(count - 1 - tail, lastCount - 1 - tail)) ++tail;
    Rect area;
    for (std::size_t i = head; i < count - tail; ++i) area = Enclose(area, entries_[i].area);
    for (std::size_t i = head; i < lastCount - tail; ++i) area = Enclose(area, last_[i].area);
    return area;
}

Rect DrawList::finishFrame() {
    const Rect changed = damage();
    // Draws done during the frame were done whole, so the rest are too.
    if (done_ > 0) {
        settle();
    } else if (!changed.empty()) {
        run(changed);
    }
    unlink(done_);
    last_.clear();
    if (!unique_) {
        last_.reserve(entries_.size());
        for (Entry& entry : entries_) last_.push_back({entry.key.takeBytes(), entry.area});
    }
    entries_.clear();
    done_ = 0;
    unique_ = false;
    return changed;
}

}  // namespace platform
