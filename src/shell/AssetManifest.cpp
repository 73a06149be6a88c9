#include "shell/AssetManifest.h"

#include <cctype>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace {

// A word is one name, or a run "first..last" whose differing tails count up: digits
// of one width, or a single letter through the alphabet.
constexpr std::string_view kSurfaceWords[] = {
    "black", "white", "Logo", "MsgWndMaterial", "SlcWndMaterial", "DayWndMaterial",
    "ConfigMaterial", "SaveWindowMaterial", "LoadWindowMaterial", "TitleBack3", "TtlMaterial_Surf",
    "TitleMoonMaterial", "ClothesSelectBack", "ClothesSelectMaterial", "ClothesCard_F",
    "ClothesCard_R", "ClothesSelectBody", "SpecialBack", "SpecialMaterial", "DressRoomBack",
    "QuiraFaceWnd", "BGMModeBack", "BGMModeMaterial", "Staffroll_BG1", "Staffroll_BG2",
    "Staffroll_BG3", "Staffroll_Material_Surf", "Staffroll_Credit", "CGBack", "CGMaterial",
    "ReplayMaterial",
    // Thumbnails of the galleries.
    "Tb_cg_Quira_01..Tb_cg_Quira_86", "Tb_rp_Quira_01..Tb_rp_Quira_42",
    "Tb_cg_Dulcane_01..Tb_cg_Dulcane_33", "Tb_rp_Dulcane_01..Tb_rp_Dulcane_16",
    "Tb_cg_Ombrea_01..Tb_cg_Ombrea_17", "Tb_rp_Ombrea_01", "Tb_cg_Ysma_01..Tb_cg_Ysma_13",
    "Tb_rp_Ysma_01..Tb_rp_Ysma_03",
    // Backgrounds.
    "BG00", "BG01", "BG02", "BG03", "BG04", "BG05A", "BG05B", "BG06", "BG07", "BG07A", "BG08",
    "BG09", "BG09A", "BG10", "BG10A", "BG11A", "BG11B", "BG12", "BG13",
    // Character body and face sheets, also registered as textures.
    "Y0100", "Y0200", "Y0300", "Y0400", "Y0500", "Y0700", "Y0800", "Y0900", "Y1000", "Y1100",
    "Y1200", "Y1300", "Y1400", "Y1500", "P0100g", "Q00A..Q00G", "Y0100D", "Y0400D", "Y1400D",
    "Y1500D", "P0100D", "P0200D", "D00A..D00G", "Y0100O", "P0100O", "P0200O", "O00A..O00H",
    "Y0100Y", "P0100Y", "Y00A..Y00E",
    // Endings.
    "ED01", "ED02", "ED02a", "ED03", "ED04", "ED05", "ED06",
    // Event pictures.
    "EV01", "EV02", "EV02a", "EV03", "EV03a", "EV04", "EV04a", "EV04b", "EV04c", "EV05", "EV05a",
    "EV05b", "EV05c", "EV06", "EV06a..EV06k", "EV07", "EV07a..EV07d", "EV08", "EV09", "EV09a",
    "EV09b", "EV10", "EV11", "EV11a", "EV12", "EV13", "EV13a", "EV13b", "EV14", "EV14a", "EV14b",
    "EV15", "EV16", "EV16a", "EV16b", "EV16c", "EV17", "EV17a", "EV18", "EV19", "EV19a", "EV19b",
    "EV20", "EV20a", "EV21", "EV21a", "EV21b", "EV21c", "EV22", "EV22a", "EV22b", "EV22c", "EV23",
    "EV24", "EV24a", "EV24b", "EV24c", "EV25", "EV25a", "EV26", "EV27", "EV28", "EV29", "EV29a",
    "EV30", "EV30a", "EV30b",
    // Scene pictures.
    "HCG0100", "HCG0110", "HCG0120", "HCG0120a", "HCG0200", "HCG0200a", "HCG0210", "HCG0210a",
    "HCG0300", "HCG0300a", "HCG0310", "HCG0310a", "HCG0400", "HCG0400a..HCG0400d", "HCG0410",
    "HCG0410a..HCG0410e", "HCG0420", "HCG0420a", "HCG0430", "HCG0430a", "HCG0600", "HCG0610",
    "HCG0620", "HCG0630", "HCG0700", "HCG0710", "HCG0800", "HCG0800a", "HCG0800b", "HCG0810",
    "HCG0900", "HCG0900a", "HCG0910", "HCG0910a", "HCG1000", "HCG1010", "HCG1020", "HCG1020a",
    "HCG1020b", "HCG1100", "HCG1100a", "HCG1100b", "HCG1110", "HCG1200", "HCG1200a", "HCG1210",
    "HCG1300", "HCG1310", "HCG1310a", "HCG1400", "HCG1410", "HCG1500", "HCG1500a", "HCG1510"};

constexpr std::string_view kTextureWords[] = {"black",
                                              "white",
                                              "red",
                                              "TitleBack1",
                                              "TitleBack2",
                                              "TtlMaterial_Tex",
                                              "Staffroll_Material_Tex"};

constexpr std::string_view kEffectWords[] = {
    "Title_Start", "Load_Select", "Cursor_Move", "GenPurEnter", "ModeSelect",
    "WindowOpen",  "Page",        "SE00..SE06",  "SE09",        "SE10",
    "SE11-A",      "SE11-B",      "SE14..SE21",  "SE24",        "SE27",
    "SE28",        "SE31",        "SE33",        "SE34",        "SE-NUTYA01..SE-NUTYA10"};

// The sheets drawn both ways: surfaces 263 to 315 are textures 7 to 59.
constexpr int kSharedSurfaceFirst = 263;
constexpr int kSharedTextureFirst = 7;
constexpr int kUnnamedLeading = 2;

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
    }
    return !text.empty();
}

// The one place where a compact run becomes its names.
void AppendRun(std::string_view first, std::string_view last, std::vector<std::string>& out) {
    std::size_t common = 0;
    while (common < first.size() && common < last.size() && first[common] == last[common]) {
        ++common;
    }
    const std::string_view prefix = first.substr(0, common);
    const std::string_view from = first.substr(common);
    const std::string_view to = last.substr(common);
    if (from.size() != to.size()) throw std::logic_error("uneven asset run");
    if (AllDigits(from) && AllDigits(to)) {
        const int width = static_cast<int>(from.size());
        for (int n = std::stoi(std::string(from)); n <= std::stoi(std::string(to)); ++n) {
            std::string digits = std::to_string(n);
            digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
            out.push_back(std::string(prefix) + digits);
        }
        return;
    }
    if (from.size() != 1) throw std::logic_error("asset run is neither numbers nor a letter");
    for (char c = from[0]; c <= to[0]; ++c) out.push_back(std::string(prefix) + c);
}

template <std::size_t N>
std::vector<std::string> Expand(const std::string_view (&words)[N], std::string_view extension) {
    std::vector<std::string> names;
    for (const std::string_view word : words) {
        const std::size_t dots = word.find("..");
        if (dots == std::string_view::npos) {
            names.emplace_back(word);
        } else {
            AppendRun(word.substr(0, dots), word.substr(dots + 2), names);
        }
    }
    for (std::string& name : names) name += extension;
    return names;
}

}  // namespace

const AssetManifest& AssetManifest::Instance() {
    static const AssetManifest manifest;
    return manifest;
}

AssetManifest::AssetManifest()
    : surfaces_(kUnnamedLeading),
      textures_(Expand(kTextureWords, ".gpc")),
      effects_(kUnnamedLeading) {
    for (std::string& name : Expand(kSurfaceWords, ".gpc")) surfaces_.push_back(std::move(name));
    for (int slot = kSharedTextureFirst; slot < kTextureCount; ++slot) {
        textures_.push_back(surfaces_.at(slot - kSharedTextureFirst + kSharedSurfaceFirst));
    }
    for (std::string& name : Expand(kEffectWords, ".sou")) effects_.push_back(std::move(name));
    if (static_cast<int>(surfaces_.size()) != kSurfaceCount ||
        static_cast<int>(textures_.size()) != kTextureCount ||
        static_cast<int>(effects_.size()) != kSoundCount) {
        throw std::logic_error("asset manifest does not fill its tables");
    }
}
