#include "platform/MediaPump.h"

#include <algorithm>

namespace platform {

MediaPump& MediaPump::instance() {
    static MediaPump pump;
    return pump;
}

void MediaPump::add(MediaGraph& graph) { graphs_.push_back(&graph); }

void MediaPump::remove(MediaGraph& graph) {
    graphs_.erase(std::remove(graphs_.begin(), graphs_.end(), &graph), graphs_.end());
}

bool MediaPump::takeFault(int& remaining) {
    if (remaining <= 0) return false;
    --remaining;
    return true;
}

}  // namespace platform
