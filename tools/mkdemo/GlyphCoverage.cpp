#include "mkdemo/GlyphCoverage.h"

#include <mutex>

#include "platform/text/TextLayout.h"
#include "platform/text/TextRenderer.h"
#include "platform/video/Surface.h"

namespace mkdemo {

namespace {

// The game's text engine keeps one shared glyph cache; pictures are painted on
// several threads, so its users take turns.
std::mutex& TextEngineTurn() {
    static std::mutex turn;
    return turn;
}

}  // namespace

int GlyphCoverage::WidthOf(std::string_view text, int height) {
    const std::lock_guard<std::mutex> lock(TextEngineTurn());
    const std::vector<platform::TextCell> cells = platform::TextLayout::Line(text, 0, 0, height);
    return cells.empty() ? 0 : cells.back().x + cells.back().width;
}

GlyphCoverage GlyphCoverage::Of(std::string_view text, int height) {
    GlyphCoverage result;
    result.width = WidthOf(text, height);
    const std::lock_guard<std::mutex> lock(TextEngineTurn());
    result.height = height;
    if (result.width <= 0 || height <= 0) return result;
    // White text on black: any one channel of the result is the coverage.
    platform::Surface surface(result.width, height, platform::PixelFormat::ForDepth(32));
    surface.fill(surface.bounds(), 0x000000);
    const platform::TextStyle style{height, false, 0xFFFFFF, true};
    platform::TextRenderer::Shared().draw(
        surface, text, platform::TextLayout::Line(text, 0, 0, height), style, surface.bounds());
    const std::vector<std::uint32_t> pixels = surface.toXrgb();
    result.coverage.reserve(pixels.size());
    for (const std::uint32_t pixel : pixels) {
        result.coverage.push_back(static_cast<std::uint8_t>((pixel >> 8) & 0xFF));
    }
    return result;
}

}  // namespace mkdemo
