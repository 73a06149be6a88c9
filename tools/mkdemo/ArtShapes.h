#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>

#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Shapes every family of the demo's art draws alike.
class ArtShapes {
public:
    // The game's crescent, horns to the upper right: a disc lit from its upper left,
    // from inner to outer (0x00RRGGBB), with a second disc taken out of it.
    static void Crescent(cairo_t* cr, double cx, double cy, double r, std::uint32_t inner,
                         std::uint32_t outer);
    // The colour share of the way from one colour to another (0x00RRGGBB).
    static std::uint32_t Mix(std::uint32_t from, std::uint32_t to, double share);
    // An ellipse's path, as a new sub-path of its own.
    static void Ellipse(cairo_t* cr, double x, double y, double rx, double ry);
    // A four-pointed sparkle's path, its points size from (x, y).
    static void Sparkle(cairo_t* cr, double x, double y, double size);
    // A crisp one-pixel line two pixels in from a rectangle's edges, replacing what lies
    // there: the rim by which tests find a sheet's cell.
    static void RimRect(cairo_t* cr, int left, int top, int right, int bottom, std::uint32_t rgb);
    // The rim of a sheet's cell number index, in that cell's own rim colour.
    static void CellRim(cairo_t* cr, const SheetCell& cell, std::size_t index);
};

}  // namespace mkdemo
