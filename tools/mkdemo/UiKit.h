#pragma once

#include <cstddef>
#include <cstdint>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// The pieces the story interface's sheets are built from: night-blue tiles in the
// look of a button's state, panels and gold hairlines.
class UiKit {
public:
    enum class State { Normal, Hover, Pressed, Selected, Disabled };
    struct Look {
        std::uint32_t top;
        std::uint32_t bottom;
        std::uint32_t ink;
    };
    static Look LookOf(State state);

    // A cell filled in a state's look with softly rounded corners and a dark edge.
    static void Tile(cairo_t* cr, const SheetCell& cell, State state, double radius = 3);
    // The panel's gradient over a rectangle, running from panelTop to panelBottom, so
    // that a tile laid over part of a panel melts into it.
    static void PanelFill(cairo_t* cr, double x, double y, double w, double h, double panelTop,
                          double panelBottom);
    // A gold hairline from (x0, y) to (x1, y) fading out at both ends.
    static void Rule(cairo_t* cr, double x0, double x1, double y, double alpha = 0.8);
};

}  // namespace mkdemo
