#include "mkdemo/PicturePainter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "common/BitmapWriter.h"
#include "mkdemo/CharacterSheets.h"
#include "mkdemo/EventPainter.h"
#include "mkdemo/ExtrasUiPainter.h"
#include "mkdemo/FigurePainter.h"
#include "mkdemo/GlyphCoverage.h"
#include "mkdemo/IndexCanvas.h"
#include "mkdemo/PlacePainter.h"
#include "mkdemo/StoryUiPainter.h"
#include "platform/text/Cp932.h"

namespace mkdemo {

namespace {

// Palette layout: fixed roles first, then the gradient ramp.
enum : std::uint8_t {
    kKey = 0,
    kText = 1,
    kOutline = 2,
    kBorder = 3,
    kFlat = 5,
    kLight = 6,
    kRampFirst = 16,
};
constexpr int kRampMax = 200;
constexpr int kBorderWidth = 4;
constexpr int kLabelHeight = 40;
constexpr std::uint32_t kOutlineColor = 0x202020;
constexpr std::uint32_t kUnused = 0x808080;

using Palette = std::array<std::uint32_t, 256>;

std::uint32_t Fnv1a(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return hash;
}

// The hue of a name; magenta-like hues are moved away from the key colour.
int HueOf(const std::string& name) {
    int hue = static_cast<int>(Fnv1a(name) % 360);
    if (hue >= 280 && hue <= 320) hue += 60;
    return hue % 360;
}

std::uint32_t Hsv(int hue, double saturation, double value) {
    const double h = (hue % 360) / 60.0;
    const double c = value * saturation;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    const double m = value - c;
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    const auto channel = [m](double v) {
        return static_cast<std::uint32_t>(std::lround((v + m) * 255));
    };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

struct Art {
    Palette palette;
    int rampSize = 0;
};

// The palette of a picture: its key, the label colours and a ramp of its hue.
Art MakeArt(const PictureEntry& entry, const std::string& colorName, std::uint32_t key) {
    Art art;
    art.palette.fill(kUnused);
    const int hue = HueOf(colorName);
    art.palette[kKey] = key;
    art.palette[kText] = 0xFFFFFF;
    art.palette[kOutline] = kOutlineColor;
    art.palette[kBorder] = Hsv(hue + 180, 0.55, 0.85);
    art.palette[kFlat] = Hsv(hue, 0.55, 0.85);
    art.palette[kLight] = Hsv(hue, 0.25, 0.95);
    art.rampSize = std::clamp(entry.height, 2, kRampMax);
    for (int i = 0; i < art.rampSize; ++i) {
        const double value = 0.85 - 0.40 * i / (art.rampSize - 1);
        art.palette[static_cast<std::size_t>(kRampFirst + i)] = Hsv(hue, 0.55, value);
    }
    return art;
}

std::uint8_t RampIndex(const Art& art, int y, int height) {
    const int step = height > 1 ? y * (art.rampSize - 1) / (height - 1) : 0;
    return static_cast<std::uint8_t>(kRampFirst + step);
}

void Gradient(IndexCanvas& canvas, const Art& art, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) {
        canvas.fillRect(left, y, right, y + 1, RampIndex(art, y, canvas.height()));
    }
}

void NameLabel(IndexCanvas& canvas, const PictureEntry& entry, int cx, int cy, int width,
               int height, int maxHeight) {
    const std::vector<std::string> lines = {entry.name, entry.slots};
    const int textHeight = IndexCanvas::FitHeight(lines, width, height, maxHeight);
    canvas.label(lines, cx, cy, textHeight, kText, kOutline);
}

// Names are UTF-8; the text engine draws CP932.
std::vector<std::string> NameLine(const std::string& name) {
    return {platform::utf8ToCp932(name).value_or("?")};
}

// A place on a picture: a white band between dark lines, which shows on any part of
// the art, with its name in the middle.
void PaintRegions(IndexCanvas& canvas, const PictureEntry& entry) {
    constexpr int kEdge = 5;
    constexpr int kRegionLabelHeight = 28;
    for (const SheetCell& r : entry.regions) {
        canvas.frameRect(r.left, r.top, r.right, r.bottom, kEdge, kOutline);
        canvas.frameRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, kEdge - 2, kText);
        if (r.name.empty()) continue;
        const std::vector<std::string> lines = NameLine(r.name);
        const int height = IndexCanvas::FitHeight(lines, r.right - r.left - 2 * kEdge,
                                                  r.bottom - r.top - 2 * kEdge, kRegionLabelHeight);
        canvas.label(lines, (r.left + r.right) / 2, (r.top + r.bottom) / 2, height, kText,
                     kOutline);
    }
}

void PaintPicture(IndexCanvas& canvas, const Art& art, const PictureEntry& entry) {
    const int w = canvas.width();
    const int h = canvas.height();
    Gradient(canvas, art, 0, 0, w, h);
    canvas.frameRect(0, 0, w, h, kBorderWidth, kBorder);
    const int scaled = std::min(kLabelHeight, kLabelHeight * std::min(w * 600, h * 800) / 480000);
    NameLabel(canvas, entry, w / 2, h / 2, w - 4 * kBorderWidth, h - 4 * kBorderWidth,
              std::max(scaled, 8));
    PaintRegions(canvas, entry);
}

void PaintPlate(IndexCanvas& canvas, const Art& art, const PictureEntry& entry) {
    const int inset = 20;
    const int w = canvas.width();
    const int h = canvas.height();
    Gradient(canvas, art, inset, inset, w - inset, h - inset);
    canvas.frameRect(inset, inset, w - inset, h - inset, kBorderWidth, kBorder);
    NameLabel(canvas, entry, w / 2, h / 2, w - 4 * inset, h - 4 * inset, kLabelHeight);
}

// Rolling hills along the bottom; the sky above them is transparent.
void PaintHills(IndexCanvas& canvas, const Art& art, const PictureEntry& entry) {
    const int w = canvas.width();
    const int h = canvas.height();
    constexpr double kPi = 3.14159265358979323846;
    for (int x = 0; x < w; ++x) {
        const double rise = 0.55 * h + 0.2 * h * std::sin(2 * kPi * x / 520.0) +
                            0.08 * h * std::sin(2 * kPi * x / 170.0);
        const int top = std::clamp(h - static_cast<int>(rise), 1, h);
        for (int y = top; y < h; ++y) canvas.set(x, y, RampIndex(art, y, h));
    }
    NameLabel(canvas, entry, w / 2, h - 40, w, 60, 24);
}

// Drawn only where the art is not key, so that a picture's transparent part stays so.
void PaintRuler(IndexCanvas& canvas) {
    constexpr int kRulerStep = 100;
    constexpr int kRulerWidth = 2;
    constexpr int kRulerTextHeight = 16;
    const int w = canvas.width();
    const int h = canvas.height();
    for (int x = 0; x < w; x += kRulerStep) {
        for (int y = 0; y < h; ++y) {
            for (int dx = 0; dx < kRulerWidth; ++dx) {
                if (canvas.at(x + dx, y) != kKey) canvas.set(x + dx, y, kOutline);
            }
        }
        if (x % (2 * kRulerStep) != 0) continue;
        IndexCanvas mark(kRulerStep - 8, kRulerTextHeight + 4, kKey);
        mark.text("x " + std::to_string(x), 0, 0, kRulerTextHeight, kText);
        const int top = h - kRulerTextHeight - 8;
        for (int y = 0; y < mark.height(); ++y) {
            for (int dx = 0; dx < mark.width() && x + 4 + dx < w; ++dx) {
                if (mark.at(dx, y) != kKey && canvas.at(x + 4 + dx, top + y) != kKey) {
                    canvas.set(x + 4 + dx, top + y, kText);
                }
            }
        }
    }
}

void PaintBody(IndexCanvas& canvas, const PictureEntry& entry) {
    constexpr int kTorsoTop = 160;
    constexpr int kCorner = 40;
    canvas.fillEllipse(180, 110, 90, 90, kFlat);
    canvas.fillRect(60, kTorsoTop + kCorner, 300, canvas.height(), kFlat);
    canvas.fillRect(60 + kCorner, kTorsoTop, 300 - kCorner, kTorsoTop + kCorner, kFlat);
    canvas.fillEllipse(60 + kCorner, kTorsoTop + kCorner, kCorner, kCorner, kFlat);
    canvas.fillEllipse(300 - kCorner, kTorsoTop + kCorner, kCorner, kCorner, kFlat);
    canvas.frameRect(100, 30, 260, 190, 1, kText);
    NameLabel(canvas, entry, 180, 360, 220, 120, 24);
}

void PaintEyes(IndexCanvas& canvas, int cx, int frame) {
    constexpr int kEyeY = 70;
    for (const int eyeX : {cx - 25, cx + 25}) {
        if (frame == 0) canvas.fillEllipse(eyeX, kEyeY, 9, 9, kOutline);
        if (frame == 1) canvas.fillEllipse(eyeX, kEyeY + 3, 9, 4, kOutline);
        if (frame == 2) canvas.fillRect(eyeX - 10, kEyeY + 2, eyeX + 10, kEyeY + 5, kOutline);
    }
}

void PaintFace(IndexCanvas& canvas, const PictureEntry& entry) {
    constexpr int kCell = CharacterSheets::kFaceCell;
    for (int frame = 0; frame < CharacterSheets::kEyeFrames; ++frame) {
        const int cx = frame * kCell + kCell / 2;
        canvas.fillEllipse(cx, kCell / 2, 70, 70, kFlat);
        PaintEyes(canvas, cx, frame);
        canvas.label({entry.stem + " " + std::to_string(frame + 1)}, cx, 118, 16, kText, kOutline);
    }
}

// Cells take hues spread evenly around the circle from the sheet's own, with
// alternate cells lighter, so that neighbours never look alike.
std::uint32_t CellColor(const PictureEntry& entry, std::size_t i) {
    const auto step = static_cast<int>(i * 360 / entry.cells.size());
    const bool odd = i % 2 != 0;
    return Hsv(HueOf(entry.name) + step, odd ? 0.45 : 0.7, odd ? 0.7 : 0.9);
}

std::uint8_t CellIndex(std::size_t i) { return static_cast<std::uint8_t>(kRampFirst + i); }

// A frame is a border in the cell's colour with a white line along both its edges,
// so that it shows on any card; inside it the key lets the card through.
void PaintFrame(IndexCanvas& canvas, const SheetCell& cell, std::uint8_t index) {
    constexpr int kFrameWidth = 7;
    constexpr int kInner = kFrameWidth - 1;
    canvas.frameRect(cell.left, cell.top, cell.right, cell.bottom, kFrameWidth, index);
    canvas.frameRect(cell.left, cell.top, cell.right, cell.bottom, 1, kText);
    canvas.frameRect(cell.left + kInner, cell.top + kInner, cell.right - kInner,
                     cell.bottom - kInner, 1, kText);
}

// A labelled cell keeps a one-pixel outline and a flat ring inside it; its name sits
// small in the bottom-left corner, clear of where the windows draw their text, and
// never reaches another cell.
void PaintCells(IndexCanvas& canvas, const PictureEntry& entry, bool labelled) {
    constexpr int kInset = 3;
    constexpr int kCellLabelHeight = 14;
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        const SheetCell& cell = entry.cells[i];
        if (cell.frame) {
            PaintFrame(canvas, cell, CellIndex(i));
            continue;
        }
        canvas.fillRect(cell.left, cell.top, cell.right, cell.bottom, CellIndex(i));
        if (!labelled) continue;
        canvas.frameRect(cell.left, cell.top, cell.right, cell.bottom, 1, kOutline);
        const int w = cell.right - cell.left - 2 * kInset;
        const int h = cell.bottom - cell.top - 2 * kInset;
        IndexCanvas inside(w, h, CellIndex(i));
        const std::vector<std::string> lines = NameLine(cell.name);
        const int height = IndexCanvas::FitHeight(lines, w, h, kCellLabelHeight);
        const int width = GlyphCoverage::WidthOf(lines[0], height) + 4;
        inside.label(lines, width / 2, h - height / 2 - 2, height, kText, kOutline);
        canvas.paste(inside, cell.left + kInset, cell.top + kInset);
    }
}

// Characters take their colour from the heroine, everything else from its name.
std::string ColorName(const PictureEntry& entry) {
    if (const auto owner = CharacterSheets::Owner(entry.stem); owner && owner->face) {
        return owner->heroine->id;
    }
    return entry.name;
}

}  // namespace

std::map<std::string, std::uint32_t> PicturePainter::PlainCellColors(const PictureEntry& entry) {
    std::map<std::string, std::uint32_t> colors;
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        colors[entry.cells[i].name] = CellColor(entry, i);
    }
    return colors;
}

std::map<std::string, std::uint32_t> PicturePainter::CellColors(const PictureEntry& entry) {
    ArtCanvas canvas(entry.width, entry.height);
    if (!DrawArt(canvas, entry)) return PlainCellColors(entry);
    std::map<std::string, std::uint32_t> colors;
    for (const SheetCell& cell : entry.cells) {
        colors[cell.name] =
            canvas.color(cell.left + 2, cell.top + 2, KeyOf(entry)).value_or(KeyOf(entry));
    }
    return colors;
}

bool PicturePainter::DrawArt(ArtCanvas& canvas, const PictureEntry& entry) {
    return PlacePainter::Paint(canvas, entry) || FigurePainter::Paint(canvas, entry) ||
           EventPainter::Paint(canvas, entry) || StoryUiPainter::Paint(canvas, entry) ||
           ExtrasUiPainter::Paint(canvas, entry);
}

std::uint32_t PicturePainter::KeyOf(const PictureEntry& entry) {
    return entry.kind == PictureKind::CellSheetKeyBlack ? 0x000000 : kKeyColor;
}

std::string PicturePainter::BitmapOf(const PictureEntry& entry) {
    if (entry.kind == PictureKind::Plain) return Paint(entry, false);
    ArtCanvas canvas(entry.width, entry.height);
    if (!DrawArt(canvas, entry)) return Paint(entry, true);
    // Sheets keep each cell's colours exact; the rest fit a palette to stay small.
    return canvas.bitmap(KeyOf(entry), !entry.cells.empty());
}

std::string PicturePainter::PlainBitmapOf(const PictureEntry& entry) { return Paint(entry, false); }

std::string PicturePainter::Paint(const PictureEntry& entry, bool labelled) {
    const Art art = MakeArt(entry, ColorName(entry), KeyOf(entry));
    IndexCanvas canvas(entry.width, entry.height, kKey);
    switch (entry.kind) {
        case PictureKind::Plain:
            break;
        case PictureKind::Picture:
            PaintPicture(canvas, art, entry);
            break;
        case PictureKind::Plate:
            PaintPlate(canvas, art, entry);
            break;
        case PictureKind::Hills:
            PaintHills(canvas, art, entry);
            break;
        case PictureKind::CellSheet:
        case PictureKind::CellSheetKeyBlack:
            PaintCells(canvas, entry, labelled);
            break;
        case PictureKind::Body:
            PaintBody(canvas, entry);
            break;
        case PictureKind::Face:
            PaintFace(canvas, entry);
            break;
    }
    if (entry.ruler) PaintRuler(canvas);
    canvas.set(0, 0, kKey);
    Palette palette = art.palette;
    if (entry.kind == PictureKind::Plain) palette[kKey] = entry.plainColor;
    for (std::size_t i = 0; i < entry.cells.size(); ++i)
        palette[CellIndex(i)] = CellColor(entry, i);
    return zktools::IndexedBitmapBytes(zktools::BitmapForm::Indexed8, entry.width, entry.height,
                                       canvas.indices(), palette);
}

}  // namespace mkdemo
