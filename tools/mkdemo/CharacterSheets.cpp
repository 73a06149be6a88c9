#include "mkdemo/CharacterSheets.h"

#include "platform/text/SjisText.h"

namespace mkdemo {

namespace {

std::vector<std::string> Range(const std::string& prefix, char first, char last) {
    std::vector<std::string> stems;
    for (char c = first; c <= last; ++c) stems.push_back(prefix + c);
    return stems;
}

std::vector<Heroine> MakeHeroines() {
    return {
        {"QUIRA",
         u8"クィラ",
         240,
         {"Y0100", "Y0200", "Y0300", "Y0400", "Y0500", "Y0700", "Y0800", "Y0900", "Y1000", "Y1100",
          "Y1200", "Y1300", "Y1400", "Y1500", "P0100g"},
         Range("Q00", 'A', 'G')},
        {"DULCANE",
         u8"ドゥルカーネ",
         200,
         {"Y0100D", "Y0400D", "Y1400D", "Y1500D", "P0100D", "P0200D"},
         Range("D00", 'A', 'G')},
        {"OMBREA", u8"オンブレア", 280, {"Y0100O", "P0100O", "P0200O"}, Range("O00", 'A', 'H')},
        {"YSMA", u8"イスマ", 320, {"Y0100Y", "P0100Y"}, Range("Y00", 'A', 'E')},
    };
}

}  // namespace

const std::vector<Heroine>& CharacterSheets::Heroines() {
    static const std::vector<Heroine> heroines = MakeHeroines();
    return heroines;
}

std::optional<SheetOwner> CharacterSheets::Owner(const std::string& stem) {
    for (const Heroine& heroine : Heroines()) {
        for (const std::string& body : heroine.bodies) {
            if (body == stem) return SheetOwner{&heroine, false};
        }
        for (const std::string& face : heroine.faces) {
            if (face == stem) return SheetOwner{&heroine, true};
        }
    }
    return std::nullopt;
}

const Heroine* CharacterSheets::Find(const std::string& id) {
    for (const Heroine& heroine : Heroines()) {
        if (platform::SjisEqualsIgnoreCase(heroine.id, id)) return &heroine;
    }
    return nullptr;
}

std::vector<std::string> CharacterSheets::InitLines() {
    std::vector<std::string> lines;
    for (const Heroine& h : Heroines()) {
        lines.push_back("#REG_DATA " + h.id + " CHAR " + std::to_string(h.bodies.size()) + " " +
                        std::to_string(h.faces.size()));
    }
    for (const Heroine& h : Heroines()) {
        for (std::size_t n = 0; n < h.bodies.size(); ++n) {
            const std::string& stem = h.bodies[n];
            // The face anchor sits in the head: (100, 30) of a sheet hung 180 left of x.
            lines.push_back("#CHARA_SET_BODY " + h.id + " " + std::to_string(n + 1) + " " + stem +
                            " " + stem + " -180 40 100 30");
        }
        for (std::size_t n = 0; n < h.faces.size(); ++n) {
            const std::string& stem = h.faces[n];
            const std::string face = h.id + " " + std::to_string(n + 1);
            lines.push_back("#CHARA_SET_FACE " + face + " " + stem + " " + stem +
                            " 0 0 3 0 REPETITION");
            // Open eyes for three seconds, then a quick blink through the other two.
            lines.push_back("#CHARA_SET_EYE " + face + " 1 0 160 160 3000");
            lines.push_back("#CHARA_SET_EYE " + face + " 2 160 160 160 80");
            lines.push_back("#CHARA_SET_EYE " + face + " 3 320 160 160 80");
        }
    }
    return lines;
}

}  // namespace mkdemo
