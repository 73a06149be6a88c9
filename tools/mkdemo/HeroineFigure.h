#pragma once

#include <cairo.h>

#include "mkdemo/EventScene.h"

namespace mkdemo {

// A heroine as a half figure in her own colours, in a 800x600 frame: hair, face,
// shoulders in the scene's outfit, and in her hands what she holds.
class HeroineFigure {
public:
    static void Paint(cairo_t* cr, const EventScene& scene);
    // Where in the frame her free hand is, which the moment's other half meets: at
    // her chest for the umbrella's handle, reaching out for a hand to hold or for the
    // dance.
    struct Point {
        double x;
        double y;
    };
    static Point Hand(const EventScene& scene);
};

}  // namespace mkdemo
