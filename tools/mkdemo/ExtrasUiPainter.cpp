#include "mkdemo/ExtrasUiPainter.h"

#include <algorithm>
#include <string>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/ExtrasRoomPainter.h"
#include "mkdemo/ExtrasUiKit.h"

namespace mkdemo {

namespace {

using Look = ExtrasUiKit::Look;

enum class Icon { None, Play, Stop, Prev, Next, Left, Right };

void Triangle(cairo_t* cr, double cx, double cy, double size, double dir) {
    cairo_move_to(cr, cx - dir * size / 2, cy - size / 2);
    cairo_line_to(cr, cx + dir * size / 2, cy);
    cairo_line_to(cr, cx - dir * size / 2, cy + size / 2);
    cairo_close_path(cr);
}

void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, std::uint32_t ink) {
    constexpr double kSize = 12;
    switch (icon) {
        case Icon::Play:
        case Icon::Right:
            Triangle(cr, cx, cy, kSize, 1);
            break;
        case Icon::Left:
            Triangle(cr, cx, cy, kSize, -1);
            break;
        case Icon::Stop:
            cairo_rectangle(cr, cx - kSize / 2 + 1, cy - kSize / 2 + 1, kSize - 2, kSize - 2);
            break;
        case Icon::Prev:
        case Icon::Next: {
            const double dir = icon == Icon::Next ? 1 : -1;
            Triangle(cr, cx - 5, cy, kSize - 2, dir);
            Triangle(cr, cx + 5, cy, kSize - 2, dir);
            break;
        }
        case Icon::None:
            return;
    }
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, ArtStyle::kInkShadow);
    cairo_stroke_preserve(cr);
    SetColor(cr, ink);
    cairo_fill(cr);
}

// A button with an icon and, if it has one, its label beside it.
void IconButton(const ArtCanvas& canvas, const SheetCell& cell, Look look, Icon icon,
                std::string_view label) {
    ExtrasUiKit::Button(canvas, cell, look, {icon == Icon::None ? label : "", 16});
    const double sink = look == Look::Pressed ? 1 : 0;
    const double cy = (cell.top + cell.bottom) / 2.0 + sink;
    if (label.empty() || icon == Icon::None) {
        DrawIcon(canvas.cr(), icon, (cell.left + cell.right) / 2.0, cy, ExtrasUiKit::InkOf(look));
        return;
    }
    const int width = ArtCanvas::TextWidth(label, 16);
    const double left = (cell.left + cell.right - width - 20) / 2.0;
    DrawIcon(canvas.cr(), icon, left + 6, cy, ExtrasUiKit::InkOf(look));
    canvas.label(label, left + 20 + width / 2.0, cy, 16, ExtrasUiKit::InkOf(look),
                 ArtStyle::kInkShadow, 1);
}

Look LookOf(char code) {
    switch (code) {
        case 'h':
        case '1':
            return Look::Hover;
        case 'p':
        case '2':
            return Look::Pressed;
        case 'i':
            return Look::Inactive;
        case 's':
            return Look::Selected;
        default:
            return Look::Normal;
    }
}

// The buttons of a sheet, found by the start of their cells' names, which end in their
// look.
struct ButtonKind {
    std::string_view prefix;
    Icon icon;
    std::string_view label;
};

template <std::size_t N>
void Buttons(const ArtCanvas& canvas, const PictureEntry& entry, const ButtonKind (&kinds)[N]) {
    for (const SheetCell& cell : entry.cells) {
        for (const ButtonKind& kind : kinds) {
            if (!cell.name.starts_with(kind.prefix)) continue;
            IconButton(canvas, cell, LookOf(cell.name.back()), kind.icon, kind.label);
            break;
        }
    }
}

// A night sky fading into the panel blue, with stars along its top.
void NightBack(const ArtCanvas& canvas, std::string_view title, unsigned seed) {
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 600);
    AddStop(sky, 0, 0x0A0E22);
    AddStop(sky, 0.5, ArtStyle::kPanel);
    AddStop(sky, 1, 0x141A34);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    ExtrasUiKit::Stars(cr, 0, 0, 800, 80, 40, seed);
    ArtShapes::Crescent(cr, 740, 36, 18, 0xFFFBEA, ArtStyle::kGoldLight);
    canvas.label(title, 400, 36, 30, ArtStyle::kInk, ArtStyle::kInkShadow, 2);
    cairo_rectangle(cr, 260, 58, 280, 1.5);
    SetColor(cr, ArtStyle::kGold);
    cairo_fill(cr);
}

void Well(cairo_t* cr, double x, double y, double w, double h) {
    RoundedRect(cr, x, y, w, h, 3);
    SetColor(cr, 0x0C1024, 0.7);
    cairo_fill(cr);
}

// The music room: two columns of nine tracks, the comment below, the player's buttons
// at the lower right.
void PaintMusicBack(const ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    NightBack(canvas, "ＢＧＭモード", 11);
    for (const double left : {2.0, 418.0}) {
        ExtrasUiKit::Panel(cr, left, 78, 380, 366, 8);
        for (int row = 0; row < 9; ++row) {
            cairo_rectangle(cr, left + 8, 115 + 40 * row, 364, 1);
            SetColor(cr, ArtStyle::kGold, 0.35);
            cairo_fill(cr);
        }
    }
    ExtrasUiKit::Panel(cr, 10, 470, 646, 116, 8);
    ExtrasUiKit::Panel(cr, 658, 470, 132, 112, 8);
    Well(cr, 662, 477, 124, 100);
}

void PaintMusicMaterial(const ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    const SheetCell& bar = entry.cells[0];
    RoundedRect(cr, bar.left + 2, bar.top + 2, bar.right - bar.left - 4, 22, 3);
    cairo_pattern_t* light = cairo_pattern_create_linear(bar.left, 0, bar.right, 0);
    AddStop(light, 0, 0x6A5A9A);
    AddStop(light, 1, ArtStyle::kPanelLight);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    const SheetCell& mark = entry.cells[1];
    cairo_rectangle(cr, mark.left + 2, mark.top + 2, 29, 22);
    SetColor(cr, ArtStyle::kPanel);
    cairo_fill(cr);
    // A quaver.
    cairo_arc(cr, mark.left + 13, mark.top + 17, 4, 0, 6.3);
    cairo_rectangle(cr, mark.left + 15.5, mark.top + 6, 2, 11);
    cairo_rectangle(cr, mark.left + 15.5, mark.top + 6, 7, 2);
    SetColor(cr, ArtStyle::kGoldLight);
    cairo_fill(cr);
    static const ButtonKind kinds[] = {{"play-", Icon::Play, "再生"},
                                       {"stop-", Icon::Stop, ""},
                                       {"prev-", Icon::Prev, ""},
                                       {"next-", Icon::Next, ""},
                                       {"exit-", Icon::None, "戻る"}};
    Buttons(canvas, entry, kinds);
    ExtrasUiKit::Rims(cr, entry);
}

// The gallery: the pictures' places in two walls of six, the heroines' tabs and the
// buttons along the bottom.
void PaintGalleryBack(const ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    NightBack(canvas, "ギャラリー", 23);
    for (const double left : {43.0, 421.0}) {
        ExtrasUiKit::Panel(cr, left, 95, 336, 390, 8);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column) {
                Well(cr, left + 6 + 164 * column, 106 + 128 * row, 160, 122);
            }
        }
    }
    cairo_rectangle(cr, 0, 478, 800, 60);
    SetColor(cr, 0x0C1024, 0.75);
    cairo_fill(cr);
    ExtrasUiKit::Panel(cr, 376, 546, 256, 44, 6);
    ExtrasUiKit::Panel(cr, 656, 546, 136, 44, 6);
    for (const double left : {0.0, 760.0}) ExtrasUiKit::Panel(cr, left, 278, 40, 44, 6);
}

// A picture not yet seen: a dim plate with the moon and question marks.
void LockedPlate(const ArtCanvas& canvas, const SheetCell& cell) {
    cairo_t* cr = canvas.cr();
    const double w = cell.right - cell.left;
    const double h = cell.bottom - cell.top;
    cairo_rectangle(cr, cell.left, cell.top, w, h);
    cairo_pattern_t* dim = cairo_pattern_create_linear(0, cell.top, 0, cell.bottom);
    AddStop(dim, 0, 0x232A4A);
    AddStop(dim, 1, 0x12162C);
    cairo_set_source(cr, dim);
    cairo_fill(cr);
    cairo_pattern_destroy(dim);
    ExtrasUiKit::Stars(cr, cell.left + 6, cell.top + 6, w - 12, h - 12, 12, 31);
    ArtShapes::Crescent(cr, cell.left + w / 2, cell.top + 46, 22, 0xFFFBEA, 0x8A93AE);
    canvas.label("？？？", cell.left + w / 2, cell.top + 88, 16, 0x9AA0B8, ArtStyle::kInkShadow, 1);
}

// A tab: dark at rest, lit while pointed at, gold-edged and glowing for the current
// heroine; the names are written over it by the gallery.
void Tab(const ArtCanvas& canvas, const SheetCell& cell, double glow, bool current) {
    cairo_t* cr = canvas.cr();
    const double w = cell.right - cell.left;
    const double h = cell.bottom - cell.top;
    RoundedRect(cr, cell.left, cell.top, w, h, 6);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, cell.top, 0, cell.bottom);
    AddStop(body, 0, current ? 0x4A5C9A : glow > 0 ? ArtStyle::kPanelLight : 0x1A2040);
    AddStop(body, 1, ArtStyle::kPanel);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    if (glow <= 0) return;
    RoundedRect(cr, cell.left + 4.5, cell.top + 4.5, w - 9, h - 9, 4);
    SetColor(cr, current ? ArtStyle::kGoldLight : ArtStyle::kMoon, 0.3 + 0.6 * glow);
    cairo_set_line_width(cr, current ? 2 : 1);
    cairo_stroke(cr);
}

// The pulse of five frames: dim, rising, bright.
double Pulse(const std::string& name) { return (name.back() - '0' + 1) / 5.0; }

void PaintGalleryMaterial(const ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    for (const SheetCell& cell : entry.cells) {
        if (cell.name.starts_with("plate-")) LockedPlate(canvas, cell);
        if (cell.name == "tab") Tab(canvas, cell, 0, false);
        if (cell.name.starts_with("tab-")) {
            Tab(canvas, cell, Pulse(cell.name), cell.name.starts_with("tab-cur"));
        }
        if (cell.frame) ExtrasUiKit::Ring(cr, cell, Pulse(cell.name));
    }
    static const ButtonKind kinds[] = {{"prev-", Icon::Left, ""},
                                       {"next-", Icon::Right, ""},
                                       {"cg-", Icon::None, "ＣＧ"},
                                       {"rp-", Icon::None, "回想"},
                                       {"back-", Icon::None, "戻る"}};
    Buttons(canvas, entry, kinds);
    ExtrasUiKit::Rims(cr, entry);
}

void PaintReplayMaterial(const ArtCanvas& canvas, const PictureEntry& entry) {
    static const ButtonKind kinds[] = {{"replay-", Icon::None, "回想を終える"}};
    Buttons(canvas, entry, kinds);
    ExtrasUiKit::Rims(canvas.cr(), entry);
}

// The costume select's cursor pulsing round a card, the place numbers and the dress
// room's buttons.
void PaintClothesMaterial(const ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    for (std::size_t f = 0; f < 5; ++f) ExtrasUiKit::Ring(cr, entry.cells[f], f / 4.0);
    for (std::size_t p = 5; p < 13; ++p) {
        const SheetCell& cell = entry.cells[p];
        cairo_rectangle(cr, cell.left, cell.top, 16, 16);
        SetColor(cr, ArtStyle::kPanel);
        cairo_fill(cr);
        canvas.text(cell.name, cell.left + 5, cell.top + 3.5, 9, ArtStyle::kInk);
    }
    static const ButtonKind kinds[] = {
        {"戻る", Icon::None, "戻る"}, {"前", Icon::Left, ""}, {"次", Icon::Right, ""}};
    Buttons(canvas, entry, kinds);
    ExtrasUiKit::Rims(cr, entry);
}

// What each row of the credits says, by its top on the sheet. The roll pairs a heading
// with the names under it and shows the titles and the block alone.
std::string_view CreditText(int top) {
    static const struct {
        int top;
        std::string_view text;
    } kRows[] = {
        {0, "月蛾の冠"},
        {24, "スタッフ"},
        {48, "企画・原案"},
        {64, "シナリオ"},
        {80, "キャラクターデザイン"},
        {96, "原画"},
        {112, "背景美術"},
        {128, "彩色"},
        {144, "音楽"},
        {160, "声の出演"},
        {176, "システム"},
        {192, "プログラム"},
        {208, "効果音"},
        {224, "ムービー"},
        {240, "スペシャルサンクス"},
        {256, "プロデューサー"},
        {272, "ディレクター"},
        {360, "宵宮 しのぶ"},
        {384, "霧島 つばさ"},
        {408, "花房 ゆかり"},
        {432, "朝比奈 みこと"},
        {456, "森下 あきら"},
        {480, "七瀬 かおる"},
        {504, "星野 はるか"},
        {528, "桜井 ひなた"},
        {552, "水城 あやめ"},
        {576, "月岡 しずく"},
        {600, "白石 かなで"},
        {624, "藤堂 れん"},
        {648, "高槻 いずみ"},
        {672, "小野寺 まどか"},
        {696, "矢野 ひかる"},
        {720, "工房の仲間たち"},
        {744, "そして遊んでくれたあなた"},
        {768, "柊 まこと"},
        {792, "宵宮 しのぶ"},
        {816, "朔月 ななみ"},
        {840, "主題歌"},
    };
    for (const auto& row : kRows) {
        if (row.top == top) return row.text;
    }
    return {};
}

// A row of the credits: ivory names, gold headings and titles, on the night blue the
// roll shows them over, with small gold corners instead of a rim that would cut the
// text.
void CreditRow(const ArtCanvas& canvas, const SheetCell& cell, std::size_t index) {
    cairo_t* cr = canvas.cr();
    const int h = cell.bottom - cell.top;
    cairo_rectangle(cr, cell.left, cell.top, cell.right - cell.left, h);
    SetColor(cr, 0x0C1024);
    cairo_fill(cr);
    const double cx = (cell.left + cell.right) / 2.0;
    const double cy = cell.top + h / 2.0;
    if (h == 72) {
        canvas.label("月蛾の冠を遊んでくださった", cx, cy - 12, 18, ArtStyle::kInk,
                     ArtStyle::kInkShadow, 1);
        canvas.label("すべての皆様に感謝をこめて", cx, cy + 12, 18, ArtStyle::kInk,
                     ArtStyle::kInkShadow, 1);
    } else {
        const bool heading = h == 16 || cell.top < 48;
        canvas.label(CreditText(cell.top), cx, cy, h == 16 ? 12 : 18,
                     heading ? ArtStyle::kGoldLight : ArtStyle::kInk, ArtStyle::kInkShadow, 1);
    }
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetColor(cr, ArtStyle::RimColor(index));
    for (const int x : {cell.left + 2, cell.right - 3}) {
        for (const int y : {cell.top + 2, cell.bottom - 3}) {
            const int dx = x < cx ? 1 : -1;
            cairo_rectangle(cr, std::min(x, x + 7 * dx), y, 8, 1);
            cairo_rectangle(cr, x, y - (y > cy ? 2 : 0), 1, 3);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

bool ExtrasUiPainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    if (entry.stem == "SpecialBack") {
        ExtrasRoomPainter::PaintBack(canvas);
    } else if (entry.stem == "SpecialMaterial") {
        ExtrasRoomPainter::PaintMaterial(canvas, entry);
    } else if (entry.stem == "BGMModeBack") {
        PaintMusicBack(canvas);
    } else if (entry.stem == "BGMModeMaterial") {
        PaintMusicMaterial(canvas, entry);
    } else if (entry.stem == "Staffroll_Credit") {
        for (std::size_t i = 0; i < entry.cells.size(); ++i) CreditRow(canvas, entry.cells[i], i);
    } else if (entry.stem == "CGBack") {
        PaintGalleryBack(canvas);
    } else if (entry.stem == "CGMaterial") {
        PaintGalleryMaterial(canvas, entry);
    } else if (entry.stem == "ReplayMaterial") {
        PaintReplayMaterial(canvas, entry);
    } else if (entry.stem == "ClothesSelectMaterial") {
        PaintClothesMaterial(canvas, entry);
    } else {
        return false;
    }
    return true;
}

}  // namespace mkdemo
