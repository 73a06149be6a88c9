#pragma once

#include <cstddef>
#include <cstdint>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// The pieces the interface's sheets are built from: night-blue tiles in the look of
// a button's state, the gold rim every sheet cell carries two pixels in, and the
// crescent the game takes for its mark.
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
    // The 1-px rim of sheet cell `index`, inset two pixels, hard-edged and opaque.
    static void Rim(cairo_t* cr, const SheetCell& cell, std::size_t index);
    // The same rim around part of a cell.
    static void RimRect(cairo_t* cr, int left, int top, int right, int bottom, std::uint32_t rgb);
    // A gold hairline from (x0, y) to (x1, y) fading out at both ends.
    static void Rule(cairo_t* cr, double x0, double x1, double y, double alpha = 0.8);
    // A crescent opening to the upper right, in rgb.
    static void Crescent(cairo_t* cr, double cx, double cy, double r, std::uint32_t rgb);
};

}  // namespace mkdemo
