#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mkdemo {

// What one event picture shows, chosen from its name alone so that every run and
// every thread paints the same: a place, one heroine in a pose and outfit, what she
// holds, the light over her and, for the scene pictures, the tender moment shared
// with the viewer. Pictures of one number share the place and the pose; their
// letter changes a detail, as the steps of one moment do.
struct EventScene {
    enum class Place { Workshop, Stage, Lanterns, MoonHill, Rain, Dawn };
    enum class Outfit { Everyday, Stage, Kimono, White };
    enum class Prop { None, Spool, Lantern, Flower, Ribbon, Letter };
    enum class Moment { Alone, HandInHand, Umbrella, Dance };

    std::string heroine;  // the ID the scripts name her by
    Place place = Place::Workshop;
    Outfit outfit = Outfit::Everyday;
    Prop prop = Prop::None;
    Moment moment = Moment::Alone;
    // The story's costume (1 to 14) she wears, whose colours her outfit takes: the
    // pictures the story shows after a costume is chosen. 0 for the outfit's own.
    int costume = 0;
    double figureX = 400;  // the centre of her head, in a 800x600 picture
    double headY = 230;
    double scale = 1;  // 1: a half figure; larger comes closer
    double tilt = 0;   // head tilt in radians
    double turn = 0;   // -1 to 1: her face turned aside, to the left or right
    bool eyesClosed = false;
    int smile = 0;           // 0 a quiet smile, 1 a laugh
    bool curtainUp = false;  // the stage's curtain rising over an audience
    std::uint32_t seed = 1;  // for the scattered details: stars, sparkles, rain

    // How far below her head a kimono's sash ends, at scale 1.
    static constexpr double kSashFoot = 318;

    // The scene of an event picture (EV, HCG or ED and a number, perhaps a letter),
    // nothing for any other name.
    static std::optional<EventScene> Of(std::string_view stem);
    // The event picture a gallery thumbnail (Tb_cg_ or Tb_rp_ with a heroine's name
    // and an item number) is cut from, nothing for any other name.
    static std::optional<std::string> ThumbnailSource(std::string_view stem);
};

}  // namespace mkdemo
