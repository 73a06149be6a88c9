#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mkdemo {

// One heroine: the ID the scripts name her by, the name her lines are spoken under,
// the pitch of her voice and her body and face sheets in slot order.
struct Heroine {
    std::string id;
    std::u8string speaker;
    double voiceHertz = 0;
    std::vector<std::string> bodies;  // sheet stems
    std::vector<std::string> faces;
};

// Where a sheet stem belongs: its heroine and whether it is a body or a face.
struct SheetOwner {
    const Heroine* heroine = nullptr;
    bool face = false;
};

// The character sheets, one table for the pictures and for their Init.spt lines.
class CharacterSheets {
public:
    static constexpr int kBodyWidth = 360;
    static constexpr int kBodyHeight = 560;
    static constexpr int kFaceCell = 160;
    static constexpr int kEyeFrames = 3;

    static const std::vector<Heroine>& Heroines();
    static std::optional<SheetOwner> Owner(const std::string& stem);
    // The heroine of an ID, its letter case ignored as the engine ignores it.
    static const Heroine* Find(const std::string& id);
    // The CHAR registrations and the body, face and eye lines of every heroine.
    static std::vector<std::string> InitLines();
};

}  // namespace mkdemo
