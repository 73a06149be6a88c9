#include "mkdemo/OpeningMovie.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/CharacterSheets.h"
#include "mkdemo/FigureDrawing.h"
#include "mkdemo/MusicComposer.h"
#include "mkdemo/MusicSynth.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "mkdemo/SkyPainter.h"
#include "mkdemo/TownPainter.h"
#include "mkdemo/Waveform.h"
#include "shell/AssetManifest.h"

namespace mkdemo {

namespace {

using Movie = OpeningMovie;

// The art is drawn for the 800 x 600 screen and shrunk to the movie.
constexpr double kScale = 0.8;
constexpr double kW = Movie::kWidth / kScale;
constexpr double kH = Movie::kHeight / kScale;
// The pictures over which a scene dissolves into the next.
constexpr int kCrossFade = 12;
constexpr int kScenes = 6;  // the town, four heroines, the name

int SceneStart(int scene) {
    return scene == 0 ? 0 : Movie::kHeroinesStart + (scene - 1) * Movie::kHeroineFrames;
}

int SceneAt(int n) {
    int scene = kScenes - 1;
    while (scene > 0 && n < SceneStart(scene)) --scene;
    return scene;
}

// 0 before from, 1 after to, easing in and out between.
double Ease(double at, double from, double to) {
    const double t = std::clamp((at - from) / (to - from), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

ArtCanvas Layer(const std::function<void(cairo_t*)>& paint) {
    ArtCanvas layer(Movie::kWidth, Movie::kHeight);
    cairo_save(layer.cr());
    cairo_scale(layer.cr(), kScale, kScale);
    paint(layer.cr());
    cairo_restore(layer.cr());
    return layer;
}

void Put(cairo_t* cr, const ArtCanvas& layer, double x, double y, double alpha) {
    cairo_set_source_surface(cr, cairo_get_target(layer.cr()), x, y);
    cairo_paint_with_alpha(cr, alpha);
}

void Sky(cairo_t* cr, Hour hour) {
    SkyPainter::Sky(cr, kW, kH, hour);
    if (hour == Hour::Night) SkyPainter::Stars(cr, kW, 420, 150, 101);
    SkyPainter::Clouds(cr, kW, 260, 4, hour, 102);
}

// The far town and hills of the staff roll, the near roofs of the title's night.
void Town(cairo_t* cr, Hour hour) {
    TownPainter::Hills(cr, kW, 470, 70, kH, 0.5, SkyPainter::Tint(0x7A88A8, hour),
                       SkyPainter::Tint(0x5A6480, hour));
    TownPainter::Houses(cr, 0, kW, 500, 30, SkyPainter::Tint(0x9A98A8, hour), hour, 93);
    TownPainter::Hills(cr, kW, 590, 40, kH, 0.8, SkyPainter::Tint(0x5A6A8A, hour),
                       SkyPainter::Tint(0x3A4A66, hour));
    TownPainter::Houses(cr, -20, kW + 20, kH, 46, SkyPainter::Tint(0xB89A80, hour), hour, 82);
}

std::string_view Utf8(const std::u8string& text) {
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

// Where a heroine stands: the first and third at the left, the others at the right.
double FigureX(std::size_t heroine) { return heroine % 2 == 0 ? 250 : 550; }

// Her colours in a soft light behind her, her name on the other side.
ArtCanvas HeroineBack(const Heroine& heroine, std::size_t index) {
    const ArtStyle::Look& look = ArtStyle::HeroineLook(heroine.id);
    ArtCanvas back = Layer([&](cairo_t* cr) {
        cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, kH);
        AddStop(fill, 0, ArtShapes::Mix(look.dress, ArtStyle::kPanel, 0.3));
        AddStop(fill, 1, ArtShapes::Mix(look.dressShade, ArtStyle::kPanel, 0.7));
        cairo_set_source(cr, fill);
        cairo_paint(cr);
        cairo_pattern_destroy(fill);
        SkyPainter::Glow(cr, FigureX(index), 260, 320, look.accent, 0.45);
    });
    const double nameX = (kW - FigureX(index)) * kScale;
    back.label(Utf8(heroine.speaker), nameX, 220, 48, ArtStyle::kInk, ArtStyle::kInkShadow, 3);
    back.label(heroine.id, nameX, 268, 22, look.accent, ArtStyle::kInkShadow, 2);
    return back;
}

ArtCanvas HeroineFigure(const Heroine& heroine, std::size_t index) {
    return Layer([&](cairo_t* cr) {
        const Figure figure{ArtStyle::HeroineLook(heroine.id),
                            Wardrobe::BuildOf(heroine.id),
                            {Wardrobe::OwnDress(heroine.id), Pose::Rest},
                            Mood::Smile};
        cairo_translate(cr, FigureX(index) - CharacterSheets::kBodyWidth / 2.0, 40);
        FigureDrawing::Whole(cr, figure);
    });
}

// The logo as the logo screen shows it; empty should the catalog have none.
ArtCanvas Logo() {
    std::string error;
    const auto entries = PictureCatalog::Build(AssetManifest::Instance(), error);
    for (const PictureEntry& entry : entries.value_or(std::vector<PictureEntry>{})) {
        if (entry.stem != "Logo") continue;
        ArtCanvas logo(entry.width, entry.height);
        PicturePainter::DrawArt(logo, entry);
        return logo;
    }
    return ArtCanvas(1, 1);
}

}  // namespace

OpeningMovie::OpeningMovie()
    : duskSky_(Layer([](cairo_t* cr) { Sky(cr, Hour::Dusk); })),
      nightSky_(Layer([](cairo_t* cr) { Sky(cr, Hour::Night); })),
      duskTown_(Layer([](cairo_t* cr) { Town(cr, Hour::Dusk); })),
      nightTown_(Layer([](cairo_t* cr) { Town(cr, Hour::Night); })),
      logo_(Logo()) {
    const std::vector<Heroine>& heroines = CharacterSheets::Heroines();
    for (std::size_t i = 0; i < heroines.size(); ++i) {
        heroineBacks_.push_back(HeroineBack(heroines[i], i));
        heroineFigures_.push_back(HeroineFigure(heroines[i], i));
    }
}

// The night falls over the first four seconds while the moon climbs from behind the
// roofs towards where the title's moon hangs.
void OpeningMovie::paintTown(cairo_t* cr, int n) const {
    const double night = Ease(n, 10, 110);
    const double rise = Ease(n, 0, kHeroinesStart);
    Put(cr, duskSky_, 0, 0, 1);
    Put(cr, nightSky_, 0, 0, night);
    cairo_save(cr);
    cairo_scale(cr, kScale, kScale);
    SkyPainter::Moon(cr, 520 - 80 * rise, 560 - 460 * rise, 40);
    cairo_restore(cr);
    Put(cr, duskTown_, 0, 0, 1);
    Put(cr, nightTown_, 0, 0, night);
}

// She drifts a little towards the middle while her scene lasts.
void OpeningMovie::paintHeroine(cairo_t* cr, std::size_t heroine, int into) const {
    Put(cr, heroineBacks_[heroine], 0, 0, 1);
    const double drift = 16.0 * into / kHeroineFrames;
    Put(cr, heroineFigures_[heroine], heroine % 2 == 0 ? drift : -drift, 0, 1);
}

// The logo over the night town, drawing slowly nearer.
void OpeningMovie::paintName(cairo_t* cr, int into) const {
    Put(cr, nightSky_, 0, 0, 1);
    Put(cr, nightTown_, 0, 0, 1);
    const double zoom = 1.25 + 0.1 * into / (kFrames - kNameStart);
    cairo_save(cr);
    cairo_translate(cr, kWidth / 2.0, kHeight * 0.45);
    cairo_scale(cr, zoom, zoom);
    Put(cr, logo_, -logo_.width() / 2.0, -logo_.height() / 2.0, 1);
    cairo_restore(cr);
}

void OpeningMovie::paintScene(cairo_t* cr, int scene, int n) const {
    if (scene == 0) {
        paintTown(cr, n);
    } else if (scene < kScenes - 1) {
        paintHeroine(cr, static_cast<std::size_t>(scene - 1), n - SceneStart(scene));
    } else {
        paintName(cr, n - SceneStart(scene));
    }
}

std::string OpeningMovie::picture(int n) const {
    const ArtCanvas frame(kWidth, kHeight);
    cairo_t* cr = frame.cr();
    const int scene = SceneAt(n);
    const int into = n - SceneStart(scene);
    if (scene > 0 && into < kCrossFade) {
        paintScene(cr, scene - 1, n);
        cairo_push_group(cr);
        paintScene(cr, scene, n);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, (into + 1.0) / (kCrossFade + 1));
    } else {
        paintScene(cr, scene, n);
    }
    if (n >= kFadeStart) {
        SetColor(cr, 0x000000, (n - kFadeStart + 1.0) / (kFrames - kFadeStart));
        cairo_paint(cr);
    }
    cairo_surface_t* surface = cairo_get_target(cr);
    cairo_surface_flush(surface);
    std::string rows(static_cast<std::size_t>(kWidth) * kHeight * 4, '\0');
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kHeight; ++y) {
        std::memcpy(rows.data() + static_cast<std::size_t>(y) * kWidth * 4, data + y * stride,
                    static_cast<std::size_t>(kWidth) * 4);
    }
    return rows;
}

std::vector<float> OpeningMovie::Sound() {
    const std::vector<float> piece = MusicSynth::Render(MusicComposer::Opening());
    const std::size_t length = static_cast<std::size_t>(kFrames) * Waveform::kRate / kRate;
    const std::size_t fadeFrom = static_cast<std::size_t>(kFadeStart) * Waveform::kRate / kRate;
    std::vector<float> sound(length);
    for (std::size_t i = 0; i < length; ++i) {
        const double level =
            i < fadeFrom ? 1.0
                         : static_cast<double>(length - i) / static_cast<double>(length - fadeFrom);
        sound[i] = static_cast<float>(piece[i % piece.size()] * level);
    }
    return sound;
}

PaintedMovie OpeningMovie::movie() const {
    return {kWidth,  kHeight,        kRate, kFrames, [this](int n) { return picture(n); },
            Sound(), Waveform::kRate};
}

}  // namespace mkdemo
