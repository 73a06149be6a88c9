#include "mkdemo/PictureCatalog.h"

#include <map>
#include <string_view>

#include "mkdemo/CharacterSheets.h"
#include "mkdemo/FileStem.h"
#include "shell/AssetManifest.h"

namespace mkdemo {

namespace {

struct Shape {
    int width;
    int height;
    PictureKind kind;
};

constexpr int kScreenW = 800;
constexpr int kScreenH = 600;

const std::map<std::string_view, Shape>& NamedShapes() {
    using K = PictureKind;
    static const std::map<std::string_view, Shape> shapes = {
        {"black", {kScreenW, kScreenH, K::Plain}},
        {"white", {kScreenW, kScreenH, K::Plain}},
        {"red", {kScreenW, kScreenH, K::Plain}},
        {"Logo", {400, 240, K::Plate}},
        {"MsgWndMaterial", {1180, 148, K::CellSheet}},
        {"SlcWndMaterial", {274, 300, K::CellSheet}},
        {"DayWndMaterial", {241, 146, K::CellSheet}},
        {"ConfigMaterial", {748, 728, K::CellSheet}},
        {"SaveWindowMaterial", {400, 614, K::CellSheet}},
        {"LoadWindowMaterial", {400, 614, K::CellSheet}},
        {"TitleBack1", {kScreenW, kScreenH, K::Picture}},
        {"TitleBack2", {kScreenW, kScreenH, K::Picture}},
        {"TitleBack3", {kScreenW, kScreenH, K::Picture}},
        {"TtlMaterial_Surf", {320, 600, K::CellSheet}},
        {"TtlMaterial_Tex", {320, 600, K::CellSheet}},
        {"TitleMoonMaterial", {880, 292, K::CellSheet}},
        {"ClothesSelectBack", {kScreenW, kScreenH, K::Picture}},
        {"ClothesSelectMaterial", {839, 164, K::CellSheet}},
        {"ClothesCard_F", {1624, 300, K::CellSheet}},
        {"ClothesCard_R", {928, 150, K::CellSheet}},
        {"ClothesSelectBody", {3900, 348, K::CellSheet}},
        {"SpecialBack", {kScreenW, kScreenH, K::Picture}},
        {"DressRoomBack", {kScreenW, kScreenH, K::Picture}},
        {"BGMModeBack", {kScreenW, kScreenH, K::Picture}},
        {"CGBack", {kScreenW, kScreenH, K::Picture}},
        {"Staffroll_BG3", {kScreenW, kScreenH, K::Picture}},
        {"SpecialMaterial", {448, 526, K::CellSheet}},
        {"QuiraFaceWnd", {348, 92, K::CellSheet}},
        {"BGMModeMaterial", {480, 154, K::CellSheetKeyBlack}},
        {"Staffroll_BG1", {2400, kScreenH, K::Picture}},
        {"Staffroll_BG2", {3120, 211, K::Hills}},
        {"Staffroll_Material_Surf", {152, 64, K::Picture}},
        {"Staffroll_Material_Tex", {152, 64, K::Picture}},
        {"Staffroll_Credit", {400, 856, K::CellSheet}},
        {"CGMaterial", {953, 590, K::CellSheet}},
        {"ReplayMaterial", {120, 96, K::CellSheet}},
    };
    return shapes;
}

// Families named by their prefix: gallery thumbnails and full-screen pictures.
std::optional<Shape> FamilyShape(std::string_view stem) {
    using K = PictureKind;
    if (stem.starts_with("Tb_cg_")) return Shape{156, 118, K::Picture};
    if (stem.starts_with("Tb_rp_")) return Shape{320, 118, K::Picture};
    for (std::string_view prefix : {"BG", "ED", "EV", "HCG"}) {
        if (stem.starts_with(prefix)) return Shape{kScreenW, kScreenH, K::Picture};
    }
    if (const auto owner = CharacterSheets::Owner(std::string(stem))) {
        if (owner->face) {
            return Shape{CharacterSheets::kFaceCell * CharacterSheets::kEyeFrames,
                         CharacterSheets::kFaceCell, K::Face};
        }
        return Shape{CharacterSheets::kBodyWidth, CharacterSheets::kBodyHeight, K::Body};
    }
    return std::nullopt;
}

std::optional<Shape> ShapeOf(std::string_view stem) {
    const auto& named = NamedShapes();
    if (const auto it = named.find(stem); it != named.end()) return it->second;
    return FamilyShape(stem);
}

// The message window: panel, name plate, six buttons in four looks, six wait-mark frames.
// The bar draws a hovered button from a 64 x 26 area that starts 17 pixels left of the
// button: its look fills only the button's own place in it, the rest keyed, so that it
// covers no neighbour.
std::vector<SheetCell> MessageCells() {
    std::vector<SheetCell> cells = {{"panel", 0, 0, 796, 148}, {"name plate", 796, 0, 1056, 50}};
    const char* buttons[] = {"skip", "auto", "voice", "back", "forward", "hide"};
    for (int k = 0; k < 6; ++k) {
        const std::string name = buttons[k];
        const int left = 796 + 32 * k;
        cells.push_back({name, left, 50, left + 32, 74});
        cells.push_back({name + " on", left, 74, left + 32, 98});
        cells.push_back({name + " off", left, 98, left + 32, 122});
        cells.push_back({name + " hover", 813 + 64 * k, 122, 845 + 64 * k, 146});
    }
    for (int f = 0; f < 6; ++f) {
        cells.push_back({"wait " + std::to_string(f), 988 + 30 * f, 50, 1018 + 30 * f, 96});
    }
    return cells;
}

// The choice plate and its five glow frames.
std::vector<SheetCell> ChoiceCells() {
    std::vector<SheetCell> cells = {{"plate", 0, 0, 274, 50}};
    for (int f = 0; f < 5; ++f) {
        cells.push_back({"glow " + std::to_string(f), 0, 50 + 50 * f, 274, 100 + 50 * f});
    }
    return cells;
}

// The day panel, ten digits, the label and the picture of day zero.
std::vector<SheetCell> DayCells() {
    std::vector<SheetCell> cells = {{"panel", 0, 0, 136, 107}};
    for (int d = 1; d <= 9; ++d) {
        const int left = 136 + 21 * ((d - 1) % 5);
        const int top = 45 * ((d - 1) / 5);
        cells.push_back({std::to_string(d), left, top, left + 21, top + 45});
    }
    cells.push_back({"0", 220, 45, 241, 90});
    cells.push_back({"label", 136, 90, 183, 108});
    cells.push_back({"day zero", 0, 107, 79, 146});
    return cells;
}

// The save and load panels and the close button's three looks below them.
std::vector<SheetCell> SaveLoadCells() {
    return {{"panel", 0, 0, 400, 590},
            {"close-n", 0, 590, 27, 614},
            {"close-h", 27, 590, 54, 614},
            {"close-p", 54, 590, 81, 614}};
}

// The settings panel; under it each option's hover and selected looks one above the
// other, the three bands of each sound row's ten levels, the unavailable high colour,
// the confirmation box, and OK and the return to the title in three looks.
std::vector<SheetCell> ConfigCells() {
    std::vector<SheetCell> cells = {{"panel", 0, 0, 672, 416}};
    const struct {
        const char* name;
        int left, top, width;
    } options[] = {
        {"slow", 0, 416, 80},         {"normal", 80, 416, 80},    {"fast", 160, 416, 80},
        {"auto-on", 240, 416, 48},    {"auto-off", 288, 416, 48}, {"skip-on", 336, 416, 48},
        {"skip-off", 384, 416, 48},   {"music-on", 0, 464, 48},   {"music-off", 48, 464, 48},
        {"voice-on", 0, 536, 48},     {"voice-off", 48, 536, 48}, {"effects-on", 0, 608, 48},
        {"effects-off", 48, 608, 48}, {"full", 0, 680, 80},       {"window", 80, 680, 80},
        {"16bit", 160, 680, 150},     {"high", 310, 680, 150},
    };
    for (const auto& o : options) {
        const std::string name = o.name;
        cells.push_back({name + "-h", o.left, o.top, o.left + o.width, o.top + 24});
        cells.push_back({name + "-s", o.left, o.top + 24, o.left + o.width, o.top + 48});
    }
    const struct {
        const char* row;
        int top;
    } rows[] = {{"music", 464}, {"voice", 536}, {"effects", 608}};
    for (const auto& r : rows) {
        const std::string row = r.row;
        const char* bands[] = {"-level-h", "-level-s", "-level-off"};
        for (int b = 0; b < 3; ++b) {
            cells.push_back({row + bands[b], 96, r.top + 24 * b, 396, r.top + 24 * (b + 1)});
        }
    }
    cells.push_back({"unavailable", 432, 416, 582, 440});
    cells.push_back({"box", 396, 464, 748, 644});
    const struct {
        const char* name;
        int left, width;
    } buttons[] = {{"ok", 460, 27}, {"title", 487, 72}};
    for (const auto& b : buttons) {
        const std::string name = b.name;
        cells.push_back({name + "-n", b.left, 644, b.left + b.width, 668});
        cells.push_back({name + "-p", b.left, 668, b.left + b.width, 692});
        // The return to the title's hover look is two rows taller.
        cells.push_back({name + "-h", b.left, 692, b.left + b.width, name == "ok" ? 716 : 718});
    }
    return cells;
}

// A grid of equal cells, row after row, each named by name(column, row).
template <typename Name>
std::vector<SheetCell> GridCells(int columns, int rows, int width, int height, Name name) {
    std::vector<SheetCell> cells;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            cells.push_back({name(column, row), width * column, height * row, width * (column + 1),
                             height * (row + 1)});
        }
    }
    return cells;
}

// The title's menu: the five items one below the other, once normal, once pointed
// at and once pressed.
std::vector<SheetCell> TitleItemCells() {
    return GridCells(1, 15, 320, 40, [](int, int row) {
        static const char* const items[] = {"はじめから", "つづきから", "設定", "おまけ", "終了"};
        static const char* const states[] = {"", "・選択", "・決定"};
        return std::string(items[row % 5]) + states[row / 5];
    });
}

// The title's moon: forty frames, ten to a row.
std::vector<SheetCell> MoonCells() {
    return GridCells(10, 4, 88, 73,
                     [](int column, int row) { return "月" + std::to_string(10 * row + column); });
}

// The cursor's five frames around a card, the place numbers 1 to 8, and the dress
// room's exit and page arrows, each resting, pointed at and held down.
std::vector<SheetCell> ClothesSelectCells() {
    std::vector<SheetCell> cells;
    for (int f = 0; f < 5; ++f) {
        cells.push_back({"枠" + std::to_string(f), 131 * f, 0, 131 * (f + 1), 164, true});
    }
    for (int p = 1; p <= 8; ++p) {
        const int left = 655 + 16 * (p - 1);
        cells.push_back({std::to_string(p), left, 146, left + 16, 162});
    }
    const struct {
        const char* name;
        int left;
        int right;
    } buttons[] = {{"戻る", 665, 775}, {"前", 775, 807}, {"次", 807, 839}};
    for (const auto& button : buttons) {
        for (int state = 0; state < 3; ++state) {
            cells.push_back({button.name + std::to_string(state), button.left, 32 * state,
                             button.right, 32 * (state + 1)});
        }
    }
    return cells;
}

// The heroine's three faces beside a dress room comment, named by the expression the
// dress room takes from each.
std::vector<SheetCell> QuiraFaceCells() {
    return {{"表情0", 0, 0, 116, 92}, {"表情2", 116, 0, 232, 92}, {"表情1", 232, 0, 348, 92}};
}

// Each costume's card face above its completed look.
std::vector<SheetCell> CardFaceCells() {
    return GridCells(14, 2, 116, 150, [](int column, int row) {
        return "衣装" + std::to_string(column + 1) + (row == 0 ? "" : " 完成");
    });
}

std::vector<SheetCell> CardBackCells() {
    return GridCells(8, 1, 116, 150,
                     [](int column, int) { return "裏" + std::to_string(column + 1); });
}

// Each costume's whole figure, and the picture shown while nothing is chosen.
std::vector<SheetCell> ClothesBodyCells() {
    return GridCells(15, 1, 260, 348, [](int column, int) {
        return column < 14 ? "衣装" + std::to_string(column + 1) + " 全身"
                           : std::string("選択なし");
    });
}

// The extras menu's hover pictures, then its glow strip and the two looks of a chosen
// button's blink, which frame the label.
std::vector<SheetCell> SpecialCells() {
    return {{"ＢＧＭ・選択", 0, 0, 160, 136},   {"タイトル・決定", 160, 0, 448, 208},
            {"ドレス・選択", 0, 136, 80, 264},  {"ＣＧ・選択", 160, 208, 408, 376},
            {"光", 160, 376, 434, 426, true},   {"点滅0", 160, 426, 434, 476, true},
            {"点滅1", 160, 476, 434, 526, true}};
}

// The music room's buttons, each a column of its looks (normal, hover, pressed; Play
// also inactive) under the selection bar and the now-playing mark.
std::vector<SheetCell> MusicRoomCells() {
    std::vector<SheetCell> cells = {{"bar", 1, 0, 369, 26}, {"mark", 369, 0, 402, 26}};
    const struct {
        const char* name;
        int left, right, looks;
    } buttons[] = {{"play-", 0, 120, 4},
                   {"stop-", 281, 319, 3},
                   {"prev-", 240, 281, 3},
                   {"next-", 319, 360, 3},
                   {"exit-", 360, 480, 3}};
    const char* const looks[] = {"n", "h", "p", "i"};
    for (const auto& b : buttons) {
        for (int look = 0; look < b.looks; ++look) {
            cells.push_back({std::string(b.name) + looks[look], b.left, 26 + 32 * look, b.right,
                             58 + 32 * look});
        }
    }
    return cells;
}

// The gallery's plates, the cursors' and tabs' five frames each, and its buttons as
// columns of looks (normal, hover, pressed; the kinds also selected).
std::vector<SheetCell> GalleryCells() {
    std::vector<SheetCell> cells = {
        {"plate-cg", 1, 0, 157, 118}, {"plate-rp", 157, 0, 477, 118}, {"tab", 1, 118, 175, 168}};
    for (int f = 0; f < 5; ++f) {
        const std::string n = std::to_string(f);
        cells.push_back({"cursor-cg" + n, 477, 118 * f, 633, 118 * f + 118, true});
        cells.push_back({"cursor-rp" + n, 633, 118 * f, 953, 118 * f + 118, true});
        cells.push_back({"tab-cur" + n, 1, 168 + 50 * f, 175, 218 + 50 * f});
        cells.push_back({"tab-hover" + n, 175, 168 + 50 * f, 349, 218 + 50 * f});
    }
    const struct {
        const char* name;
        int left, right, looks;
    } buttons[] = {{"prev-", 361, 393, 3},
                   {"next-", 393, 425, 3},
                   {"cg-", 1, 121, 4},
                   {"rp-", 121, 241, 4},
                   {"back-", 241, 361, 3}};
    const char* const looks[] = {"n", "h", "p", "s"};
    for (const auto& b : buttons) {
        for (int look = 0; look < b.looks; ++look) {
            cells.push_back({std::string(b.name) + looks[look], b.left, 418 + 32 * look, b.right,
                             450 + 32 * look});
        }
    }
    return cells;
}

// A recollection scene's return button: normal, hovered and pressed, one above the
// other.
std::vector<SheetCell> ReplayCells() {
    return GridCells(1, 3, 120, 32, [](int, int row) {
        static const char* const looks[] = {"replay-n", "replay-h", "replay-p"};
        return std::string(looks[row]);
    });
}

// The staff roll's credits: full-width rows named by their kind and top, so that a
// shot tells which row a strip was cut from.
std::vector<SheetCell> CreditCells() {
    std::vector<SheetCell> cells;
    const auto row = [&](const char* kind, int top, int height) {
        cells.push_back({std::string(kind) + " " + std::to_string(top), 0, top, 400, top + height});
    };
    row("題", 0, 24);
    row("題", 24, 24);
    for (int top = 48; top < 288; top += 16) row("見出し", top, 16);
    row("ブロック", 288, 72);
    for (int top = 360; top < 840; top += 24) row("名前", top, 24);
    row("見出し", 840, 16);
    return cells;
}

std::vector<SheetCell> CellsOf(std::string_view stem) {
    if (stem == "TtlMaterial_Surf" || stem == "TtlMaterial_Tex") return TitleItemCells();
    if (stem == "TitleMoonMaterial") return MoonCells();
    if (stem == "ClothesSelectMaterial") return ClothesSelectCells();
    if (stem == "ClothesCard_F") return CardFaceCells();
    if (stem == "ClothesCard_R") return CardBackCells();
    if (stem == "ClothesSelectBody") return ClothesBodyCells();
    if (stem == "MsgWndMaterial") return MessageCells();
    if (stem == "SlcWndMaterial") return ChoiceCells();
    if (stem == "DayWndMaterial") return DayCells();
    if (stem == "ConfigMaterial") return ConfigCells();
    if (stem == "SaveWindowMaterial" || stem == "LoadWindowMaterial") return SaveLoadCells();
    if (stem == "SpecialMaterial") return SpecialCells();
    if (stem == "QuiraFaceWnd") return QuiraFaceCells();
    if (stem == "BGMModeMaterial") return MusicRoomCells();
    if (stem == "CGMaterial") return GalleryCells();
    if (stem == "Staffroll_Credit") return CreditCells();
    if (stem == "ReplayMaterial") return ReplayCells();
    return {};
}

// Where the extras menu's objects lie. The dress room, hidden until an ending has been
// reached, goes unlabelled so that it invites no click.
std::vector<SheetCell> RegionsOf(std::string_view stem) {
    if (stem != "SpecialBack") return {};
    return {{"ＣＧ／回想", 335, 423, 472, 600},
            {"ＢＧＭ", 581, 343, 681, 452},
            {"タイトル", 261, 26, 539, 245},
            {"", 100, 360, 200, 485}};
}

// The staff roll's panning backgrounds, so that a shot shows how far they moved.
bool HasRuler(std::string_view stem) { return stem == "Staffroll_BG1" || stem == "Staffroll_BG2"; }

std::uint32_t PlainColor(std::string_view stem) {
    if (stem == "white") return 0xFFFFFF;
    if (stem == "red") return 0xFF0000;
    return 0x000000;
}

void AddSlot(std::map<std::string, std::string>& slots, std::vector<std::string>& order,
             const std::string& name, const std::string& slot) {
    if (name.empty()) return;
    auto [it, fresh] = slots.emplace(name, slot);
    if (fresh) {
        order.push_back(name);
    } else {
        it->second += ", " + slot;
    }
}

}  // namespace

std::optional<std::vector<PictureEntry>> PictureCatalog::Build(const AssetManifest& manifest,
                                                               std::string& error) {
    std::map<std::string, std::string> slots;
    std::vector<std::string> order;
    const auto& surfaces = manifest.SurfaceNames();
    for (std::size_t slot = 0; slot < surfaces.size(); ++slot) {
        AddSlot(slots, order, surfaces[slot], "surface " + std::to_string(slot));
    }
    const auto& textures = manifest.TextureNames();
    for (std::size_t slot = 0; slot < textures.size(); ++slot) {
        AddSlot(slots, order, textures[slot], "texture " + std::to_string(slot));
    }
    std::vector<PictureEntry> entries;
    for (const std::string& name : order) {
        const std::string stem = FileStem(name);
        const std::optional<Shape> shape = ShapeOf(stem);
        if (!shape) {
            error += (error.empty() ? "" : ", ") + name;
            continue;
        }
        entries.push_back({name, stem, slots[name], shape->width, shape->height, shape->kind,
                           PlainColor(stem), CellsOf(stem), RegionsOf(stem), HasRuler(stem)});
    }
    if (!error.empty()) {
        error = "no picture size is known for " + error;
        return std::nullopt;
    }
    return entries;
}

}  // namespace mkdemo
