#include "mkdemo/IndexCanvas.h"

#include <algorithm>

#include "mkdemo/GlyphCoverage.h"

namespace mkdemo {

namespace {

constexpr int kOutline = 2;
constexpr int kMinTextHeight = 8;

// Ink pixels of the glyphs in a mask with a margin of the outline's width.
std::vector<bool> InkMask(const GlyphCoverage& glyphs, int maskWidth, int maskHeight) {
    std::vector<bool> ink(static_cast<std::size_t>(maskWidth * maskHeight));
    for (int y = 0; y < glyphs.height; ++y) {
        for (int x = 0; x < glyphs.width; ++x) {
            if (glyphs.coverage[static_cast<std::size_t>(y * glyphs.width + x)] >= 128) {
                ink[static_cast<std::size_t>((y + kOutline) * maskWidth + x + kOutline)] = true;
            }
        }
    }
    return ink;
}

}  // namespace

IndexCanvas::IndexCanvas(int width, int height, std::uint8_t fill)
    : width_(width),
      height_(height),
      indices_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void IndexCanvas::set(int x, int y, std::uint8_t index) {
    if (inside(x, y)) indices_[Offset(x, y)] = index;
}

void IndexCanvas::fillRect(int left, int top, int right, int bottom, std::uint8_t index) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y) {
        std::fill_n(indices_.begin() + static_cast<std::ptrdiff_t>(Offset(left, y)),
                    std::max(right - left, 0), index);
    }
}

void IndexCanvas::frameRect(int left, int top, int right, int bottom, int thickness,
                            std::uint8_t index) {
    fillRect(left, top, right, top + thickness, index);
    fillRect(left, bottom - thickness, right, bottom, index);
    fillRect(left, top, left + thickness, bottom, index);
    fillRect(right - thickness, top, right, bottom, index);
}

void IndexCanvas::fillEllipse(int cx, int cy, int rx, int ry, std::uint8_t index) {
    if (rx <= 0 || ry <= 0) return;
    for (int dy = -ry; dy <= ry; ++dy) {
        for (int dx = -rx; dx <= rx; ++dx) {
            const double u = static_cast<double>(dx) / rx;
            const double v = static_cast<double>(dy) / ry;
            if (u * u + v * v <= 1.0) set(cx + dx, cy + dy, index);
        }
    }
}

void IndexCanvas::paste(const IndexCanvas& part, int x, int y) {
    for (int py = 0; py < part.height(); ++py) {
        for (int px = 0; px < part.width(); ++px) set(x + px, y + py, part.at(px, py));
    }
}

void IndexCanvas::text(const std::string& text, int x, int y, int height, std::uint8_t ink) {
    const GlyphCoverage glyphs = GlyphCoverage::Of(text, height);
    for (int row = 0; row < glyphs.height; ++row) {
        for (int col = 0; col < glyphs.width; ++col) {
            if (glyphs.coverage[static_cast<std::size_t>(row * glyphs.width + col)] >= 128) {
                set(x + col, y + row, ink);
            }
        }
    }
}

void IndexCanvas::label(const std::vector<std::string>& lines, int cx, int cy, int height,
                        std::uint8_t ink, std::uint8_t outline) {
    const int top = cy - static_cast<int>(lines.size()) * height / 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const GlyphCoverage glyphs = GlyphCoverage::Of(lines[i], height);
        const int maskW = glyphs.width + 2 * kOutline;
        const int maskH = glyphs.height + 2 * kOutline;
        const std::vector<bool> inkMask = InkMask(glyphs, maskW, maskH);
        const int left = cx - maskW / 2;
        const int lineTop = top + static_cast<int>(i) * height - kOutline;
        for (int y = 0; y < maskH; ++y) {
            for (int x = 0; x < maskW; ++x) {
                if (inkMask[static_cast<std::size_t>(y * maskW + x)]) continue;
                bool near = false;
                for (int dy = -kOutline; dy <= kOutline && !near; ++dy) {
                    for (int dx = -kOutline; dx <= kOutline && !near; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        near = nx >= 0 && ny >= 0 && nx < maskW && ny < maskH &&
                               inkMask[static_cast<std::size_t>(ny * maskW + nx)];
                    }
                }
                if (near) set(left + x, lineTop + y, outline);
            }
        }
        for (int y = 0; y < maskH; ++y) {
            for (int x = 0; x < maskW; ++x) {
                if (inkMask[static_cast<std::size_t>(y * maskW + x)])
                    set(left + x, lineTop + y, ink);
            }
        }
    }
}

int IndexCanvas::FitHeight(const std::vector<std::string>& lines, int width, int height,
                           int maxHeight) {
    const int count = static_cast<int>(lines.size());
    for (int h = maxHeight; h > kMinTextHeight; --h) {
        bool fits = count * h + 2 * kOutline <= height;
        for (const std::string& line : lines) {
            fits = fits && GlyphCoverage::WidthOf(line, h) + 2 * kOutline <= width;
        }
        if (fits) return h;
    }
    return kMinTextHeight;
}

}  // namespace mkdemo
