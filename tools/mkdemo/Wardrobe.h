#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mkdemo/ArtStyle.h"

namespace mkdemo {

enum class HairStyle { SideSwept, Ponytail, Hime, TwinTails };
enum class Sleeve { None, Short, Puff, Long, Wide };
enum class Hem { Fitted, Short, Knee, Calf, Floor };
enum class Pose { Rest, HandsFront, HandToChest, HandOnHip };
enum class Mood { Calm, Smile, Surprise, Worry, Anger, Blush, Sad, Wry };

// A heroine's figure: where her head sits in the body sheet, her proportions and her
// hair. Heads differ in height inside the face cell, so the heroines stand taller or
// smaller though every face is placed at the same point.
struct Build {
    double headY;     // centre of the face's round
    double headR;     // the face's half width
    double shoulder;  // half widths
    double waist;
    double hip;
    double feetY;  // soles
    HairStyle hair;
};

// The extras a costume wears over its cut.
enum CostumeExtra : unsigned {
    kApron = 1u << 0,
    kCape = 1u << 1,
    kObi = 1u << 2,
    kButtons = 1u << 3,
    kJacket = 1u << 4,
    kVeil = 1u << 5,
    kCollar = 1u << 6,
    kTiers = 1u << 7,
    kStripes = 1u << 8,
    kBandage = 1u << 9,
    kBrooch = 1u << 10,
    kBelt = 1u << 11,
};

// A costume's colours and cut.
struct Costume {
    std::uint32_t top;
    std::uint32_t topShade;
    std::uint32_t skirt;
    std::uint32_t skirtShade;
    std::uint32_t trim;
    Sleeve sleeve;
    Hem hem;
    double flare;  // the hem's half width beyond the hip, in pixels
    std::uint32_t legs;
    std::uint32_t shoes;
    unsigned extras;
};

// What a body sheet shows: the costume (or the heroine's own dress) and the pose.
struct Outfit {
    Costume costume;
    Pose pose;
};

// The heroines' builds and clothes, and the costumes the story registers.
class Wardrobe {
public:
    static constexpr int kCostumes = 14;

    static const Build& BuildOf(std::string_view heroine);
    // Costume 1 to kCostumes, in the order the story registers them.
    static const Costume& CostumeOf(int number);
    // The dress a heroine wears when no costume is chosen.
    static Costume OwnDress(std::string_view heroine);
    // The outfit of a body sheet stem of the heroine, nothing for an unknown stem.
    static std::optional<Outfit> OutfitOf(std::string_view heroine, const std::string& stem);
    // The expression of a face sheet stem: its last letter, A on.
    static Mood MoodOf(const std::string& stem);
};

}  // namespace mkdemo
