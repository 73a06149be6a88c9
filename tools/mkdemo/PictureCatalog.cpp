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
        {"MsgWndMaterial", {1180, 148, K::Sheet}},
        {"SlcWndMaterial", {274, 300, K::Sheet}},
        {"DayWndMaterial", {241, 146, K::Sheet}},
        {"ConfigMaterial", {748, 728, K::Sheet}},
        {"SaveWindowMaterial", {400, 614, K::Sheet}},
        {"LoadWindowMaterial", {400, 614, K::Sheet}},
        {"TitleBack1", {kScreenW, kScreenH, K::Picture}},
        {"TitleBack2", {kScreenW, kScreenH, K::Picture}},
        {"TitleBack3", {kScreenW, kScreenH, K::Picture}},
        {"TtlMaterial_Surf", {320, 600, K::Sheet}},
        {"TtlMaterial_Tex", {320, 600, K::Sheet}},
        {"TitleMoonMaterial", {880, 292, K::Sheet}},
        {"ClothesSelectBack", {kScreenW, kScreenH, K::Picture}},
        {"ClothesSelectMaterial", {839, 164, K::Sheet}},
        {"ClothesCard_F", {1624, 300, K::Sheet}},
        {"ClothesCard_R", {928, 150, K::Sheet}},
        {"ClothesSelectBody", {3900, 348, K::Sheet}},
        {"SpecialBack", {kScreenW, kScreenH, K::Picture}},
        {"DressRoomBack", {kScreenW, kScreenH, K::Picture}},
        {"BGMModeBack", {kScreenW, kScreenH, K::Picture}},
        {"CGBack", {kScreenW, kScreenH, K::Picture}},
        {"Staffroll_BG3", {kScreenW, kScreenH, K::Picture}},
        {"SpecialMaterial", {448, 526, K::Sheet}},
        {"QuiraFaceWnd", {348, 92, K::Sheet}},
        {"BGMModeMaterial", {480, 154, K::SheetKeyBlack}},
        {"Staffroll_BG1", {2400, kScreenH, K::Picture}},
        {"Staffroll_BG2", {3120, 211, K::Hills}},
        {"Staffroll_Material_Surf", {152, 64, K::Picture}},
        {"Staffroll_Material_Tex", {152, 64, K::Picture}},
        {"Staffroll_Credit", {400, 856, K::Sheet}},
        {"CGMaterial", {953, 590, K::Sheet}},
        {"ReplayMaterial", {120, 96, K::Sheet}},
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
        entries.push_back(
            {name, stem, slots[name], shape->width, shape->height, shape->kind, PlainColor(stem)});
    }
    if (!error.empty()) {
        error = "no picture size is known for " + error;
        return std::nullopt;
    }
    return entries;
}

}  // namespace mkdemo
