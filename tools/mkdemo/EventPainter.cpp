#include "mkdemo/EventPainter.h"

#include <algorithm>

#include "mkdemo/EventBackdrop.h"
#include "mkdemo/EventForeground.h"
#include "mkdemo/EventScene.h"
#include "mkdemo/HeroineFigure.h"

namespace mkdemo {

namespace {

constexpr double kFrameWidth = 800;
constexpr double kFrameHeight = 600;
// The replay page writes the scene's title in white over a thumbnail's bottom band.
constexpr double kTitleBand = 26;

void PaintScene(cairo_t* cr, const EventScene& scene) {
    EventBackdrop::Paint(cr, scene);
    HeroineFigure::Paint(cr, scene);
    EventForeground::Paint(cr, scene);
}

// A thumbnail is its picture drawn again at the small size: scaled to cover it, cut
// around her face where the strip is wider than the picture.
void PaintThumbnail(ArtCanvas& canvas, const EventScene& scene, bool replay) {
    cairo_t* cr = canvas.cr();
    const double scale = std::max(canvas.width() / kFrameWidth, canvas.height() / kFrameHeight);
    const double left = std::clamp(canvas.width() / 2.0 - scene.figureX * scale,
                                   canvas.width() - kFrameWidth * scale, 0.0);
    const double top = std::clamp(canvas.height() / 2.0 - (scene.headY + 30) * scale,
                                  canvas.height() - kFrameHeight * scale, 0.0);
    cairo_save(cr);
    cairo_translate(cr, left, top);
    cairo_scale(cr, scale, scale);
    PaintScene(cr, scene);
    cairo_restore(cr);
    if (!replay) return;
    cairo_pattern_t* shade =
        cairo_pattern_create_linear(0, canvas.height() - kTitleBand, 0, canvas.height());
    AddStop(shade, 0, 0x000000, 0);
    AddStop(shade, 0.4, 0x000000, 0.55);
    AddStop(shade, 1, 0x000000, 0.55);
    cairo_rectangle(cr, 0, canvas.height() - kTitleBand, canvas.width(), kTitleBand);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

}  // namespace

bool EventPainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    if (const auto scene = EventScene::Of(entry.stem)) {
        PaintScene(canvas.cr(), *scene);
        return true;
    }
    const auto source = EventScene::ThumbnailSource(entry.stem);
    const auto scene = source ? EventScene::Of(*source) : std::nullopt;
    if (!scene) return false;
    PaintThumbnail(canvas, *scene, entry.stem.starts_with("Tb_rp_"));
    return true;
}

}  // namespace mkdemo
