#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/input/InputSource.h"

namespace platform {

class MediaGraph;

// The process's open media graphs with their per-pass pump, and the switches tests
// use to make graph calls fail. Graphs enter at construction, leave at destruction.
class MediaPump {
public:
    static MediaPump& instance();

    void add(MediaGraph& graph);
    void remove(MediaGraph& graph);
    const std::vector<MediaGraph*>& graphs() const { return graphs_; }

    // One pass over the open graphs on the game thread: outputs start, pictures
    // are presented and ends are posted through poster.
    void pump();
    // Milliseconds until the next picture of any running graph is due; none when no
    // picture waits.
    std::optional<std::uint32_t> msToNextPicture();
    // Posts a window message from the game thread; the shell installs its window's.
    std::function<void(WindowHandle, std::uint32_t)> poster;
    // Tests' switch: each pass waits for the decoder to be ahead of the clock.
    bool deterministic = false;

    // Consumes one injected failure of the kind, if any is left.
    static bool takeFault(int& remaining);

    int failingRuns = 0;
    int failingSeeks = 0;
    bool failingDuration = false;

private:
    std::vector<MediaGraph*> graphs_;
};

}  // namespace platform
