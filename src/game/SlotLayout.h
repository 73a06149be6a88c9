#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The section names and marker lines of a slot file, shared by its writer and its
// reader.
namespace SlotLayout {

inline constexpr std::string_view kClip = "CLIPPING_DATA";
inline constexpr std::string_view kVar = "VARIABLE_DATA";
inline constexpr std::string_view kChar = "CHARACTER_DATA";
inline constexpr std::string_view kSurf = "SURF_LOAD_DATA";
inline constexpr std::string_view kTex = "TEX_LOAD_DATA";
inline constexpr std::string_view kWave = "WAVE_LOAD_DATA";
inline constexpr std::string_view kStart = "_START";
inline constexpr std::string_view kEnd = "_END";

// "---", the section name, the suffix and "---".
inline std::string Marker(std::string_view name, std::string_view suffix) {
    std::string marker = "---";
    marker += name;
    marker += suffix;
    marker += "---";
    return marker;
}

// The names of a character's sections, of a face's eye frames and of a picture
// layer's two tables.
inline std::string CharName(std::string_view id) { return std::string(id) + "_DATA"; }
inline std::string FaceName(std::string_view id) { return std::string(id) + "_FACE_DATA"; }
inline std::string EyeName(std::string_view id, std::int32_t nFace) {
    return std::string(id) + "_FACE" + std::to_string(nFace) + "_EYE_DATA";
}
inline std::string CtrlTimeName(std::string_view layer) {
    return std::string(layer) + "_ANIM_DATA_CTRL_TIME";
}
inline std::string RectName(std::string_view layer) {
    return std::string(layer) + "_ANIM_DATA_RECT";
}

}  // namespace SlotLayout
