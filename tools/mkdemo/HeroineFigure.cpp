#include "mkdemo/HeroineFigure.h"

#include <cmath>
#include <utility>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/EventShapes.h"
#include "mkdemo/Wardrobe.h"

namespace mkdemo {

namespace {

constexpr std::uint32_t kLine = 0x2A1A22;
using Moment = EventScene::Moment;
using Outfit = EventScene::Outfit;
constexpr double kPi = EventShapes::kPi;
constexpr auto FillDown = EventShapes::FillDown;
constexpr double kSashTop = 262;

// Each heroine's hair: long and straight, shoulder-long with a bow, a bob, twin tails.
struct Hair {
    double length;
    double width;
    bool bow;
    bool tails;
};

Hair HairOf(const std::string& heroine) {
    if (heroine == "DULCANE") return {170, 100, true, false};
    if (heroine == "OMBREA") return {70, 84, false, false};
    if (heroine == "YSMA") return {40, 80, false, true};
    return {300, 96, false, false};
}

// The scene's palette: the story's costume gives its top and trim; else a white
// costume replaces her dress colours, and a kimono takes her accent colour, tied
// with a sash of her dress colour.
ArtStyle::Look LookOf(const EventScene& scene) {
    ArtStyle::Look look = ArtStyle::HeroineLook(scene.heroine);
    if (scene.costume != 0) {
        const Costume& costume = Wardrobe::CostumeOf(scene.costume);
        look.dress = costume.top;
        look.dressShade = costume.topShade;
        look.accent = costume.trim;
        return look;
    }
    if (scene.outfit == Outfit::White) {
        look.dress = 0xF6F4FA;
        look.dressShade = 0xC4C8DE;
    }
    if (scene.outfit == Outfit::Kimono) {
        const ArtStyle::Look own = look;
        look.dress = ArtShapes::Mix(own.accent, 0xFFFFFF, 0.2);
        look.dressShade = ArtShapes::Mix(own.accent, own.dressShade, 0.55);
        look.accent = own.dress;
    }
    return look;
}

void BackHair(cairo_t* cr, const ArtStyle::Look& look, const Hair& hair) {
    if (hair.tails) {
        for (const double side : {-1.0, 1.0}) {
            cairo_save(cr);
            cairo_translate(cr, side * 92, 100);
            cairo_rotate(cr, -side * 0.18);
            ArtShapes::Ellipse(cr, 0, 0, 32, 125);
            cairo_restore(cr);
        }
    }
    const double w = hair.width;
    cairo_move_to(cr, -w, 0);
    cairo_curve_to(cr, -w, -100, w, -100, w, 0);
    cairo_line_to(cr, w + 8, hair.length);
    cairo_curve_to(cr, w * 0.5, hair.length + 30, -w * 0.5, hair.length + 30, -w - 8, hair.length);
    cairo_close_path(cr);
    FillDown(cr, -90, hair.length + 120, look.hair, look.hairShade);
    // A few strands drawn in the shade give the hair its fall.
    SetColor(cr, look.hairShade, 0.6);
    cairo_set_line_width(cr, 2.5);
    for (const double x : {-0.7, -0.35, 0.4, 0.75}) {
        cairo_move_to(cr, x * w, 10);
        cairo_curve_to(cr, x * w * 1.1, hair.length * 0.4, x * w * 0.9, hair.length * 0.7,
                       x * w * 1.05, hair.length);
    }
    cairo_stroke(cr);
}

void Shoulders(cairo_t* cr) {
    cairo_move_to(cr, -22, 96);
    cairo_curve_to(cr, -60, 120, -110, 118, -128, 150);
    cairo_curve_to(cr, -142, 172, -146, 200, -148, 260);
    cairo_line_to(cr, -160, 560);
    cairo_line_to(cr, 160, 560);
    cairo_line_to(cr, 148, 260);
    cairo_curve_to(cr, 146, 200, 142, 172, 128, 150);
    cairo_curve_to(cr, 110, 118, 60, 120, 22, 96);
    cairo_close_path(cr);
}

void Neckline(cairo_t* cr) {
    cairo_move_to(cr, -36, 104);
    cairo_curve_to(cr, -24, 150, 24, 150, 36, 104);
}

// The skirt: the story's costume's own, else of a piece with the dress.
std::pair<std::uint32_t, std::uint32_t> SkirtOf(const EventScene& scene,
                                                const ArtStyle::Look& look) {
    if (scene.costume == 0) return {look.dress, look.dressShade};
    const Costume& costume = Wardrobe::CostumeOf(scene.costume);
    return {costume.skirt, costume.skirtShade};
}

void OutfitDetails(cairo_t* cr, const EventScene& scene, const ArtStyle::Look& look) {
    switch (scene.outfit) {
        case Outfit::Everyday:
            SetColor(cr, 0xF8F4EC);
            ArtShapes::Ellipse(cr, -24, 112, 32, 14);
            ArtShapes::Ellipse(cr, 24, 112, 32, 14);
            cairo_fill(cr);
            SetColor(cr, look.accent);
            ArtShapes::Ellipse(cr, 0, 126, 12, 9);
            cairo_fill(cr);
            break;
        case Outfit::Stage: {
            // A flared skirt under a gold belt, for the pictures that show her whole.
            cairo_move_to(cr, -146, 270);
            cairo_curve_to(cr, -190, 380, -240, 480, -270, 560);
            cairo_line_to(cr, 270, 560);
            cairo_curve_to(cr, 240, 480, 190, 380, 146, 270);
            cairo_close_path(cr);
            const auto [skirt, skirtShade] = SkirtOf(scene, look);
            FillDown(cr, 270, 560, skirt, skirtShade);
            SetColor(cr, ArtStyle::kGold);
            cairo_rectangle(cr, -148, 258, 296, 16);
            cairo_fill(cr);
            SetColor(cr, look.dress);
            ArtShapes::Ellipse(cr, -128, 160, 36, 30);
            ArtShapes::Ellipse(cr, 128, 160, 36, 30);
            cairo_fill(cr);
            Neckline(cr);
            SetColor(cr, ArtStyle::kGold);
            cairo_set_line_width(cr, 7);
            cairo_stroke(cr);
            SetColor(cr, look.accent);
            cairo_arc(cr, 0, 150, 11, 0, 2 * kPi);
            cairo_fill(cr);
            break;
        }
        case Outfit::Kimono:
            SetColor(cr, 0xFFFFFF, 0.45);
            for (const double x : {-110.0, -70.0, 80.0, 115.0}) {
                cairo_arc(cr, x, 200 + std::fabs(x) * 0.4, 9, 0, 2 * kPi);
                cairo_fill(cr);
            }
            cairo_set_line_width(cr, 16);
            SetColor(cr, 0xF4EEE2);
            cairo_move_to(cr, -30, 100);
            cairo_line_to(cr, 30, 260);
            cairo_stroke(cr);
            SetColor(cr, look.accent);
            cairo_move_to(cr, 30, 100);
            cairo_line_to(cr, -12, 230);
            cairo_stroke(cr);
            cairo_rectangle(cr, -150, kSashTop, 300, EventScene::kSashFoot - kSashTop);
            FillDown(cr, kSashTop, EventScene::kSashFoot, look.accent,
                     ArtShapes::Mix(look.accent, look.dressShade, 0.5));
            SetColor(cr, ArtShapes::Mix(look.accent, 0xFFFFFF, 0.4));
            ArtShapes::Ellipse(cr, 0, 290, 28, 22);
            cairo_fill(cr);
            break;
        case Outfit::White:
            SetColor(cr, 0xFFFFFF);
            for (double x = -40; x <= 40; x += 16)
                cairo_arc(cr, x, 118 + std::fabs(x) * -0.3, 7, 0, 2 * kPi);
            cairo_fill(cr);
            SetColor(cr, ArtStyle::HeroineLook(scene.heroine).accent);
            ArtShapes::Ellipse(cr, 0, 136, 14, 10);
            cairo_fill(cr);
            break;
    }
}

void Body(cairo_t* cr, const EventScene& scene, const ArtStyle::Look& look) {
    cairo_rectangle(cr, -15, 40, 30, 80);
    SetColor(cr, look.skin);
    cairo_fill(cr);
    SetColor(cr, ArtShapes::Mix(look.skin, 0xC07868, 0.35));
    ArtShapes::Ellipse(cr, 0, 72, 16, 8);
    cairo_fill(cr);
    Shoulders(cr);
    FillDown(cr, 100, 520, look.dress, look.dressShade);
    OutfitDetails(cr, scene, look);
}

// A small held thing at the origin, between her hands.
void Prop(cairo_t* cr, EventScene::Prop prop, const ArtStyle::Look& look) {
    switch (prop) {
        case EventScene::Prop::None:
            break;
        case EventScene::Prop::Spool:
            cairo_rectangle(cr, -22, -30, 44, 8);
            cairo_rectangle(cr, -22, 22, 44, 8);
            SetColor(cr, 0x8A5E3A);
            cairo_fill(cr);
            cairo_rectangle(cr, -16, -22, 32, 44);
            SetColor(cr, look.accent);
            cairo_fill(cr);
            // The thread running up to a needle.
            cairo_set_line_width(cr, 2);
            cairo_move_to(cr, 16, -10);
            cairo_curve_to(cr, 50, -30, 30, -70, 62, -84);
            cairo_stroke(cr);
            SetColor(cr, 0xD8DCE4);
            cairo_move_to(cr, 56, -70);
            cairo_line_to(cr, 76, -104);
            cairo_stroke(cr);
            break;
        case EventScene::Prop::Lantern:
            EventShapes::Glow(cr, 0, -10, 110, 0xFFC070, 0.45);
            ArtShapes::Ellipse(cr, 0, -10, 30, 38);
            SetColor(cr, 0xFF9A50);
            cairo_fill(cr);
            ArtShapes::Ellipse(cr, 0, -10, 18, 26);
            SetColor(cr, 0xFFE0A0, 0.8);
            cairo_fill(cr);
            break;
        case EventScene::Prop::Flower:
            for (int petal = 0; petal < 5; ++petal) {
                const double a = petal * 2 * kPi / 5;
                cairo_arc(cr, 14 * std::cos(a), -20 + 14 * std::sin(a), 11, 0, 2 * kPi);
                cairo_close_path(cr);
            }
            SetColor(cr, 0xF4A6C0);
            cairo_fill(cr);
            SetColor(cr, 0xF8E070);
            cairo_arc(cr, 0, -20, 7, 0, 2 * kPi);
            cairo_fill(cr);
            break;
        case EventScene::Prop::Ribbon:
            cairo_move_to(cr, -50, -30);
            cairo_curve_to(cr, -20, -60, 20, 10, 50, -20);
            SetColor(cr, look.accent);
            cairo_set_line_width(cr, 12);
            cairo_stroke(cr);
            break;
        case EventScene::Prop::Letter:
            cairo_rectangle(cr, -34, -30, 68, 44);
            SetColor(cr, 0xFBF6EA);
            cairo_fill(cr);
            SetColor(cr, 0xC04050);
            cairo_arc(cr, 0, -8, 7, 0, 2 * kPi);
            cairo_fill(cr);
            break;
    }
}

// Her free hand, from the centre of her head at her own size.
HeroineFigure::Point HandAt(Moment moment) {
    switch (moment) {
        case Moment::HandInHand:
            return {205, 250};
        case Moment::Umbrella:
            return {92, 235};
        case Moment::Dance:
            return {205, 110};
        case Moment::Alone:
            break;
    }
    return {0, 250};
}

void Arm(cairo_t* cr, const ArtStyle::Look& look, double fromX, double fromY, double x, double y) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 40);
    SetColor(cr, look.dressShade);
    cairo_move_to(cr, fromX, fromY);
    cairo_curve_to(cr, fromX + (x - fromX) * 0.2, y + 60, x, y + 30, x, y);
    cairo_stroke(cr);
    SetColor(cr, look.skin);
    ArtShapes::Ellipse(cr, x, y, 20, 16);
    cairo_fill(cr);
}

// Her arms: both hands at her chest with what she holds, one holding the umbrella
// over her shoulder, or one reaching out.
void Arms(cairo_t* cr, const EventScene& scene, const ArtStyle::Look& look) {
    if (scene.moment != Moment::Alone) {
        const HeroineFigure::Point hand = HandAt(scene.moment);
        Arm(cr, look, 128, 190, hand.x, hand.y);
        return;
    }
    if (scene.prop == EventScene::Prop::None) return;
    cairo_save(cr);
    cairo_translate(cr, 0, 220);
    Prop(cr, scene.prop, look);
    cairo_restore(cr);
    Arm(cr, look, -128, 190, -24, 250);
    Arm(cr, look, 128, 190, 24, 250);
}

void Eye(cairo_t* cr, const ArtStyle::Look& look, double x, bool closed) {
    SetColor(cr, kLine);
    if (closed) {
        cairo_set_line_width(cr, 3.5);
        cairo_move_to(cr, x - 14, 14);
        cairo_curve_to(cr, x - 6, 22, x + 6, 22, x + 14, 14);
        cairo_stroke(cr);
        return;
    }
    SetColor(cr, 0xFFFFFF);
    ArtShapes::Ellipse(cr, x, 14, 14, 16);
    cairo_fill(cr);
    ArtShapes::Ellipse(cr, x, 16, 10.5, 14);
    FillDown(cr, 2, 30, ArtShapes::Mix(look.eyes, kLine, 0.5), look.eyes);
    SetColor(cr, kLine);
    ArtShapes::Ellipse(cr, x, 17, 4.5, 6);
    cairo_fill(cr);
    SetColor(cr, 0xFFFFFF);
    cairo_arc(cr, x - 4, 9, 3.5, 0, 2 * kPi);
    cairo_fill(cr);
    SetColor(cr, kLine);
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, x - 16, 4);
    cairo_curve_to(cr, x - 8, -3, x + 8, -3, x + 16, 3);
    cairo_stroke(cr);
}

void Face(cairo_t* cr, const EventScene& scene, const ArtStyle::Look& look) {
    cairo_move_to(cr, -58, 0);
    cairo_curve_to(cr, -58, -76, 58, -76, 58, 0);
    cairo_curve_to(cr, 58, 40, 22, 72, 0, 78);
    cairo_curve_to(cr, -22, 72, -58, 40, -58, 0);
    cairo_pattern_t* skin = cairo_pattern_create_radial(-10, 0, 10, 0, 8, 70);
    AddStop(skin, 0, look.skin);
    AddStop(skin, 1, ArtShapes::Mix(look.skin, 0xD89888, 0.3));
    cairo_set_source(cr, skin);
    cairo_fill(cr);
    cairo_pattern_destroy(skin);
    // A face turned aside shows its features shifted that way.
    cairo_save(cr);
    cairo_translate(cr, 10 * scene.turn, 0);
    for (const double side : {-1.0, 1.0}) {
        Eye(cr, look, side * 25, scene.eyesClosed);
        SetColor(cr, 0xF08080, 0.35);
        ArtShapes::Ellipse(cr, side * 36, 34, 12, 6);
        cairo_fill(cr);
        SetColor(cr, look.hairShade);
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, side * 12, -14);
        cairo_curve_to(cr, side * 20, -20, side * 32, -20, side * 38, -14);
        cairo_stroke(cr);
    }
    SetColor(cr, 0xB0505A);
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, -8, 46);
    cairo_curve_to(cr, -3, 51 + 6 * scene.smile, 3, 51 + 6 * scene.smile, 8, 46);
    if (scene.smile > 0) {
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The fringe over the forehead and the locks beside the cheeks.
void FrontHair(cairo_t* cr, const ArtStyle::Look& look, const Hair& hair) {
    cairo_move_to(cr, -66, 4);
    cairo_curve_to(cr, -74, -78, 74, -78, 66, 4);
    static constexpr double kTips[][2] = {{50, -20}, {38, -2},   {24, -24}, {8, -4},   {-8, -26},
                                          {-22, -6}, {-36, -24}, {-48, -4}, {-58, -18}};
    for (const auto& tip : kTips) cairo_line_to(cr, tip[0], tip[1]);
    cairo_close_path(cr);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, side * 54, -24);
        cairo_curve_to(cr, side * 74, 20, side * 72, 60, side * 62, 104);
        cairo_line_to(cr, side * 50, 84);
        cairo_curve_to(cr, side * 56, 40, side * 52, 10, side * 42, -14);
        cairo_close_path(cr);
    }
    FillDown(cr, -70, 100, look.hair, look.hairShade);
    SetColor(cr, 0xFFFFFF, 0.3);
    cairo_set_line_width(cr, 6);
    cairo_arc(cr, 0, -6, 52, kPi * 1.15, kPi * 1.55);
    cairo_stroke(cr);
    if (!hair.bow) return;
    SetColor(cr, look.accent);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 46, -56);
        cairo_line_to(cr, 46 + side * 26, -76);
        cairo_line_to(cr, 46 + side * 24, -38);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

}  // namespace

HeroineFigure::Point HeroineFigure::Hand(const EventScene& scene) {
    const Point hand = HandAt(scene.moment);
    return {scene.figureX + hand.x * scene.scale, scene.headY + hand.y * scene.scale};
}

void HeroineFigure::Paint(cairo_t* cr, const EventScene& scene) {
    const ArtStyle::Look look = LookOf(scene);
    const Hair hair = HairOf(scene.heroine);
    cairo_save(cr);
    cairo_translate(cr, scene.figureX, scene.headY);
    cairo_scale(cr, scene.scale, scene.scale);
    BackHair(cr, look, hair);
    Body(cr, scene, look);
    Arms(cr, scene, look);
    cairo_translate(cr, 0, 50);
    cairo_rotate(cr, scene.tilt);
    cairo_translate(cr, 0, -50);
    Face(cr, scene, look);
    FrontHair(cr, look, hair);
    cairo_restore(cr);
}

}  // namespace mkdemo
