#pragma once

#include <cairo.h>

#include <string_view>

#include "mkdemo/ArtStyle.h"
#include "mkdemo/Wardrobe.h"

namespace mkdemo {

// One heroine as a sheet shows her: her palette and build, what she wears, her
// expression and how far her eyes are open (0 open, 1 half closed, 2 closed).
struct Figure {
    const ArtStyle::Look& look;
    const Build& build;
    Outfit outfit;
    Mood mood = Mood::Calm;
    int eyeFrame = 0;
};

// A rectangle in body sheet coordinates, right and bottom exclusive.
struct FigureBox {
    int left;
    int top;
    int right;
    int bottom;
};

// The heroines drawn with cairo in body sheet coordinates (a sheet of
// CharacterSheets::kBodyWidth by kBodyHeight, the figure centred): every sheet that
// shows a heroine, whole or only her face, scales and clips these.
class FigureDrawing {
public:
    // The whole figure, head included.
    static void Whole(cairo_t* cr, const Figure& figure);
    // What a face sheet lays over the body: the face, its features and the front hair,
    // drawn exactly as Whole draws them.
    static void Head(cairo_t* cr, const Figure& figure);
    // A costume on a dress form on its stand; the bare form when costume is null.
    static void DressForm(cairo_t* cr, const Costume* costume);
    // The only part of a face that changes while the eyes blink.
    static FigureBox EyeArea(const Build& build);
};

}  // namespace mkdemo
