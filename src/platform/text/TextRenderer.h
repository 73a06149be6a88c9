#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/text/TextLayout.h"
#include "platform/video/DrawKey.h"
#include "platform/video/PixelFormat.h"
#include "platform/video/Rect.h"
#include "platform/video/Surface.h"

namespace platform {

// How one text call looks: cell height in pixels, bold, colour and antialiasing.
struct TextStyle {
    int height = 0;
    bool bold = false;
    ColorRef color = 0;
    bool smooth = true;
};

// Draws laid-out Shift-JIS text onto surfaces with FreeType over one font file.
// Faces are kept per (height, bold) and glyph bitmaps per character, so a text
// call costs no font creation.
class TextRenderer {
public:
    static constexpr const char* kDefaultFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
    // GDI weights from this one up are drawn bold.
    static constexpr int kBoldWeight = 600;
    // Taller text than this draws nothing, which keeps glyph bitmaps bounded.
    static constexpr int kMaxHeight = 1024;

    // The renderer over the default font that the graphics object uses.
    static TextRenderer& Shared();

    // Test glyphs: while on, every renderer draws each inked character as a solid box
    // one pixel short of its cell on the right and at the bottom, and opens no font,
    // so that pictures of text do not hang on a font file or its version. Only tests
    // switch it; returns the previous setting.
    static bool SetTestGlyphs(bool on);

    explicit TextRenderer(std::string fontPath);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // False, after one error line at the first attempt, when the font cannot be read.
    bool available();

    // Draws the cells of text, clipped to clip and to the surface; the background
    // stays as it is. False when nothing could be drawn (no font, lost surface).
    bool draw(Surface& target, std::string_view text, const std::vector<TextCell>& cells,
              const TextStyle& style, const Rect& clip);

private:
    struct Glyph {
        int left = 0;  // from the cell's left edge
        int top = 0;   // from the baseline, upwards
        int width = 0;
        int rows = 0;
        std::vector<std::uint8_t> coverage;
    };
    struct Library;
    using FaceKey = std::pair<int, bool>;
    using GlyphKey = std::tuple<int, bool, bool, char32_t>;

    void* face(int height, bool bold);
    const Glyph& glyph(const TextStyle& style, char32_t code);
    void blend(Surface& target, const Glyph& glyph, int x, int y, ColorRef color, const Rect& clip);
    using GlyphVisit = std::function<void(const Glyph& glyph, int x, int y)>;
    using BoxVisit = std::function<void(const Rect& box)>;

    // Draws at once; the face of the style is known to open.
    void drawNow(Surface& target, std::string_view text, const std::vector<TextCell>& cells,
                 const TextStyle& style, const Rect& clip, bool boxes);
    // inkArea, remembered for the draw's key.
    Rect keptInkArea(const DrawKey& key, std::string_view text, const std::vector<TextCell>& cells,
                     const TextStyle& style, bool boxes);
    // The part of the surface the text inks, before any clip.
    Rect inkArea(std::string_view text, const std::vector<TextCell>& cells, const TextStyle& style,
                 bool boxes);
    // Each inked glyph with its top-left corner on the surface.
    void forEachGlyph(std::string_view text, const std::vector<TextCell>& cells,
                      const TextStyle& style, const GlyphVisit& visit);
    // Each box standing in for an inked character.
    static void forEachBox(std::string_view text, const std::vector<TextCell>& cells,
                           const TextStyle& style, const BoxVisit& visit);

    std::string fontPath_;
    std::unique_ptr<Library> library_;
    bool tried_ = false;
    std::map<FaceKey, void*> faces_;
    std::map<GlyphKey, Glyph> glyphs_;
    // Enough for every text of a few frames; past it they are found again.
    static constexpr std::size_t kKeptInkAreas = 256;
    std::unordered_map<std::string, Rect> inkAreas_;
};

}  // namespace platform
