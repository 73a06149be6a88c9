#include "mkdemo/FigurePainter.h"

#include <cmath>
#include <random>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/CharacterSheets.h"
#include "mkdemo/FigureDrawing.h"
#include "mkdemo/Wardrobe.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFigureX = CharacterSheets::kBodyWidth / 2.0;
constexpr const char* kQuira = "QUIRA";
// Where a face sheet's cell lies on the body: the anchor every body line gives.
constexpr int kFaceLeft = 100;
constexpr int kFaceTop = 30;

Figure HeroineFigure(const std::string& id, const Outfit& outfit, Mood mood, int eyeFrame = 0) {
    return {ArtStyle::HeroineLook(id), Wardrobe::BuildOf(id), outfit, mood, eyeFrame};
}

Outfit QuiraIn(int costume) { return {Wardrobe::CostumeOf(costume), Pose::Rest}; }

void PaintBody(ArtCanvas& canvas, const Heroine& heroine, const std::string& stem) {
    const std::optional<Outfit> outfit = Wardrobe::OutfitOf(heroine.id, stem);
    if (!outfit) return;
    FigureDrawing::Whole(canvas.cr(), HeroineFigure(heroine.id, *outfit, Mood::Calm));
}

// The three eye frames side by side, each the head as the body draws it seen through
// the cell that the engine lays over the body's face anchor.
void PaintFace(ArtCanvas& canvas, const Heroine& heroine, const std::string& stem) {
    cairo_t* cr = canvas.cr();
    constexpr int kCell = CharacterSheets::kFaceCell;
    const Outfit outfit = {Wardrobe::OwnDress(heroine.id), Pose::Rest};
    for (int frame = 0; frame < CharacterSheets::kEyeFrames; ++frame) {
        cairo_save(cr);
        cairo_rectangle(cr, frame * kCell, 0, kCell, kCell);
        cairo_clip(cr);
        cairo_translate(cr, frame * kCell - kFaceLeft, -kFaceTop);
        FigureDrawing::Head(cr, HeroineFigure(heroine.id, outfit, Wardrobe::MoodOf(stem), frame));
        cairo_restore(cr);
    }
}

// ---- Cells ---------------------------------------------------------------------------------

void Backdrop(cairo_t* cr, const SheetCell& cell, std::uint32_t top, std::uint32_t bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, cell.top, 0, cell.bottom);
    AddStop(g, 0, top);
    AddStop(g, 1, bottom);
    cairo_rectangle(cr, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A soft pool of light on the floor and a glow behind where the figure stands.
void Spotlight(cairo_t* cr, double cx, double floorY, double width, std::uint32_t light) {
    cairo_save(cr);
    cairo_translate(cr, cx, floorY);
    cairo_scale(cr, width, width / 4);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    SetColor(cr, light, 0.35);
    cairo_fill(cr);
}

// Draws with the body sheet's coordinates scaled by s and its point (fx, fy) at (x, y).
template <typename Draw>
void Placed(cairo_t* cr, const SheetCell& cell, double s, double fx, double fy, double x, double y,
            Draw draw) {
    cairo_save(cr);
    cairo_rectangle(cr, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    cairo_translate(cr, -fx, -fy);
    draw(cr);
    cairo_restore(cr);
}

// The costume select's whole figures: Quira in each costume on the stage's light, and
// the bare dress form while nothing is chosen.
void PaintSelectBodies(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    constexpr double kScale = 0.62;
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        const SheetCell& c = entry.cells[i];
        const double cx = (c.left + c.right) / 2.0;
        const bool chosen = static_cast<int>(i) < Wardrobe::kCostumes;
        Backdrop(cr, c, chosen ? ArtStyle::kPanelLight : ArtStyle::kPanel, ArtStyle::kPanel);
        Spotlight(cr, cx, c.bottom - 14, 90, chosen ? ArtStyle::kGoldLight : ArtStyle::kMoon);
        Placed(cr, c, kScale, kFigureX, 552, cx, c.bottom - 8, [&](cairo_t* g) {
            if (chosen) {
                FigureDrawing::Whole(
                    g, HeroineFigure(kQuira, QuiraIn(static_cast<int>(i) + 1), Mood::Smile));
            } else {
                FigureDrawing::DressForm(g, nullptr);
            }
        });
        ArtShapes::CellRim(cr, c, i);
    }
}

// Each costume's card: the costume on its form on parchment, and below it the finished
// look, Quira wearing it among sparkles.
void PaintCardFaces(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        const SheetCell& c = entry.cells[i];
        const int costume = static_cast<int>(i) % Wardrobe::kCostumes + 1;
        const bool finished = static_cast<int>(i) >= Wardrobe::kCostumes;
        const double cx = (c.left + c.right) / 2.0;
        if (finished) {
            Backdrop(cr, c, ArtStyle::kGoldLight, ArtStyle::kGold);
            Placed(cr, c, 0.42, kFigureX, 40, cx, c.top + 6, [&](cairo_t* g) {
                FigureDrawing::Whole(g, HeroineFigure(kQuira, QuiraIn(costume), Mood::Smile));
            });
            ArtShapes::Sparkle(cr, c.left + 18, c.top + 24, 7);
            ArtShapes::Sparkle(cr, c.right - 20, c.top + 60, 5);
            SetColor(cr, 0xFAFAF6);
            cairo_fill(cr);
        } else {
            Backdrop(cr, c, 0xFBF5E6, 0xE8DCC0);
            const Costume& look = Wardrobe::CostumeOf(costume);
            Placed(cr, c, 0.3, kFigureX, 548, cx, c.bottom - 6,
                   [&](cairo_t* g) { FigureDrawing::DressForm(g, &look); });
        }
        ArtShapes::CellRim(cr, c, i);
    }
}

// The card backs: night blue with the moon and a scatter of stars of their own.
void PaintCardBacks(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        const SheetCell& c = entry.cells[i];
        const double cx = (c.left + c.right) / 2.0;
        const double cy = (c.top + c.bottom) / 2.0;
        Backdrop(cr, c, ArtStyle::kPanelLight, ArtStyle::kPanel);
        std::minstd_rand stars(static_cast<std::uint32_t>(i) + 7);
        for (int s = 0; s < 14; ++s) {
            const double x = c.left + 8 + static_cast<double>(stars() % 100);
            const double y = c.top + 8 + static_cast<double>(stars() % 134);
            cairo_arc(cr, x, y, 0.8 + static_cast<double>(stars() % 3) / 2, 0, 2 * kPi);
            SetColor(cr, ArtStyle::kMoon, 0.8);
            cairo_fill(cr);
        }
        cairo_arc(cr, cx, cy, 26, 0, 2 * kPi);
        SetColor(cr, ArtStyle::kGold);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_arc(cr, cx - 4, cy, 18, 0, 2 * kPi);
        cairo_arc_negative(cr, cx + 4, cy - 4, 15, 2 * kPi, 0);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        SetColor(cr, ArtStyle::kGoldLight);
        cairo_fill(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        RoundedRect(cr, c.left + 7, c.top + 7, c.right - c.left - 14, c.bottom - c.top - 14, 6);
        SetColor(cr, ArtStyle::kGold);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        ArtShapes::CellRim(cr, c, i);
    }
}

// Quira's head and shoulders beside the dress room's comment, one cell per expression.
void PaintQuiraFaces(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    const double faceY = Wardrobe::BuildOf(kQuira).headY;
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        const SheetCell& c = entry.cells[i];
        const std::string& name = c.name;
        const Mood mood = name == "表情1"   ? Mood::Blush
                          : name == "表情2" ? Mood::Surprise
                                            : Mood::Smile;
        Backdrop(cr, c, ArtStyle::kPanelLight, ArtStyle::kPanel);
        Placed(cr, c, 0.75, kFigureX, faceY + 14, (c.left + c.right) / 2.0, c.top + 50,
               [&](cairo_t* g) {
                   FigureDrawing::Whole(
                       g, HeroineFigure(kQuira, {Wardrobe::OwnDress(kQuira), Pose::Rest}, mood));
               });
        ArtShapes::CellRim(cr, c, i);
    }
}

}  // namespace

bool FigurePainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    if (entry.kind == PictureKind::Body || entry.kind == PictureKind::Face) {
        const std::optional<SheetOwner> owner = CharacterSheets::Owner(entry.stem);
        if (!owner) return false;
        if (owner->face) {
            PaintFace(canvas, *owner->heroine, entry.stem);
        } else {
            PaintBody(canvas, *owner->heroine, entry.stem);
        }
        return true;
    }
    if (entry.stem == "ClothesSelectBody") {
        PaintSelectBodies(canvas, entry);
    } else if (entry.stem == "ClothesCard_F") {
        PaintCardFaces(canvas, entry);
    } else if (entry.stem == "ClothesCard_R") {
        PaintCardBacks(canvas, entry);
    } else if (entry.stem == "QuiraFaceWnd") {
        PaintQuiraFaces(canvas, entry);
    } else {
        return false;
    }
    return true;
}

}  // namespace mkdemo
