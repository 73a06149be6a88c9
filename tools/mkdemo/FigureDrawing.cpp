#include "mkdemo/FigureDrawing.h"

#include <cmath>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtShapes.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCx = 180;
// Just short of pure white, which the screens keep for their text.
constexpr std::uint32_t kWhite = 0xFAFAF6;
constexpr std::uint32_t kCollarWhite = 0xFBF8F0;
constexpr std::uint32_t kMouth = 0xA8424A;
constexpr std::uint32_t kBlush = 0xF49AA6;
constexpr std::uint32_t kLinen = 0xE6DAC2;
constexpr std::uint32_t kLinenShade = 0xB8A88C;
constexpr std::uint32_t kWood = 0x6E4A2E;

// The body's landmarks, from the build: every part is placed relative to these.
struct Frame {
    double cy, r;
    double shoulderY, chestY, waistY, hipY, kneeY, feetY;
    double shoulder, waist, hip;
};

Frame FrameOf(const Build& b) {
    const double shoulderY = b.headY + 1.62 * b.headR;
    const double length = b.feetY - shoulderY;
    return {b.headY,
            b.headR,
            shoulderY,
            shoulderY + 0.15 * length,
            shoulderY + 0.33 * length,
            shoulderY + 0.45 * length,
            shoulderY + 0.72 * length,
            b.feetY,
            b.shoulder,
            b.waist,
            b.hip};
}

void Fill(cairo_t* cr, std::uint32_t rgb) {
    SetColor(cr, rgb);
    cairo_fill(cr);
}

// Fills the current path and outlines it a shade darker, as an inked drawing.
void FillInked(cairo_t* cr, std::uint32_t rgb, std::uint32_t ink, double width = 1.4) {
    SetColor(cr, rgb);
    cairo_fill_preserve(cr);
    SetColor(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Stroke(cairo_t* cr, std::uint32_t rgb, double width) {
    SetColor(cr, rgb);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A lock of hair hanging from (x0, y0)-(x1, y0) to a point at (tipX, tipY).
void Lock(cairo_t* cr, double x0, double x1, double y0, double tipX, double tipY) {
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0, (y0 + tipY) / 2, tipX, tipY - 10, tipX, tipY);
    cairo_curve_to(cr, tipX, tipY - 10, x1, (y0 + tipY) / 2, x1, y0);
    cairo_close_path(cr);
}

// ---- The head ------------------------------------------------------------------------

void FacePath(cairo_t* cr, const Frame& f) {
    const double r = f.r;
    cairo_move_to(cr, kCx - r, f.cy - 0.1 * r);
    cairo_curve_to(cr, kCx - r, f.cy + 0.65 * r, kCx - 0.5 * r, f.cy + 1.12 * r, kCx,
                   f.cy + 1.25 * r);
    cairo_curve_to(cr, kCx + 0.5 * r, f.cy + 1.12 * r, kCx + r, f.cy + 0.65 * r, kCx + r,
                   f.cy - 0.1 * r);
    cairo_arc_negative(cr, kCx, f.cy - 0.1 * r, r, 0, kPi);
    cairo_close_path(cr);
}

// The bangs' lower edge as tips (x, y) from right to left, in units of the face's half
// width from the face's centre; the hair's crown closes the shape above them.
struct Bangs {
    double tips[6][2];
    int count;
    double valley;
};

const Bangs& BangsOf(HairStyle style) {
    static const Bangs swept = {
        {{0.95, 0.25}, {0.55, -0.12}, {0.2, -0.2}, {-0.2, -0.05}, {-0.6, 0.05}, {-0.95, 0.3}},
        6,
        -0.55};
    static const Bangs parted = {
        {{0.98, 0.2}, {0.6, -0.2}, {0.1, -0.62}, {-0.1, -0.62}, {-0.6, -0.2}, {-0.98, 0.2}},
        6,
        -0.7};
    static const Bangs blunt = {
        {{0.95, -0.2}, {0.55, -0.2}, {0.18, -0.2}, {-0.18, -0.2}, {-0.55, -0.2}, {-0.95, -0.2}},
        6,
        -0.26};
    static const Bangs fluffy = {
        {{0.95, 0.15}, {0.58, -0.12}, {0.2, -0.22}, {-0.2, -0.22}, {-0.58, -0.12}, {-0.95, 0.15}},
        6,
        -0.6};
    switch (style) {
        case HairStyle::Ponytail:
            return parted;
        case HairStyle::Hime:
            return blunt;
        case HairStyle::TwinTails:
            return fluffy;
        case HairStyle::SideSwept:
            break;
    }
    return swept;
}

void FrontHairPath(cairo_t* cr, const Frame& f, HairStyle style) {
    const Bangs& bangs = BangsOf(style);
    const double r = f.r;
    const double crownY = f.cy - 0.1 * r;
    cairo_arc(cr, kCx, crownY, 1.1 * r, kPi, 2 * kPi);
    cairo_line_to(cr, kCx + 1.1 * r, f.cy + 0.25 * r);
    double x = kCx + 1.1 * r;
    for (int i = 0; i < bangs.count; ++i) {
        const double tipX = kCx + bangs.tips[i][0] * r;
        const double tipY = f.cy + bangs.tips[i][1] * r;
        const double nextX = i + 1 < bangs.count
                                 ? kCx + (bangs.tips[i][0] + bangs.tips[i + 1][0]) / 2 * r
                                 : kCx - 1.1 * r;
        const double valleyY = f.cy + bangs.valley * r;
        cairo_curve_to(cr, x, valleyY, tipX + 3, tipY - 8, tipX, tipY);
        cairo_curve_to(cr, tipX - 2, tipY - 10, nextX, valleyY + 6, nextX, valleyY);
        x = nextX;
    }
    cairo_close_path(cr);
}

// How far below the face's centre the side locks reach, in half widths.
double SideLockLength(HairStyle style) {
    switch (style) {
        case HairStyle::SideSwept:
            return 2.3;
        case HairStyle::Hime:
            return 1.15;
        case HairStyle::Ponytail:
            return 0.75;
        case HairStyle::TwinTails:
            break;
    }
    return 0.55;
}

void SideLocks(cairo_t* cr, const Frame& f, HairStyle style) {
    const double r = f.r;
    const double tip = f.cy + SideLockLength(style) * r;
    for (const double side : {-1.0, 1.0}) {
        if (style == HairStyle::Hime) {
            cairo_rectangle(cr, side > 0 ? kCx + 0.78 * r : kCx - 1.12 * r, f.cy - 0.3 * r,
                            0.34 * r, tip - (f.cy - 0.3 * r));
            continue;
        }
        Lock(cr, kCx + side * 1.12 * r, kCx + side * 0.78 * r, f.cy - 0.3 * r,
             kCx + side * 0.92 * r, tip);
    }
}

// The crown's light ring.
void HairShine(cairo_t* cr, const Frame& f, const ArtStyle::Look& look) {
    cairo_new_path(cr);
    cairo_arc(cr, kCx, f.cy - 0.1 * f.r, 0.82 * f.r, 1.2 * kPi, 1.45 * kPi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, kCx, f.cy - 0.1 * f.r, 0.82 * f.r, 1.58 * kPi, 1.8 * kPi);
    Stroke(cr, ArtShapes::Mix(look.hair, kWhite, 0.5), 3);
}

// Quira's needle-and-thread clip, Ysma's ribbons, Dulcane's comb: drawn over the hair.
void HairOrnament(cairo_t* cr, const Frame& f, const ArtStyle::Look& look, HairStyle style) {
    const double r = f.r;
    const std::uint32_t ink = ArtShapes::Mix(look.accent, 0x000000, 0.4);
    if (style == HairStyle::TwinTails) {
        for (const double side : {-1.0, 1.0}) {
            const double x = kCx + side * 0.98 * r;
            const double y = f.cy - 0.72 * r;
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x - 10, y - 8);
            cairo_line_to(cr, x - 10, y + 8);
            cairo_close_path(cr);
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + 10, y - 8);
            cairo_line_to(cr, x + 10, y + 8);
            cairo_close_path(cr);
            FillInked(cr, look.accent, ink, 1);
            ArtShapes::Ellipse(cr, x, y, 3.5, 3.5);
            FillInked(cr, look.accent, ink, 1);
        }
        return;
    }
    if (style == HairStyle::Hime) return;
    const double x = kCx + (style == HairStyle::Ponytail ? -0.1 : 0.62) * r;
    const double y = f.cy - 0.78 * r;
    ArtShapes::Ellipse(cr, x, y, 6, 4.5);
    FillInked(cr, look.accent, ink, 1);
    ArtShapes::Ellipse(cr, x + 9, y + 2, 4, 3);
    FillInked(cr, look.accent, ink, 1);
}

struct EyeShape {
    double x, y, w, h;
};

EyeShape EyeOf(const Frame& f, double side) {
    return {kCx + side * 0.45 * f.r, f.cy + 0.3 * f.r, 0.27 * f.r, 0.32 * f.r};
}

std::uint32_t LashColor(const ArtStyle::Look& look) {
    return ArtShapes::Mix(look.hairShade, 0x1A1020, 0.65);
}

void OpenEye(cairo_t* cr, const EyeShape& e, const ArtStyle::Look& look, double lidY, Mood mood) {
    cairo_save(cr);
    ArtShapes::Ellipse(cr, e.x, e.y, e.w, e.h);
    cairo_clip(cr);
    cairo_rectangle(cr, e.x - e.w, lidY, 2 * e.w, e.y + e.h - lidY);
    cairo_clip(cr);
    SetColor(cr, kWhite);
    cairo_paint(cr);
    const double iris = mood == Mood::Surprise ? 0.62 : 0.8;
    ArtShapes::Ellipse(cr, e.x, e.y + 0.1 * e.h, iris * e.w, 0.86 * e.h);
    Fill(cr, look.eyes);
    ArtShapes::Ellipse(cr, e.x, e.y - 0.5 * e.h, iris * e.w, 0.5 * e.h);
    SetColor(cr, ArtShapes::Mix(look.eyes, 0x000000, 0.45));
    cairo_fill(cr);
    ArtShapes::Ellipse(cr, e.x, e.y + 0.12 * e.h, 0.36 * iris * e.w, 0.42 * e.h);
    Fill(cr, ArtShapes::Mix(look.eyes, 0x000000, 0.7));
    ArtShapes::Ellipse(cr, e.x - 0.3 * e.w, e.y - 0.25 * e.h, 0.22 * e.w, 0.2 * e.h);
    Fill(cr, kWhite);
    ArtShapes::Ellipse(cr, e.x + 0.3 * e.w, e.y + 0.45 * e.h, 0.12 * e.w, 0.1 * e.h);
    Fill(cr, kWhite);
    cairo_restore(cr);
    // The lid's lash over whatever of the eye shows.
    const double lift = lidY <= e.y - e.h ? 0.0 : 0.35 * e.h;
    cairo_move_to(cr, e.x - 1.08 * e.w, std::max(lidY, e.y - 0.35 * e.h) + 0.35 * lift);
    cairo_curve_to(cr, e.x - 0.7 * e.w, lidY - 0.35 * e.h + lift, e.x + 0.7 * e.w,
                   lidY - 0.35 * e.h + lift, e.x + 1.12 * e.w,
                   std::max(lidY, e.y - 0.35 * e.h) + 0.35 * lift);
    Stroke(cr, LashColor(look), 3);
    cairo_move_to(cr, e.x - 0.6 * e.w, e.y + 0.98 * e.h);
    cairo_line_to(cr, e.x + 0.6 * e.w, e.y + 0.98 * e.h);
    Stroke(cr, ArtShapes::Mix(LashColor(look), look.skin, 0.5), 1.2);
}

void ClosedEye(cairo_t* cr, const EyeShape& e, const ArtStyle::Look& look) {
    cairo_move_to(cr, e.x - 1.05 * e.w, e.y + 0.2 * e.h);
    cairo_curve_to(cr, e.x - 0.5 * e.w, e.y + 0.7 * e.h, e.x + 0.5 * e.w, e.y + 0.7 * e.h,
                   e.x + 1.08 * e.w, e.y + 0.2 * e.h);
    Stroke(cr, LashColor(look), 2.6);
}

void Eyes(cairo_t* cr, const Frame& f, const ArtStyle::Look& look, Mood mood, int frame) {
    for (const double side : {-1.0, 1.0}) {
        const EyeShape e = EyeOf(f, side);
        if (frame >= 2) {
            ClosedEye(cr, e, look);
            continue;
        }
        const double lidY = frame == 0 ? e.y - e.h : e.y + 0.05 * e.h;
        OpenEye(cr, e, look, lidY, mood);
    }
}

void Brows(cairo_t* cr, const Frame& f, const ArtStyle::Look& look, Mood mood) {
    double inner = 0;
    double lift = 0;
    if (mood == Mood::Anger) inner = 5;
    if (mood == Mood::Worry || mood == Mood::Sad) inner = -5;
    if (mood == Mood::Surprise) lift = -3;
    for (const double side : {-1.0, 1.0}) {
        const EyeShape e = EyeOf(f, side);
        const double y = f.cy - 0.2 * f.r + lift;
        cairo_move_to(cr, e.x - side * 1.0 * e.w, y + inner);
        cairo_curve_to(cr, e.x - side * 0.3 * e.w, y - 2 + inner / 2, e.x + side * 0.4 * e.w, y - 3,
                       e.x + side * 1.05 * e.w, y);
        Stroke(cr, ArtShapes::Mix(look.hairShade, 0x000000, 0.25), 2.2);
    }
}

void Mouth(cairo_t* cr, const Frame& f, Mood mood) {
    const double y = f.cy + 0.88 * f.r;
    switch (mood) {
        case Mood::Smile:
            cairo_move_to(cr, kCx - 7, y - 1);
            cairo_curve_to(cr, kCx - 4, y + 8, kCx + 4, y + 8, kCx + 7, y - 1);
            cairo_close_path(cr);
            Fill(cr, kMouth);
            return;
        case Mood::Surprise:
            ArtShapes::Ellipse(cr, kCx, y + 2, 3.5, 4.5);
            Fill(cr, kMouth);
            return;
        case Mood::Worry:
            cairo_move_to(cr, kCx - 6, y + 2);
            cairo_curve_to(cr, kCx - 3, y - 1, kCx + 1, y + 4, kCx + 6, y + 1);
            break;
        case Mood::Anger:
        case Mood::Sad:
            cairo_move_to(cr, kCx - 6, y + 3);
            cairo_curve_to(cr, kCx - 3, y - 1, kCx + 3, y - 1, kCx + 6, y + 3);
            break;
        case Mood::Wry:
            cairo_move_to(cr, kCx - 6, y + 1);
            cairo_curve_to(cr, kCx - 2, y + 2, kCx + 3, y + 1, kCx + 7, y - 3);
            break;
        case Mood::Calm:
        case Mood::Blush:
            cairo_move_to(cr, kCx - 6, y);
            cairo_curve_to(cr, kCx - 3, y + 4, kCx + 3, y + 4, kCx + 6, y);
            break;
    }
    Stroke(cr, kMouth, 1.8);
}

void Cheeks(cairo_t* cr, const Frame& f, Mood mood) {
    if (mood != Mood::Blush && mood != Mood::Smile) return;
    const double alpha = mood == Mood::Blush ? 0.7 : 0.35;
    for (const double side : {-1.0, 1.0}) {
        const double x = kCx + side * 0.55 * f.r;
        const double y = f.cy + 0.7 * f.r;
        ArtShapes::Ellipse(cr, x, y, 0.2 * f.r, 0.09 * f.r);
        SetColor(cr, kBlush, alpha);
        cairo_fill(cr);
        if (mood != Mood::Blush) continue;
        for (int i = -1; i <= 1; ++i) {
            cairo_move_to(cr, x + 4 * i + 2, y - 2.5);
            cairo_line_to(cr, x + 4 * i - 1, y + 2.5);
        }
        Stroke(cr, ArtShapes::Mix(kBlush, kMouth, 0.5), 1);
    }
}

// ---- The hair behind the head ---------------------------------------------------------

// The hair close behind the head down to the nape, for the styles tied up or away.
void NapeCurve(cairo_t* cr, const Frame& f) {
    const double r = f.r;
    cairo_move_to(cr, kCx - 1.12 * r, f.cy - 0.1 * r);
    cairo_curve_to(cr, kCx - 1.0 * r, f.cy + 0.5 * r, kCx - 0.6 * r, f.cy + 0.9 * r, kCx,
                   f.cy + 0.9 * r);
    cairo_curve_to(cr, kCx + 0.6 * r, f.cy + 0.9 * r, kCx + 1.0 * r, f.cy + 0.5 * r, kCx + 1.12 * r,
                   f.cy - 0.1 * r);
}

void BackHair(cairo_t* cr, const Frame& f, const ArtStyle::Look& look, HairStyle style) {
    const double r = f.r;
    const std::uint32_t ink = ArtShapes::Mix(look.hairShade, 0x000000, 0.3);
    switch (style) {
        case HairStyle::SideSwept:
            cairo_move_to(cr, kCx - 1.1 * r, f.cy - 0.1 * r);
            cairo_curve_to(cr, kCx - 1.3 * r, f.waistY - 80, kCx - 1.5 * r, f.waistY, kCx - 1.2 * r,
                           f.waistY + 12);
            cairo_curve_to(cr, kCx - 0.5 * r, f.waistY, kCx + 0.5 * r, f.waistY, kCx + 1.2 * r,
                           f.waistY + 12);
            cairo_curve_to(cr, kCx + 1.5 * r, f.waistY, kCx + 1.3 * r, f.waistY - 80, kCx + 1.1 * r,
                           f.cy - 0.1 * r);
            break;
        case HairStyle::Ponytail:
            ArtShapes::Ellipse(cr, kCx + 0.35 * r, f.cy - 1.05 * r, 0.5 * r, 0.42 * r);
            FillInked(cr, look.hair, ink);
            Lock(cr, kCx + 0.6 * r, kCx + 1.1 * r, f.cy - 0.9 * r, kCx + 1.45 * r, f.chestY + 40);
            FillInked(cr, look.hairShade, ink);
            NapeCurve(cr, f);
            break;
        case HairStyle::Hime:
            cairo_move_to(cr, kCx - 1.12 * r, f.cy - 0.1 * r);
            cairo_line_to(cr, kCx - 1.28 * r, f.hipY - 24);
            cairo_line_to(cr, kCx + 1.28 * r, f.hipY - 24);
            cairo_line_to(cr, kCx + 1.12 * r, f.cy - 0.1 * r);
            break;
        case HairStyle::TwinTails:
            for (const double side : {-1.0, 1.0}) {
                cairo_move_to(cr, kCx + side * 0.9 * r, f.cy - 0.75 * r);
                cairo_curve_to(cr, kCx + side * 2.0 * r, f.cy - 0.4 * r, kCx + side * 1.9 * r,
                               f.chestY, kCx + side * 1.45 * r, f.waistY + 24);
                cairo_curve_to(cr, kCx + side * 1.5 * r, f.chestY, kCx + side * 1.3 * r,
                               f.cy + 0.2 * r, kCx + side * 0.95 * r, f.cy - 0.4 * r);
                cairo_close_path(cr);
            }
            FillInked(cr, look.hair, ink);
            NapeCurve(cr, f);
            break;
    }
    cairo_arc_negative(cr, kCx, f.cy - 0.1 * r, 1.12 * r, 0, kPi);
    cairo_close_path(cr);
    FillInked(cr, look.hairShade, ink);
}

// ---- The body ----------------------------------------------------------------------------

void TorsoPath(cairo_t* cr, const Frame& f) {
    const double neck = 0.3 * f.r;
    cairo_move_to(cr, kCx - neck, f.shoulderY - 4);
    cairo_curve_to(cr, kCx - f.shoulder + 10, f.shoulderY - 2, kCx - f.shoulder, f.shoulderY + 2,
                   kCx - f.shoulder, f.shoulderY + 16);
    cairo_curve_to(cr, kCx - f.shoulder + 4, f.chestY + 10, kCx - f.waist - 4, f.waistY - 30,
                   kCx - f.waist, f.waistY);
    cairo_line_to(cr, kCx - f.hip + 6, f.hipY);
    cairo_line_to(cr, kCx + f.hip - 6, f.hipY);
    cairo_line_to(cr, kCx + f.waist, f.waistY);
    cairo_curve_to(cr, kCx + f.waist + 4, f.waistY - 30, kCx + f.shoulder - 4, f.chestY + 10,
                   kCx + f.shoulder, f.shoulderY + 16);
    cairo_curve_to(cr, kCx + f.shoulder, f.shoulderY + 2, kCx + f.shoulder - 10, f.shoulderY - 2,
                   kCx + neck, f.shoulderY - 4);
    cairo_curve_to(cr, kCx + neck / 2, f.shoulderY + 10, kCx - neck / 2, f.shoulderY + 10,
                   kCx - neck, f.shoulderY - 4);
    cairo_close_path(cr);
}

// A horizontal light-to-shade fill, as if lit from the left.
void ShadedFill(cairo_t* cr, double left, double right, std::uint32_t light, std::uint32_t shade) {
    cairo_pattern_t* g = cairo_pattern_create_linear(left, 0, right, 0);
    AddStop(g, 0, light);
    AddStop(g, 0.55, light);
    AddStop(g, 1, ArtShapes::Mix(light, shade, 0.7));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColor(cr, ArtShapes::Mix(shade, 0x000000, 0.35));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

double HemY(const Frame& f, Hem hem) {
    switch (hem) {
        case Hem::Short:
            return f.hipY + 0.35 * (f.kneeY - f.hipY);
        case Hem::Knee:
            return f.kneeY + 6;
        case Hem::Calf:
            return f.kneeY + 0.45 * (f.feetY - f.kneeY);
        case Hem::Floor:
            return f.feetY - 6;
        case Hem::Fitted:
            break;
    }
    return f.hipY;
}

void SkirtPath(cairo_t* cr, const Frame& f, double top, double bottom, double flare) {
    const double half = f.hip + flare;
    cairo_move_to(cr, kCx - f.waist - 1, top);
    cairo_curve_to(cr, kCx - f.hip - 4, top + 30, kCx - half, bottom - 30, kCx - half, bottom);
    const int waves = 5;
    for (int i = 0; i < waves; ++i) {
        const double x0 = kCx - half + 2 * half * i / waves;
        const double x1 = kCx - half + 2 * half * (i + 1) / waves;
        cairo_curve_to(cr, x0 + (x1 - x0) / 3, bottom + 5, x1 - (x1 - x0) / 3, bottom + 5, x1,
                       bottom);
    }
    cairo_curve_to(cr, kCx + half, bottom - 30, kCx + f.hip + 4, top + 30, kCx + f.waist + 1, top);
    cairo_close_path(cr);
}

void SkirtFolds(cairo_t* cr, const Frame& f, double top, double bottom, double flare,
                std::uint32_t shade) {
    for (const double t : {-0.55, -0.15, 0.3, 0.7}) {
        cairo_move_to(cr, kCx + t * f.waist, top + 16);
        cairo_line_to(cr, kCx + t * (f.hip + flare) * 0.9, bottom - 2);
    }
    Stroke(cr, shade, 1.3);
}

void Skirt(cairo_t* cr, const Frame& f, const Costume& c) {
    if (c.hem == Hem::Fitted) return;
    const double bottom = HemY(f, c.hem);
    SkirtPath(cr, f, f.waistY - 2, bottom, c.flare);
    ShadedFill(cr, kCx - f.hip - c.flare, kCx + f.hip + c.flare, c.skirt, c.skirtShade);
    SkirtFolds(cr, f, f.waistY, bottom, c.flare, c.skirtShade);
    if (!(c.extras & kTiers)) return;
    const double tier = f.waistY + 0.55 * (bottom - f.waistY);
    SkirtPath(cr, f, f.waistY - 2, tier, 0.6 * c.flare);
    ShadedFill(cr, kCx - f.hip, kCx + f.hip, ArtShapes::Mix(c.skirt, kWhite, 0.12), c.skirtShade);
    cairo_move_to(cr, kCx - f.hip - 0.6 * c.flare, tier);
    cairo_line_to(cr, kCx + f.hip + 0.6 * c.flare, tier);
    Stroke(cr, c.trim, 2);
}

void Legs(cairo_t* cr, const Frame& f, const Costume& c, const ArtStyle::Look& look) {
    const bool trousers = c.hem == Hem::Fitted;
    const std::uint32_t fill = trousers ? c.skirt : c.legs;
    const std::uint32_t ink = ArtShapes::Mix(trousers ? c.skirtShade : look.skin, 0x000000, 0.35);
    const double thigh = trousers ? 16 : 13;
    for (const double side : {-1.0, 1.0}) {
        const double x = kCx + side * 0.4 * f.hip;
        cairo_move_to(cr, x - thigh, f.hipY - 10);
        cairo_curve_to(cr, x - thigh, f.kneeY - 40, x - 8, f.kneeY, x - 7, f.feetY - 14);
        cairo_line_to(cr, x + 7, f.feetY - 14);
        cairo_curve_to(cr, x + 8, f.kneeY, x + thigh, f.kneeY - 40, x + thigh, f.hipY - 10);
        cairo_close_path(cr);
        FillInked(cr, fill, ink);
        ArtShapes::Ellipse(cr, x + side * 3, f.feetY - 7, 11, 7);
        FillInked(cr, c.shoes, ArtShapes::Mix(c.shoes, 0x000000, 0.5));
    }
}

struct Arm {
    double shoulderX, shoulderY, elbowX, elbowY, handX, handY;
};

Arm ArmOf(const Frame& f, Pose pose, double side) {
    const double sx = kCx + side * (f.shoulder - 7);
    const double sy = f.shoulderY + 14;
    const Arm rest = {
        sx, sy, kCx + side * (f.shoulder + 3), f.waistY - 8, kCx + side * (f.hip + 5), f.hipY + 14};
    switch (pose) {
        case Pose::HandsFront:
            return {sx,        sy, kCx + side * (f.shoulder - 1), f.waistY - 4, kCx + side * 7,
                    f.hipY - 6};
        case Pose::HandToChest:
            if (side > 0)
                return {sx, sy, kCx + f.shoulder + 4, f.waistY - 10, kCx + 12, f.chestY + 8};
            return rest;
        case Pose::HandOnHip:
            if (side > 0)
                return {sx,          sy, kCx + f.shoulder + 24, f.waistY - 20, kCx + f.waist + 8,
                        f.waistY + 2};
            return rest;
        case Pose::Rest:
            break;
    }
    return rest;
}

void Segment(cairo_t* cr, double x0, double y0, double x1, double y1, std::uint32_t fill,
             std::uint32_t ink, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    Stroke(cr, ink, width + 2.4);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    Stroke(cr, fill, width);
}

void WideSleeve(cairo_t* cr, const Arm& a, const Costume& c) {
    cairo_move_to(cr, a.elbowX - 9, a.elbowY - 4);
    cairo_line_to(cr, a.handX - 10, a.handY - 6);
    cairo_line_to(cr, a.handX - 8, a.handY + 34);
    cairo_line_to(cr, a.elbowX - 6, a.elbowY + 30);
    cairo_close_path(cr);
    cairo_move_to(cr, a.elbowX + 9, a.elbowY - 4);
    cairo_line_to(cr, a.handX + 10, a.handY - 6);
    cairo_line_to(cr, a.handX + 8, a.handY + 34);
    cairo_line_to(cr, a.elbowX + 6, a.elbowY + 30);
    cairo_close_path(cr);
    FillInked(cr, c.topShade, ArtShapes::Mix(c.topShade, 0x000000, 0.4));
}

void DrawArm(cairo_t* cr, const Arm& a, const Costume& c, const ArtStyle::Look& look) {
    const std::uint32_t skinInk = ArtShapes::Mix(look.skin, 0x6A3A2A, 0.45);
    const std::uint32_t clothInk = ArtShapes::Mix(c.topShade, 0x000000, 0.35);
    const bool longSleeve = c.sleeve == Sleeve::Long || c.sleeve == Sleeve::Wide;
    if (c.sleeve == Sleeve::Wide) WideSleeve(cr, a, c);
    const std::uint32_t upper = c.sleeve == Sleeve::None ? look.skin : c.top;
    Segment(cr, a.shoulderX, a.shoulderY, a.elbowX, a.elbowY, longSleeve ? c.top : look.skin,
            longSleeve ? clothInk : skinInk, 16);
    Segment(cr, a.elbowX, a.elbowY, a.handX, a.handY, longSleeve ? c.top : look.skin,
            longSleeve ? clothInk : skinInk, 13);
    if (c.sleeve == Sleeve::Short || c.sleeve == Sleeve::Puff) {
        const double t = 0.5;
        Segment(cr, a.shoulderX, a.shoulderY, a.shoulderX + t * (a.elbowX - a.shoulderX),
                a.shoulderY + t * (a.elbowY - a.shoulderY), upper, clothInk,
                c.sleeve == Sleeve::Puff ? 24 : 18);
    }
    if (longSleeve) {
        Segment(cr, a.handX + 0.15 * (a.elbowX - a.handX), a.handY + 0.15 * (a.elbowY - a.handY),
                a.handX + 0.1 * (a.elbowX - a.handX), a.handY + 0.1 * (a.elbowY - a.handY), c.trim,
                clothInk, 12);
    }
    ArtShapes::Ellipse(cr, a.handX, a.handY + 3, 7.5, 8.5);
    FillInked(cr, look.skin, skinInk, 1.2);
}

void Neck(cairo_t* cr, const Frame& f, const ArtStyle::Look& look) {
    const double w = 0.24 * f.r;
    cairo_rectangle(cr, kCx - w, f.cy + 0.8 * f.r, 2 * w, f.shoulderY + 12 - (f.cy + 0.8 * f.r));
    FillInked(cr, look.skin, ArtShapes::Mix(look.skin, 0x6A3A2A, 0.45), 1.2);
    // The chin's shadow.
    ArtShapes::Ellipse(cr, kCx, f.cy + 1.2 * f.r, w, 5);
    Fill(cr, ArtShapes::Mix(look.skin, 0xB07A6A, 0.35));
}

// ---- Costume extras --------------------------------------------------------------------------

void Apron(cairo_t* cr, const Frame& f, const Costume& c) {
    const double bottom = HemY(f, c.hem == Hem::Fitted ? Hem::Knee : c.hem) - 14;
    const double half = f.waist + 0.5 * (f.hip - f.waist) + 0.3 * c.flare;
    cairo_move_to(cr, kCx - f.waist - 2, f.waistY);
    cairo_line_to(cr, kCx - half, bottom - 10);
    cairo_curve_to(cr, kCx - half, bottom + 6, kCx + half, bottom + 6, kCx + half, bottom - 10);
    cairo_line_to(cr, kCx + f.waist + 2, f.waistY);
    cairo_close_path(cr);
    FillInked(cr, kWhite, ArtShapes::Mix(c.trim, 0x606070, 0.5));
    cairo_rectangle(cr, kCx - 0.55 * f.waist, f.chestY - 4, 1.1 * f.waist, f.waistY - f.chestY + 4);
    FillInked(cr, kWhite, ArtShapes::Mix(c.trim, 0x606070, 0.5));
    // The real pocket.
    RoundedRect(cr, kCx - 10, f.waistY + 26, 20, 16, 3);
    SetColor(cr, ArtShapes::Mix(c.trim, 0x606070, 0.5));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void Cape(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_move_to(cr, kCx - f.shoulder - 4, f.shoulderY + 6);
    cairo_curve_to(cr, kCx - f.hip - 30, f.waistY, kCx - f.hip - 44, f.kneeY, kCx - f.hip - 40,
                   f.kneeY + 30);
    cairo_line_to(cr, kCx + f.hip + 40, f.kneeY + 30);
    cairo_curve_to(cr, kCx + f.hip + 44, f.kneeY, kCx + f.hip + 30, f.waistY, kCx + f.shoulder + 4,
                   f.shoulderY + 6);
    cairo_close_path(cr);
    ShadedFill(cr, kCx - f.hip - 44, kCx + f.hip + 44, c.trim,
               ArtShapes::Mix(c.trim, 0x000000, 0.5));
}

void Capelet(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_move_to(cr, kCx - 0.3 * f.r, f.shoulderY - 4);
    cairo_curve_to(cr, kCx - f.shoulder - 8, f.shoulderY, kCx - f.shoulder - 14, f.chestY + 10,
                   kCx - f.shoulder - 10, f.chestY + 22);
    cairo_curve_to(cr, kCx - 20, f.chestY + 34, kCx + 20, f.chestY + 34, kCx + f.shoulder + 10,
                   f.chestY + 22);
    cairo_curve_to(cr, kCx + f.shoulder + 14, f.chestY + 10, kCx + f.shoulder + 8, f.shoulderY,
                   kCx + 0.3 * f.r, f.shoulderY - 4);
    cairo_close_path(cr);
    ShadedFill(cr, kCx - f.shoulder - 14, kCx + f.shoulder + 14, c.trim,
               ArtShapes::Mix(c.trim, 0x000000, 0.5));
    ArtShapes::Ellipse(cr, kCx, f.shoulderY + 8, 5, 5);
    FillInked(cr, 0xE8C868, 0x8A6A28, 1);
}

void Obi(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_rectangle(cr, kCx - f.waist - 3, f.waistY - 22, 2 * f.waist + 6, 30);
    FillInked(cr, c.trim, ArtShapes::Mix(c.trim, 0x000000, 0.45));
    cairo_move_to(cr, kCx - f.waist - 3, f.waistY - 8);
    cairo_line_to(cr, kCx + f.waist + 3, f.waistY - 8);
    Stroke(cr, c.shoes, 3);
    for (const double dy : {-12.0, 10.0}) {
        ArtShapes::Ellipse(cr, kCx + f.waist + 12, f.waistY - 8 + dy, 12, 9);
        FillInked(cr, c.trim, ArtShapes::Mix(c.trim, 0x000000, 0.45));
    }
}

void Collar(cairo_t* cr, const Frame& f, const Costume& c) {
    const std::uint32_t ink = ArtShapes::Mix(c.topShade, 0x000000, 0.3);
    if (c.extras & kObi) {
        for (const double side : {-1.0, 1.0}) {
            cairo_move_to(cr, kCx + side * 0.3 * f.r, f.shoulderY - 4);
            cairo_line_to(cr, kCx - side * 6, f.chestY + 16);
        }
        Stroke(cr, kCollarWhite, 5);
        return;
    }
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, kCx, f.shoulderY + 8);
        cairo_curve_to(cr, kCx + side * 6, f.shoulderY + 20, kCx + side * 20, f.shoulderY + 16,
                       kCx + side * 0.34 * f.r + side * 6, f.shoulderY - 4);
        cairo_line_to(cr, kCx + side * 0.3 * f.r, f.shoulderY - 4);
        cairo_close_path(cr);
        FillInked(cr, kCollarWhite, ink, 1);
    }
}

void Buttons(cairo_t* cr, const Frame& f, const Costume& c) {
    for (int i = 0; i < 5; ++i) {
        ArtShapes::Ellipse(cr, kCx, f.shoulderY + 22 + i * (f.waistY - f.shoulderY - 28) / 4, 2.8,
                           2.8);
        FillInked(cr, c.trim, ArtShapes::Mix(c.trim, 0x000000, 0.5), 0.8);
    }
    for (const double side : {-1.0, 1.0}) {
        cairo_rectangle(cr, kCx + side * (f.shoulder - 4) - 9, f.shoulderY + 4, 18, 6);
        FillInked(cr, c.trim, ArtShapes::Mix(c.trim, 0x000000, 0.5), 0.8);
    }
}

void Jacket(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_move_to(cr, kCx - 6, f.shoulderY + 10);
    cairo_line_to(cr, kCx - 12, f.waistY - 6);
    cairo_line_to(cr, kCx + 12, f.waistY - 6);
    cairo_line_to(cr, kCx + 6, f.shoulderY + 10);
    cairo_close_path(cr);
    FillInked(cr, ArtShapes::Mix(c.skirt, c.trim, 0.35), ArtShapes::Mix(c.topShade, 0x000000, 0.3),
              1);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, kCx + side * 0.3 * f.r, f.shoulderY - 4);
        cairo_line_to(cr, kCx + side * 12, f.chestY + 4);
        cairo_line_to(cr, kCx + side * 13, f.waistY - 6);
        cairo_line_to(cr, kCx + side * (f.waist + 2), f.waistY - 6);
    }
    Stroke(cr, c.trim, 2);
}

void Veil(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_arc(cr, kCx, f.cy - 0.15 * f.r, 1.32 * f.r, kPi, 2 * kPi);
    cairo_curve_to(cr, kCx + 1.5 * f.r, f.cy + f.r, kCx + f.shoulder + 8, f.shoulderY,
                   kCx + f.shoulder + 10, f.chestY + 14);
    cairo_line_to(cr, kCx - f.shoulder - 10, f.chestY + 14);
    cairo_curve_to(cr, kCx - f.shoulder - 8, f.shoulderY, kCx - 1.5 * f.r, f.cy + f.r,
                   kCx - 1.32 * f.r, f.cy - 0.15 * f.r);
    cairo_close_path(cr);
    ShadedFill(cr, kCx - f.shoulder - 10, kCx + f.shoulder + 10, c.topShade, 0x101018);
    cairo_arc(cr, kCx, f.cy - 0.12 * f.r, 1.2 * f.r, 1.02 * kPi, 1.98 * kPi);
    Stroke(cr, kCollarWhite, 6);
}

void Stripes(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_save(cr);
    TorsoPath(cr, f);
    cairo_clip(cr);
    for (double y = f.shoulderY - 20; y < f.hipY + 40; y += 18) {
        cairo_move_to(cr, kCx - 80, y);
        cairo_line_to(cr, kCx + 80, y - 40);
    }
    Stroke(cr, c.trim, 6);
    cairo_restore(cr);
}

void Brooch(cairo_t* cr, const Frame& f, const Costume& c) {
    const double y = f.shoulderY + 18;
    cairo_move_to(cr, kCx, y - 7);
    cairo_line_to(cr, kCx + 6, y);
    cairo_line_to(cr, kCx, y + 7);
    cairo_line_to(cr, kCx - 6, y);
    cairo_close_path(cr);
    FillInked(cr, c.trim, ArtShapes::Mix(c.trim, 0x000000, 0.5), 1);
}

void Belt(cairo_t* cr, const Frame& f, const Costume& c) {
    cairo_rectangle(cr, kCx - f.waist - 1, f.waistY - 4, 2 * f.waist + 2, 7);
    FillInked(cr, c.skirtShade, ArtShapes::Mix(c.skirtShade, 0x000000, 0.4), 1);
    cairo_rectangle(cr, kCx - 4, f.waistY - 5, 8, 9);
    FillInked(cr, c.trim, ArtShapes::Mix(c.trim, 0x000000, 0.5), 1);
}

void Bandage(cairo_t* cr, const Arm& hand) {
    ArtShapes::Ellipse(cr, hand.handX, hand.handY + 10, 8, 8);
    FillInked(cr, kWhite, 0x9AA8B8);
    ArtShapes::Ellipse(cr, hand.handX, hand.handY + 10, 3, 3);
    Fill(cr, 0xD8E0E8);
}

// Everything worn over the top and the skirt, in the order they lie.
void OverClothes(cairo_t* cr, const Frame& f, const Costume& c) {
    if (c.extras & kStripes) Stripes(cr, f, c);
    if (c.extras & kApron) Apron(cr, f, c);
    if (c.extras & kJacket) Jacket(cr, f, c);
    if (c.extras & kBelt) Belt(cr, f, c);
    if (c.extras & kObi) Obi(cr, f, c);
    if (c.extras & kButtons) Buttons(cr, f, c);
    if (c.extras & kCollar) Collar(cr, f, c);
    if (c.extras & kBrooch) Brooch(cr, f, c);
}

void Clothes(cairo_t* cr, const Frame& f, const Costume& c) {
    TorsoPath(cr, f);
    ShadedFill(cr, kCx - f.shoulder, kCx + f.shoulder, c.top, c.topShade);
    Skirt(cr, f, c);
    OverClothes(cr, f, c);
}

}  // namespace

void FigureDrawing::Head(cairo_t* cr, const Figure& figure) {
    const Frame f = FrameOf(figure.build);
    const ArtStyle::Look& look = figure.look;
    const HairStyle style = figure.build.hair;
    cairo_save(cr);
    FacePath(cr, f);
    FillInked(cr, look.skin, ArtShapes::Mix(look.skin, 0x6A3A2A, 0.45), 1.2);
    // The bangs' shadow on the forehead.
    cairo_save(cr);
    FacePath(cr, f);
    cairo_clip(cr);
    cairo_translate(cr, 0, 5);
    FrontHairPath(cr, f, style);
    Fill(cr, ArtShapes::Mix(look.skin, look.hairShade, 0.22));
    cairo_restore(cr);
    Cheeks(cr, f, figure.mood);
    Eyes(cr, f, look, figure.mood, figure.eyeFrame);
    cairo_move_to(cr, kCx + 1, f.cy + 0.58 * f.r);
    cairo_line_to(cr, kCx - 1, f.cy + 0.64 * f.r);
    Stroke(cr, ArtShapes::Mix(look.skin, 0x6A3A2A, 0.4), 1.2);
    Mouth(cr, f, figure.mood);
    const std::uint32_t ink = ArtShapes::Mix(look.hairShade, 0x000000, 0.3);
    SideLocks(cr, f, style);
    FillInked(cr, look.hair, ink);
    FrontHairPath(cr, f, style);
    FillInked(cr, look.hair, ink);
    HairShine(cr, f, look);
    HairOrnament(cr, f, look, style);
    // Brows show through the bangs, so that every expression reads.
    Brows(cr, f, look, figure.mood);
    cairo_restore(cr);
}

void FigureDrawing::Whole(cairo_t* cr, const Figure& figure) {
    const Frame f = FrameOf(figure.build);
    const Costume& c = figure.outfit.costume;
    cairo_save(cr);
    if (c.extras & kVeil) Veil(cr, f, c);
    if (c.extras & kCape) Cape(cr, f, c);
    BackHair(cr, f, figure.look, figure.build.hair);
    Legs(cr, f, c, figure.look);
    Neck(cr, f, figure.look);
    Clothes(cr, f, c);
    for (const double side : {-1.0, 1.0}) {
        DrawArm(cr, ArmOf(f, figure.outfit.pose, side), c, figure.look);
    }
    if (c.extras & kCape) Capelet(cr, f, c);
    if (c.extras & kBandage) Bandage(cr, ArmOf(f, figure.outfit.pose, -1));
    cairo_restore(cr);
    Head(cr, figure);
}

void FigureDrawing::DressForm(cairo_t* cr, const Costume* costume) {
    const Frame f = FrameOf(Wardrobe::BuildOf("QUIRA"));
    cairo_save(cr);
    cairo_rectangle(cr, kCx - 4, f.hipY, 8, f.feetY - 20 - f.hipY);
    FillInked(cr, kWood, 0x3A2414);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, kCx, f.feetY - 24);
        cairo_line_to(cr, kCx + side * 50, f.feetY - 4);
    }
    cairo_move_to(cr, kCx, f.feetY - 24);
    cairo_line_to(cr, kCx, f.feetY - 2);
    Stroke(cr, kWood, 6);
    ArtShapes::Ellipse(cr, kCx, f.shoulderY - 12, 9, 12);
    FillInked(cr, kWood, 0x3A2414);
    TorsoPath(cr, f);
    ShadedFill(cr, kCx - f.shoulder, kCx + f.shoulder, kLinen, kLinenShade);
    if (costume != nullptr) Clothes(cr, f, *costume);
    cairo_restore(cr);
}

FigureBox FigureDrawing::EyeArea(const Build& build) {
    const Frame f = FrameOf(build);
    const EyeShape left = EyeOf(f, -1);
    const EyeShape right = EyeOf(f, 1);
    // The lash's width and its flick beyond the eye's round.
    constexpr double kMargin = 5;
    return {static_cast<int>(std::floor(left.x - 1.12 * left.w - kMargin)),
            static_cast<int>(std::floor(left.y - 1.35 * left.h - kMargin)),
            static_cast<int>(std::ceil(right.x + 1.12 * right.w + kMargin)),
            static_cast<int>(std::ceil(left.y + left.h + kMargin))};
}

}  // namespace mkdemo
