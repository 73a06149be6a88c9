#pragma once

#include <cstdint>
#include <string_view>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// The pieces the extras' screens share: buttons in their looks, panels, glowing frames
// and the gold rim every sheet cell keeps two pixels in from its edge.
class ExtrasUiKit {
public:
    enum class Look { Normal, Hover, Pressed, Inactive, Selected };

    // What a button shows: a label, or an icon drawn by the caller over the face.
    struct Face {
        std::string_view label;
        int height = 18;
    };

    // A button filling the cell, in its look, its label centred.
    static void Button(const ArtCanvas& canvas, const SheetCell& cell, Look look, Face face);
    // The colour a label takes on a button in the given look.
    static std::uint32_t InkOf(Look look);
    // A night-blue panel with a gold line round it.
    static void Panel(cairo_t* cr, double x, double y, double w, double h, double radius);
    // A border six pixels wide inside the cell with white edges, brighter as the glow
    // (0 to 1) rises, the key left inside it.
    static void Ring(cairo_t* cr, const SheetCell& cell, double glow);
    // Each cell's one-pixel rim in its own colour two pixels in, drawn last and
    // unblended; on a frame cell it runs along the middle of the border.
    static void Rims(cairo_t* cr, const PictureEntry& entry);
    // Points of starlight over an area, the same every run.
    static void Stars(cairo_t* cr, double x, double y, double w, double h, int count,
                      unsigned seed);
};

}  // namespace mkdemo
