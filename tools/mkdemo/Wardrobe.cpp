#include "mkdemo/Wardrobe.h"

#include <array>

namespace mkdemo {

namespace {

// Costume numbers skip the sixth body stem: Y0700 is the sixth costume.
constexpr int kMissingStem = 6;

int StemNumber(const std::string& stem) {
    if (stem.size() < 5) return 0;
    const char tens = stem[1];
    const char ones = stem[2];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return 0;
    return (tens - '0') * 10 + (ones - '0');
}

}  // namespace

const Build& Wardrobe::BuildOf(std::string_view heroine) {
    // Dulcane tallest, Ysma smallest with the roundest face; Ombrea slender.
    static const Build quira = {100, 38, 46, 25, 38, 548, HairStyle::SideSwept};
    static const Build dulcane = {88, 37, 49, 25, 40, 554, HairStyle::Ponytail};
    static const Build ombrea = {102, 36, 42, 22, 34, 550, HairStyle::Hime};
    static const Build ysma = {120, 40, 42, 26, 36, 550, HairStyle::TwinTails};
    if (heroine == "DULCANE") return dulcane;
    if (heroine == "OMBREA") return ombrea;
    if (heroine == "YSMA") return ysma;
    return quira;
}

const Costume& Wardrobe::CostumeOf(int number) {
    using S = Sleeve;
    using H = Hem;
    static const std::array<Costume, kCostumes> costumes = {{
        // The practice standard: light blouse, navy skirt to move in.
        {0xE4ECF6, 0xB0C0D8, 0x34508E, 0x22365E, 0xE8D48A, S::Short, H::Knee, 16, 0xF2F2F6,
         0x3A3040, kBelt | kCollar},
        // White layers that catch the stage lights.
        {0xFBFAF4, 0xD8D4E6, 0xF6F4FA, 0xCFCBE0, 0xE6D08C, S::Puff, H::Calf, 34, 0xFBF6F0, 0xE6D08C,
         kTiers},
        // The eastern weave, tied with the sash.
        {0x3C4EA2, 0x26306A, 0x3C4EA2, 0x26306A, 0xE8B848, S::Wide, H::Floor, 8, 0xF4F0EA, 0xB03838,
         kObi | kCollar},
        // The waiting role: dark dress, white apron.
        {0x2C2C3E, 0x18182A, 0x2C2C3E, 0x18182A, 0xFAFAF6, S::Puff, H::Knee, 22, 0x2A2430, 0x201818,
         kApron | kCollar},
        // The traveller's long cape over tunic and boots.
        {0x5E7A4A, 0x3E5430, 0x4A3A2E, 0x30261E, 0x8C6A44, S::Long, H::Fitted, 0, 0x4A3A2E,
         0x5A3E26, kCape | kBelt},
        // An old time's faded gown.
        {0xC2A48E, 0x967A66, 0xB49686, 0x8A7062, 0xE8DCC0, S::Long, H::Floor, 30, 0xE8DCC0,
         0x6A5244, kCollar | kBelt},
        // The acrobat's stretching stripes.
        {0xD44A4A, 0x9A2C36, 0x3E2A40, 0x281A2C, 0xF6E2A0, S::None, H::Fitted, 0, 0x3E2A40,
         0xF6E2A0, kStripes | kBelt},
        // The recruit's uniform, buttons sewn one by one.
        {0x4C6048, 0x32402E, 0x3A4A36, 0x26301E, 0xD8B050, S::Long, H::Fitted, 0, 0x3A4A36,
         0x2A2018, kButtons | kBelt | kCollar},
        // The lady's gown: mind the train.
        {0xC45A8E, 0x8E3664, 0xC45A8E, 0x8E3664, 0xF0D080, S::Puff, H::Floor, 62, 0xF4E6E0,
         0xF0D080, kTiers | kBrooch},
        // The nurse's clean white, a bandage roll in hand.
        {0xF6F8FA, 0xC6D6E4, 0xF6F8FA, 0xC6D6E4, 0x8CB4D8, S::Short, H::Knee, 14, 0xF6F8FA,
         0xE8ECF0, kApron | kBandage},
        // The last scene's long white hem.
        {0xFCFCFA, 0xD6DAE8, 0xFCFCFA, 0xD6DAE8, 0xA8C4EC, S::None, H::Floor, 44, 0xF4F0EA,
         0xE8ECF6, kBrooch},
        // The shadow's short black jacket.
        {0x2A2A34, 0x141420, 0x26262E, 0x121218, 0xA8A8C8, S::Long, H::Short, 14, 0x1C1C28,
         0x101018, kJacket | kBelt},
        // The convent's quiet greys.
        {0x4E5062, 0x343648, 0x4E5062, 0x343648, 0xF4F2EA, S::Long, H::Floor, 18, 0x343648,
         0x2A2A34, kVeil | kCollar},
        // The moon queen's long black hem.
        {0x221A30, 0x120C1C, 0x221A30, 0x120C1C, 0xE8C868, S::Wide, H::Floor, 56, 0x221A30,
         0xE8C868, kBrooch | kTiers},
    }};
    const int index = number < 1 || number > kCostumes ? 0 : number - 1;
    return costumes[static_cast<std::size_t>(index)];
}

Costume Wardrobe::OwnDress(std::string_view heroine) {
    const ArtStyle::Look& look = ArtStyle::HeroineLook(heroine);
    Costume dress = {look.dress,  look.dressShade, look.dress,     look.dressShade,
                     look.accent, Sleeve::Puff,    Hem::Calf,      26,
                     0xF8F4F0,    look.dressShade, kCollar | kBelt};
    if (heroine == "DULCANE") {
        dress.sleeve = Sleeve::Long;
        dress.hem = Hem::Floor;
        dress.extras = kBrooch | kBelt;
    } else if (heroine == "OMBREA") {
        dress.sleeve = Sleeve::Long;
        dress.hem = Hem::Floor;
        dress.flare = 14;
        dress.extras = kJacket | kCollar;
    } else if (heroine == "YSMA") {
        dress.sleeve = Sleeve::Short;
        dress.hem = Hem::Knee;
        dress.flare = 30;
        dress.extras = kTiers | kBelt;
    } else {
        dress.extras = kApron | kCollar;
    }
    return dress;
}

std::optional<Outfit> Wardrobe::OutfitOf(std::string_view heroine, const std::string& stem) {
    const int number = StemNumber(stem);
    if (number == 0) return std::nullopt;
    if (stem[0] == 'P') {
        return Outfit{OwnDress(heroine), number == 1 ? Pose::HandsFront : Pose::HandToChest};
    }
    if (stem[0] != 'Y') return std::nullopt;
    // Only Quira owns the first costume's body; the others' first body is their own dress.
    if (number == 1 && heroine != "QUIRA") return Outfit{OwnDress(heroine), Pose::Rest};
    return Outfit{CostumeOf(number < kMissingStem ? number : number - 1), Pose::Rest};
}

Mood Wardrobe::MoodOf(const std::string& stem) {
    static const Mood moods[] = {Mood::Calm,  Mood::Smile, Mood::Surprise, Mood::Worry,
                                 Mood::Anger, Mood::Blush, Mood::Sad,      Mood::Wry};
    const int letter = stem.empty() ? 0 : stem.back() - 'A';
    return letter >= 0 && letter < 8 ? moods[letter] : Mood::Calm;
}

}  // namespace mkdemo
