#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/video/DrawKey.h"
#include "platform/video/Rect.h"

namespace platform {

class Surface;

// The draws of one frame on a surface, kept instead of done. At the frame's end they
// are compared with the last frame's: draws that match from the first one on, up to
// one that paints the whole surface, and from the last one back give the pixels they
// gave, so only the area of the draws between, in either frame, is drawn again. Anything
// that reads the surface first has the waiting draws done, so it reads what drawing at
// once would give. A frame that is never finished (a hidden window presents nothing)
// keeps no more than kMaxDraws: past them its draws are done and the frame is drawn whole.
class DrawList {
public:
    static constexpr std::size_t kMaxDraws = 4096;

    // Draws inside the given part of the target only.
    using Draw = std::function<void(Surface&, const Rect&)>;

    explicit DrawList(Surface& target) : target_(target) {}
    ~DrawList();
    DrawList(const DrawList&) = delete;
    DrawList& operator=(const DrawList&) = delete;

    // Keeps the draw, which writes inside area at most, for later; false while the
    // kept draws are being done, when the caller draws at once.
    bool defer(DrawKey key, const Rect& area, Draw draw);
    // Does the draws still waiting.
    void settle();
    // The target is about to be written outside the list: the waiting draws are done
    // first, and the frame can no longer equal any other.
    void drawnOutside();
    // Ends the frame, doing whatever must be done; gives the part of the surface whose
    // pixels may differ from the last frame's, empty when none do.
    Rect finishFrame();

    // Draws kept in this frame, and those done.
    std::size_t size() const { return entries_.size(); }
    std::size_t done() const { return done_; }

private:
    struct Entry {
        DrawKey key;
        Rect area;
        Draw draw;
    };
    struct Drawn {
        std::string key;
        Rect area;
    };

    Rect damage() const;
    void run(const Rect& within);
    void unlink(std::size_t from);

    Surface& target_;
    std::vector<Entry> entries_;
    std::vector<Drawn> last_;
    std::size_t done_ = 0;
    bool running_ = false;
    bool unique_ = false;
};

}  // namespace platform
