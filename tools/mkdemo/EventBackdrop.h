#pragma once

#include <cairo.h>

#include "mkdemo/EventScene.h"

namespace mkdemo {

// The place behind an event picture, in a 800x600 frame: every pixel of the frame
// painted fully opaque, whatever transformation the caller has set.
class EventBackdrop {
public:
    static void Paint(cairo_t* cr, const EventScene& scene);
};

}  // namespace mkdemo
