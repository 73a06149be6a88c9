// Feeds arbitrary bytes, as scripts and names may hold them, through the text
// layout and the renderer: every cell must lie inside the text, no cell may be
// empty, lines must cover the bytes in order, and drawing must stay in the surface.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/text/TextLayout.h"
#include "platform/text/TextRenderer.h"
#include "platform/video/Surface.h"

using zkfuzz::Require;

namespace {

void RequireCellsInOrder(std::string_view text, const std::vector<platform::TextCell>& cells) {
    std::size_t next = 0;
    for (const platform::TextCell& cell : cells) {
        Require(cell.length == 1 || cell.length == 2, "cell length");
        Require(cell.offset >= next, "cells out of order");
        Require(cell.offset + cell.length <= text.size(), "cell beyond the text");
        next = cell.offset + cell.length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    // Head: format flags, cell height, rectangle width; the rest is the text.
    const std::uint32_t format = data[0] | (data[1] & 0x01u) << 8;
    const int height = data[2] % 48;
    const platform::Rect rect{4, 4, 4 + data[3] * 2, 120};
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);

    const auto line = platform::TextLayout::Line(text, -10, 5, height);
    RequireCellsInOrder(text, line);
    const auto box = platform::TextLayout::Box(text, rect, format, height);
    RequireCellsInOrder(text, box);

    platform::Surface surface(64, 48, platform::PixelFormat::ForDepth(data[0] & 1 ? 16 : 32));
    platform::TextRenderer& renderer = platform::TextRenderer::Shared();
    const platform::TextStyle style{height, (data[1] & 2) != 0, 0xFFFFFF, (data[1] & 4) != 0};
    renderer.draw(surface, text, box, style, rect);
    renderer.draw(surface, text, line, style, surface.bounds());
    return 0;
}
