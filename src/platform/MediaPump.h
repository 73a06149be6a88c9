#pragma once

#include <vector>

namespace platform {

class MediaGraph;

// The process's open media graphs, and the switches tests use to make graph calls
// fail. Graphs enter at construction and leave at destruction.
class MediaPump {
public:
    static MediaPump& instance();

    void add(MediaGraph& graph);
    void remove(MediaGraph& graph);
    const std::vector<MediaGraph*>& graphs() const { return graphs_; }

    // Consumes one injected failure of the kind, if any is left.
    static bool takeFault(int& remaining);

    int failingRuns = 0;
    int failingSeeks = 0;
    bool failingDuration = false;

private:
    std::vector<MediaGraph*> graphs_;
};

}  // namespace platform
