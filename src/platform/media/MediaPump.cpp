#include "platform/media/MediaPump.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/core/Services.h"
#include "platform/media/MediaGraph.h"

namespace platform {

MediaPump& MediaPump::instance() {
    static MediaPump pump;
    return pump;
}

void MediaPump::add(MediaGraph& graph) { graphs_.push_back(&graph); }

void MediaPump::remove(MediaGraph& graph) {
    graphs_.erase(std::remove(graphs_.begin(), graphs_.end(), &graph), graphs_.end());
}

void MediaPump::pump() {
    const std::uint32_t now = service<Clock>().now();
    for (MediaGraph* graph : graphs_) {
        graph->pump(now, [this](WindowHandle window, std::uint32_t message) {
            if (poster) poster(window, message);
        });
    }
}

std::optional<std::uint32_t> MediaPump::msToNextPicture() {
    const std::uint32_t now = service<Clock>().now();
    std::optional<std::uint32_t> soonest;
    for (MediaGraph* graph : graphs_) {
        const std::optional<std::uint32_t> due = graph->msToNextPicture(now);
        if (due && (!soonest || *due < *soonest)) soonest = due;
    }
    return soonest;
}

bool MediaPump::takeFault(int& remaining) {
    if (remaining <= 0) return false;
    --remaining;
    return true;
}

}  // namespace platform
