#pragma once

#include "platform/input/InputSource.h"

namespace platform {

// Between points of the SDL window and pixels of the window picture: the picture
// scaled by the largest factor that fits, centred between black bars. Client
// coordinates are picture coordinates less the strip's 20 rows, in a window and
// in full screen alike.
class Letterbox {
public:
    static constexpr int kStripRows = 20;

    Letterbox(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);

    double scale() const { return scale_; }
    // The picture's place in the window.
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // A window point to the client pixel under it, rounded down; points on the
    // bars or outside the window read outside the game area.
    PointerPosition windowToClient(int x, int y) const;
    // The centre of a client pixel to the nearest window point.
    PointerPosition clientToWindow(PointerPosition client) const;

private:
    double scale_ = 1.0;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace platform
