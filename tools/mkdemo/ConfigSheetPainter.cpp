#include "mkdemo/ConfigSheetPainter.h"

#include <algorithm>
#include <map>
#include <string>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/UiKit.h"
#include "windows/ConfigControls.h"

namespace mkdemo {

namespace {

using State = UiKit::State;

constexpr int kOptionText = 16;
constexpr int kSmallText = 13;
constexpr int kLevels = 10;

bool Inside(const SheetCell& cell, const platform::Rect& rc) {
    return cell.left <= rc.left && rc.right <= cell.right && cell.top <= rc.top &&
           rc.bottom <= cell.bottom;
}

// The index of the sheet cell that holds rc.
std::size_t CellHolding(const PictureEntry& entry, const platform::Rect& rc) {
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        if (Inside(entry.cells[i], rc)) return i;
    }
    return 0;
}

std::string OptionLabel(const std::string& cellName) {
    const std::string base = cellName.substr(0, cellName.rfind('-'));
    if (base.ends_with("-on")) return "ON";
    if (base.ends_with("-off")) return "OFF";
    static const std::map<std::string, std::string> labels = {
        {"slow", "遅い"},         {"normal", "普通"},    {"fast", "速い"},       {"full", "全画面"},
        {"window", "ウィンドウ"}, {"16bit", "16ビット"}, {"high", "ハイカラー"},
    };
    const auto it = labels.find(base);
    return it != labels.end() ? it->second : base;
}

// A label that fits its place, centred on it.
void Label(ArtCanvas& canvas, const std::string& text, double x, double y, double w, double h,
           std::uint32_t ink, std::uint32_t outline) {
    const int height = ArtCanvas::TextWidth(text, kOptionText) > w - 10 ? kSmallText : kOptionText;
    canvas.label(text, x + w / 2, y + h / 2, height, ink, outline, 1);
}

void OptionTile(ArtCanvas& canvas, const SheetCell& cell, State state, const std::string& text) {
    UiKit::Tile(canvas.cr(), cell, state, 5);
    const std::uint32_t outline =
        state == State::Selected ? ArtStyle::kGoldLight : ArtStyle::kInkShadow;
    Label(canvas, text, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
          UiKit::LookOf(state).ink, outline);
}

// Level k's bar: taller for louder, standing on the slot's floor.
void Bar(cairo_t* cr, double x, double y, int level, std::uint32_t rgb, double alpha) {
    const double height = 4 + 12.0 * (level - 1) / (kLevels - 1);
    cairo_rectangle(cr, x + 10, y + 19 - height, 10, height);
    SetColor(cr, rgb, alpha);
    cairo_fill(cr);
}

void LevelSlice(cairo_t* cr, const platform::Rect& rc, State state, int level) {
    const SheetCell slice{"", rc.left, rc.top, rc.right, rc.bottom};
    UiKit::Tile(cr, slice, state, 3);
    const std::uint32_t bar =
        state == State::Selected ? ArtStyle::kInkShadow : UiKit::LookOf(state).ink;
    Bar(cr, rc.left, rc.top, level, bar, 1);
}

// The panel's resting look of one control, where the screen lays its pictures.
void RestingLook(ArtCanvas& canvas, const PictureEntry& entry, const CONFIG_CONTROL& control) {
    cairo_t* cr = canvas.cr();
    const platform::Rect& look = control.rcLook[CONFIG_LOOK_HOVER];
    const double x = control.nDrawX;
    const double y = control.nDrawY;
    const double w = look.right - look.left;
    const double h = look.bottom - look.top;
    RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 5);
    SetColor(cr, ArtStyle::kGold, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (control.kind == CONFIG_KIND::Level) {
        Bar(cr, x, y, control.nValue, ArtStyle::kMoon, 0.45);
        return;
    }
    const std::string text = OptionLabel(entry.cells[CellHolding(entry, look)].name);
    Label(canvas, text, x, y, w, h, ArtStyle::kInk, ArtStyle::kInkShadow);
}

bool IsOption(const CONFIG_CONTROL& control) {
    return control.kind == CONFIG_KIND::Option || control.kind == CONFIG_KIND::EffectSwitch ||
           control.kind == CONFIG_KIND::HighColour;
}

// Each row's heading at the panel's left, level with its first control.
void SectionHeadings(ArtCanvas& canvas) {
    static const std::map<CONFIG_SETTING, const char*> headings = {
        {CONFIG_SPEED, "文字速度"},   {CONFIG_AUTO, "オート"},     {CONFIG_SKIP, "スキップ"},
        {CONFIG_BGM_ON, "BGM"},       {CONFIG_VOICE_ON, "ボイス"}, {CONFIG_SE_ON, "効果音"},
        {CONFIG_FULL_SCREEN, "画面"}, {CONFIG_COLOUR, "色数"},
    };
    std::map<CONFIG_SETTING, bool> done;
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        const auto it = headings.find(control.setting);
        if (!IsOption(control) || it == headings.end() || done[control.setting]) continue;
        done[control.setting] = true;
        ArtShapes::Crescent(canvas.cr(), 30, control.nDrawY + 12, 5, ArtStyle::kGold,
                            ArtStyle::kGold);
        canvas.text(it->second, 42, control.nDrawY + 3, 18, ArtStyle::kGoldLight);
    }
}

void PaintPanel(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    const SheetCell& panel = entry.cells[0];
    UiKit::Tile(cr, panel, State::Normal, 10);
    RoundedRect(cr, 5.5, 5.5, panel.right - 11, panel.bottom - 11, 7);
    SetColor(cr, ArtStyle::kGoldLight, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    canvas.label("設定", panel.right / 2.0, 24, 24, ArtStyle::kGoldLight, ArtStyle::kInkShadow, 2);
    UiKit::Rule(cr, 80, panel.right - 80, 46);
    // Between the text settings, the sound rows and the display rows.
    UiKit::Rule(cr, 24, panel.right - 24, 190, 0.5);
    UiKit::Rule(cr, 24, panel.right - 24, 318, 0.5);
    SectionHeadings(canvas);
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        if (IsOption(control) || control.kind == CONFIG_KIND::Level) {
            RestingLook(canvas, entry, control);
        }
    }
}

void PaintControlCells(ArtCanvas& canvas, const PictureEntry& entry) {
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        const platform::Rect* looks = control.rcLook;
        if (control.kind == CONFIG_KIND::Level) {
            LevelSlice(canvas.cr(), looks[CONFIG_LOOK_REST], State::Disabled, control.nValue);
            LevelSlice(canvas.cr(), looks[CONFIG_LOOK_HOVER], State::Hover, control.nValue);
            LevelSlice(canvas.cr(), looks[CONFIG_LOOK_ACTIVE], State::Selected, control.nValue);
            continue;
        }
        if (!IsOption(control)) continue;
        const SheetCell& hover = entry.cells[CellHolding(entry, looks[CONFIG_LOOK_HOVER])];
        const SheetCell& active = entry.cells[CellHolding(entry, looks[CONFIG_LOOK_ACTIVE])];
        OptionTile(canvas, hover, State::Hover, OptionLabel(hover.name));
        OptionTile(canvas, active, State::Selected, OptionLabel(active.name));
    }
}

// The question's box: the screen writes its message and the yes and no over the
// middle, so only the heading and the frame are drawn.
void PaintBox(ArtCanvas& canvas, const SheetCell& box) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, box, State::Normal, 10);
    RoundedRect(cr, box.left + 6.5, box.top + 6.5, box.right - box.left - 13,
                box.bottom - box.top - 13, 6);
    SetColor(cr, ArtStyle::kGoldLight, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double cx = (box.left + box.right) / 2.0;
    canvas.label("確認", cx, box.top + 22, 18, ArtStyle::kGoldLight, ArtStyle::kInkShadow, 1);
    UiKit::Rule(cr, box.left + 40, box.right - 40, box.top + 36, 0.6);
    UiKit::Rule(cr, box.left + 40, box.right - 40, box.bottom - 14, 0.6);
}

void PaintButton(ArtCanvas& canvas, const SheetCell& cell) {
    const char look = cell.name.back();
    const State state = look == 'h' ? State::Hover : look == 'p' ? State::Pressed : State::Normal;
    const std::string text = cell.name.starts_with("ok") ? "OK" : "タイトル";
    UiKit::Tile(canvas.cr(), cell, state, 4);
    canvas.label(text, (cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0, kSmallText,
                 UiKit::LookOf(state).ink, ArtStyle::kInkShadow, 1);
}

// Each band's ten slices are cut one at a time, so each carries its own rim; the
// band's outer corners are the first's and the last's.
void Rims(cairo_t* cr, const PictureEntry& entry) {
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        if (control.kind != CONFIG_KIND::Level) continue;
        for (const platform::Rect& rc : control.rcLook) {
            ArtShapes::RimRect(cr, rc.left, rc.top, rc.right, rc.bottom,
                               ArtStyle::RimColor(CellHolding(entry, rc)));
        }
    }
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        if (entry.cells[i].name.find("-level-") == std::string::npos) {
            ArtShapes::CellRim(cr, entry.cells[i], i);
        }
    }
}

}  // namespace

void ConfigSheetPainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    PaintPanel(canvas, entry);
    PaintControlCells(canvas, entry);
    for (const SheetCell& cell : entry.cells) {
        if (cell.name == "unavailable")
            OptionTile(canvas, cell, State::Disabled, OptionLabel("high"));
        if (cell.name == "box") PaintBox(canvas, cell);
        if (cell.name.starts_with("ok-") || cell.name.starts_with("title-")) {
            PaintButton(canvas, cell);
        }
    }
    Rims(canvas.cr(), entry);
}

}  // namespace mkdemo
