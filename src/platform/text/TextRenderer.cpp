#include "platform/text/TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/core/Log.h"
#include "platform/text/Cp932Table.h"

namespace platform {

struct TextRenderer::Library {
    FT_Library handle = nullptr;
    ~Library() {
        if (handle != nullptr) FT_Done_FreeType(handle);
    }
};

namespace {

// Emboldening by one pixel in 26.6 units widens each stem by about half a pixel on
// either side, as a bold GDI font does; the advance stays the cell's.
constexpr FT_Pos kEmbolden = 64;

bool gTestGlyphs = false;

// Blanks keep their cells empty, as the font draws them.
bool IsBlank(char32_t code) { return code == U' ' || code == U'\u3000'; }

std::uint32_t Channel(std::uint32_t xrgb, int shift) { return xrgb >> shift & 0xFF; }

std::uint32_t BlendCoverage(std::uint32_t text, std::uint32_t dest, std::uint32_t c) {
    std::uint32_t out = 0;
    for (const int shift : {16, 8, 0}) {
        const std::uint32_t value =
            (Channel(text, shift) * c + Channel(dest, shift) * (255 - c) + 127) / 255;
        out |= value << shift;
    }
    return out;
}

}  // namespace

TextRenderer& TextRenderer::Shared() {
    static TextRenderer renderer(kDefaultFont);
    return renderer;
}

bool TextRenderer::SetTestGlyphs(bool on) { return std::exchange(gTestGlyphs, on); }

TextRenderer::TextRenderer(std::string fontPath) : fontPath_(std::move(fontPath)) {}

TextRenderer::~TextRenderer() {
    for (auto& entry : faces_) FT_Done_Face(static_cast<FT_Face>(entry.second));
}

bool TextRenderer::available() {
    if (tried_) return library_ != nullptr;
    tried_ = true;
    auto library = std::make_unique<Library>();
    FT_Face probe = nullptr;
    if (FT_Init_FreeType(&library->handle) != 0 ||
        FT_New_Face(library->handle, fontPath_.c_str(), 0, &probe) != 0) {
        LogError("TextRenderer", u8"フォントファイルを読み込めません: %s", Utf8Arg(fontPath_));
        return false;
    }
    FT_Done_Face(probe);
    library_ = std::move(library);
    return true;
}

void* TextRenderer::face(int height, bool bold) {
    const FaceKey key{height, bold};
    const auto found = faces_.find(key);
    if (found != faces_.end()) return found->second;
    FT_Face made = nullptr;
    if (FT_New_Face(library_->handle, fontPath_.c_str(), 0, &made) != 0) return nullptr;
    FT_Set_Pixel_Sizes(made, 0, static_cast<FT_UInt>(height));
    faces_.emplace(key, made);
    return made;
}

const TextRenderer::Glyph& TextRenderer::glyph(const TextStyle& style, char32_t code) {
    const GlyphKey key{style.height, style.bold, style.smooth, code};
    const auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    Glyph& made = glyphs_[key];
    auto* ft = static_cast<FT_Face>(face(style.height, style.bold));
    const FT_UInt index = ft != nullptr && code != 0 ? FT_Get_Char_Index(ft, code) : 0;
    const FT_Int32 target = style.smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (index == 0 || FT_Load_Glyph(ft, index, FT_LOAD_NO_BITMAP | target) != 0) return made;
    FT_GlyphSlot slot = ft->glyph;
    if (style.bold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline, kEmbolden);
    }
    const FT_Render_Mode mode = style.smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
    if (FT_Render_Glyph(slot, mode) != 0) return made;
    const FT_Bitmap& bitmap = slot->bitmap;
    made.left = slot->bitmap_left;
    made.top = slot->bitmap_top;
    made.width = static_cast<int>(bitmap.width);
    made.rows = static_cast<int>(bitmap.rows);
    made.coverage.resize(static_cast<std::size_t>(made.width) * made.rows);
    for (int y = 0; y < made.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < made.width; ++x) {
            const std::uint8_t c = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                       ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                                       : row[x];
            made.coverage[static_cast<std::size_t>(y) * made.width + x] = c;
        }
    }
    return made;
}

void TextRenderer::blend(Surface& target, const Glyph& glyph, int x, int y, ColorRef color,
                         const Rect& clip) {
    const PixelFormat& format = target.format();
    const std::uint32_t textXrgb = (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    const Rect area =
        Intersect(Intersect(Rect{x, y, x + glyph.width, y + glyph.rows}, clip), target.bounds());
    std::uint32_t* words32 = target.words32();
    std::uint16_t* words16 = target.words16();
    for (int py = area.top; py < area.bottom; ++py) {
        for (int px = area.left; px < area.right; ++px) {
            const std::uint32_t c =
                glyph.coverage[static_cast<std::size_t>(py - y) * glyph.width + (px - x)];
            if (c == 0) continue;
            const std::size_t index = static_cast<std::size_t>(py) * target.width() + px;
            if (words32 != nullptr) {
                words32[index] = BlendCoverage(textXrgb, words32[index] & 0xFFFFFF, c);
            } else {
                const std::uint32_t dest = format.toXrgb(words16[index]);
                words16[index] =
                    static_cast<std::uint16_t>(format.fromXrgb(BlendCoverage(textXrgb, dest, c)));
            }
        }
    }
}

void TextRenderer::forEachBox(std::string_view text, const std::vector<TextCell>& cells,
                              const TextStyle& style, const BoxVisit& visit) {
    const Cp932Table& table = Cp932Table::Shared();
    for (const TextCell& cell : cells) {
        if (!TextLayout::Inked(text, cell)) continue;
        const char32_t code = table.toUnicode(text.substr(cell.offset, cell.length));
        if (code == 0 || IsBlank(code)) continue;
        visit(Rect{cell.x, cell.y, cell.x + cell.width - 1, cell.y + style.height - 1});
    }
}

void TextRenderer::forEachGlyph(std::string_view text, const std::vector<TextCell>& cells,
                                const TextStyle& style, const GlyphVisit& visit) {
    auto* ft = static_cast<FT_Face>(face(style.height, style.bold));
    const double ascender = ft->ascender;
    const double descender = -static_cast<double>(ft->descender);
    const int baseline =
        static_cast<int>(std::lround(style.height * ascender / (ascender + descender)));
    const Cp932Table& table = Cp932Table::Shared();
    for (const TextCell& cell : cells) {
        if (!TextLayout::Inked(text, cell)) continue;
        const char32_t code = table.toUnicode(text.substr(cell.offset, cell.length));
        const Glyph& shape = glyph(style, code);
        if (shape.coverage.empty()) continue;
        visit(shape, cell.x + shape.left, cell.y + baseline - shape.top);
    }
}

Rect TextRenderer::inkArea(std::string_view text, const std::vector<TextCell>& cells,
                           const TextStyle& style, bool boxes) {
    Rect area;
    if (boxes) {
        forEachBox(text, cells, style, [&area](const Rect& box) { area = Enclose(area, box); });
    } else {
        forEachGlyph(text, cells, style, [&area](const Glyph& shape, int x, int y) {
            area = Enclose(area, SaturatedRect(x, y, std::int64_t{x} + shape.width,
                                               std::int64_t{y} + shape.rows));
        });
    }
    return area;
}

// A line waiting on screen is recorded every frame: its ink area is found once.
Rect TextRenderer::keptInkArea(const DrawKey& key, std::string_view text,
                               const std::vector<TextCell>& cells, const TextStyle& style,
                               bool boxes) {
    if (const auto kept = inkAreas_.find(key.bytes()); kept != inkAreas_.end()) return kept->second;
    if (inkAreas_.size() >= kKeptInkAreas) inkAreas_.clear();
    return inkAreas_.emplace(key.bytes(), inkArea(text, cells, style, boxes)).first->second;
}

bool TextRenderer::draw(Surface& target, std::string_view text, const std::vector<TextCell>& cells,
                        const TextStyle& style, const Rect& clip) {
    if (target.lost() || (!gTestGlyphs && !available())) return false;
    if (style.height <= 0 || style.height > kMaxHeight) return true;
    const bool boxes = gTestGlyphs;
    if (!boxes && face(style.height, style.bold) == nullptr) return false;
    if (target.recording()) {
        DrawKey key('x');
        key.add(reinterpret_cast<std::uintptr_t>(this)).add(boxes).add(text).add(clip);
        key.add(style.height).add(style.bold).add(style.color).add(style.smooth);
        for (const TextCell& cell : cells) {
            key.add(cell.offset).add(cell.length).add(cell.x).add(cell.y).add(cell.width);
        }
        const auto draw = [this, kept = std::string(text), cells, style, clip, boxes](
                              Surface& s, const Rect& within) {
            drawNow(s, kept, cells, style, Intersect(clip, within), boxes);
        };
        const Rect area = Intersect(Intersect(keptInkArea(key, text, cells, style, boxes), clip),
                                    target.bounds());
        if (target.defer(std::move(key), area, draw)) return true;
    }
    drawNow(target, text, cells, style, clip, boxes);
    return true;
}

void TextRenderer::drawNow(Surface& target, std::string_view text,
                           const std::vector<TextCell>& cells, const TextStyle& style,
                           const Rect& clip, bool boxes) {
    if (boxes) {
        forEachBox(text, cells, style,
                   [&](const Rect& box) { target.fill(Intersect(box, clip), style.color); });
        return;
    }
    forEachGlyph(text, cells, style, [&](const Glyph& shape, int x, int y) {
        blend(target, shape, x, y, style.color, clip);
    });
}

}  // namespace platform
