#pragma once

#include <cairo.h>

#include <cstdint>

#include "mkdemo/SkyPainter.h"

namespace mkdemo {

// Indoors: the workshop's walls, floor, window, shelves and dress forms, and the
// theatre's curtains and lights.
class RoomPainter {
public:
    // The back wall down to floorY, with a darker skirting band, then the boards of a
    // floor running towards the middle of the wall.
    static void WallAndFloor(cairo_t* cr, double width, double height, double floorY,
                             std::uint32_t wall, std::uint32_t floor);
    // A window onto the sky of the hour, the town's roofs under it.
    static void Window(cairo_t* cr, double x, double y, double w, double h, Hour hour);
    // A shelf of rolled cloth, one bolt after another.
    static void Shelf(cairo_t* cr, double x, double y, double w, double h, unsigned seed);
    // A tailor's dress form on its stand, in a half-made dress.
    static void DressForm(cairo_t* cr, double x, double groundY, double scale, std::uint32_t dress);
    // A lamp hanging on its cord from the top of the picture.
    static void HangingLamp(cairo_t* cr, double x, double y, double size, bool lit);
    // A work table seen from the front, cloth heaped on it.
    static void Table(cairo_t* cr, double x, double y, double w, double h);
    // A rail of finished costumes on hangers, in the heroines' colours.
    static void Rack(cairo_t* cr, double x, double y, double w, double h);
    // A stage curtain with its folds, from top to bottom.
    static void Curtain(cairo_t* cr, double x, double y, double w, double h, std::uint32_t color);
    // A cone of stage light from a lamp down to a pool on the floor.
    static void Spotlight(cairo_t* cr, double fromX, double fromY, double toX, double toY,
                          double spread, std::uint32_t rgb);
    // A brick wall over the rectangle.
    static void Bricks(cairo_t* cr, double x, double y, double w, double h, std::uint32_t brick);
};

}  // namespace mkdemo
