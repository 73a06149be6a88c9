#pragma once

#include <cairo.h>

#include "mkdemo/EventScene.h"

namespace mkdemo {

// What an event picture shows in front of the heroine, in a 800x600 frame: the
// moment's other half (a hand, an umbrella), the audience, the place's light and a
// soft darkening of the edges.
class EventForeground {
public:
    static void Paint(cairo_t* cr, const EventScene& scene);
};

}  // namespace mkdemo
