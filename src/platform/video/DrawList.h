#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/video/DrawKey.h"

namespace platform {

class Surface;

// The draws of one frame on a surface, kept instead of done. At the frame's end they
// are compared with the last frame's: equal draws that paint the whole surface give
// the picture it already holds, so nothing is drawn. Anything that reads the surface
// first has the waiting draws done, so it reads what drawing at once would give.
class DrawList {
public:
    using Draw = std::function<void(Surface&)>;

    explicit DrawList(Surface& target) : target_(target) {}
    ~DrawList();
    DrawList(const DrawList&) = delete;
    DrawList& operator=(const DrawList&) = delete;

    // Keeps the draw for later; false while the kept draws are being done, when the
    // caller draws at once.
    bool defer(DrawKey key, Draw draw);
    // Does the draws still waiting.
    void settle();
    // The target is about to be written outside the list: the waiting draws are done
    // first, and the frame can no longer equal any other.
    void drawnOutside();
    // Ends the frame, doing whatever must be done; true when the surface holds the
    // last frame's picture untouched, so there is nothing new to show.
    bool finishFrame();

    // Draws kept in this frame, and those done.
    std::size_t size() const { return entries_.size(); }
    std::size_t done() const { return done_; }

private:
    struct Entry {
        DrawKey key;
        Draw draw;
    };

    bool sameAsLast() const;
    void unlink(std::size_t from);

    Surface& target_;
    std::vector<Entry> entries_;
    std::vector<std::string> last_;
    std::size_t done_ = 0;
    bool running_ = false;
    bool unique_ = false;
};

}  // namespace platform
