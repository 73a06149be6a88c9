#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mkdemo {

// The colours every painter shares, so that the demo reads as one game: a night-blue
// interface framed in moon gold with ivory text, and each heroine's own palette.
struct ArtStyle {
    // The interface.
    static constexpr std::uint32_t kPanel = 0x1C2342;       // window fill, deep night blue
    static constexpr std::uint32_t kPanelLight = 0x2E3A66;  // its lit top
    static constexpr std::uint32_t kGold = 0xD8B46A;        // frames and rules
    static constexpr std::uint32_t kGoldLight = 0xF4DFA6;   // highlights, hover
    static constexpr std::uint32_t kInk = 0xF6EEDC;         // text
    static constexpr std::uint32_t kInkShadow = 0x141022;   // text outline
    static constexpr std::uint32_t kMoon = 0xBFD6F2;        // accents, the moon
    static constexpr std::uint32_t kPressed = 0x8C6A3A;     // a pressed button's fill
    static constexpr std::uint32_t kDisabled = 0x5A5E6E;    // an unavailable button
    static constexpr double kPanelOpacity = 0.86;

    // A heroine's palette.
    struct Look {
        std::uint32_t hair;
        std::uint32_t hairShade;
        std::uint32_t skin;
        std::uint32_t eyes;
        std::uint32_t dress;
        std::uint32_t dressShade;
        std::uint32_t accent;
    };
    // By the ID the scripts name her by; an unknown ID gets QUIRA's.
    static const Look& HeroineLook(std::string_view id);

    // The colour a sheet's cell shows two pixels in from each of its corners, one per
    // cell and apart at 16 bits, all close to the frame gold: painters draw each
    // cell's rim with it, and tests find the cell on screen by it.
    static std::uint32_t RimColor(std::size_t cell);
};

}  // namespace mkdemo
