#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/input/InputSource.h"
#include "platform/media/MediaGraph.h"

namespace platform {

class AudioEngine;

// A media file played by milliseconds over one graph, without end messages: each
// call first takes the graph's queued ends, each of which stops it at the end of
// the range played. The pictures go to a layer of the owner's game area, or
// nowhere on MediaGraph::kNoLayer; the sound plays in the mix at full volume.
class MediaPlayer {
public:
    MediaPlayer(int layer, WindowHandle owner);

    // S_OK, or the graph's failure (the player is then closed). The sound plays
    // through engine, when there is one.
    std::int32_t open(const std::string& path, std::shared_ptr<AudioEngine> engine);
    bool isOpen() const { return graph_ != nullptr; }
    // The graph goes: its layer hides, its sound leaves the mix.
    void close() { graph_.reset(); }

    // The pictures' rectangle in game-area coordinates, shown; false for a side
    // above MediaFile::kLargestSide. A side of 0 or less shows nothing.
    bool moveWindow(int x, int y, int width, int height);
    // Plays from..to, or to the end without to; false for a range outside the file
    // or running backwards.
    bool play(std::uint32_t from, std::optional<std::uint32_t> to);
    // Plays on from the position, or from the start once at the end.
    bool play();
    bool resume();
    // Both hold the position and the picture shown.
    void stop();
    void pause();

    // Stopped while closed.
    MediaState state();
    std::optional<std::uint32_t> length() const;
    std::uint32_t position();

private:
    void takeEnds();

    int layer_;
    WindowHandle owner_;
    std::unique_ptr<MediaGraph> graph_;
    std::int64_t rangeEnd_ = 0;
};

}  // namespace platform
