#include "mkdemo/ArtStyle.h"

namespace mkdemo {

const ArtStyle::Look& ArtStyle::HeroineLook(std::string_view id) {
    // Quira silver-lilac and moon blue; Dulcane auburn and crimson; Ombrea
    // blue-black and teal; Ysma honey blonde and amber.
    static const Look quira = {0xC9C2E6, 0x8E84B8, 0xFBE3D2, 0x5B6FC2,
                               0x5A6FB8, 0x3A4884, 0xE8D48A};
    static const Look dulcane = {0xA8442E, 0x6E2618, 0xF6D8C4, 0x7A3A1E,
                                 0xB8283E, 0x7A1828, 0xF0C060};
    static const Look ombrea = {0x232A3C, 0x11151F, 0xF0DCCF, 0x2E8C8A,
                                0x1F6E6C, 0x124644, 0xB8E0D8};
    static const Look ysma = {0xE8C46A, 0xB08A38, 0xFCE6D4, 0xC07A24, 0xE08A3C, 0xA45A1E, 0xFFF0C0};
    if (id == "DULCANE") return dulcane;
    if (id == "OMBREA") return ombrea;
    if (id == "YSMA") return ysma;
    return quira;
}

std::uint32_t ArtStyle::RimColor(std::size_t cell) {
    // Steps of 8 in red and blue and 4 in green survive a 16-bit screen.
    const auto red = static_cast<std::uint32_t>(0xD8 - 8 * (cell % 4));
    const auto green = static_cast<std::uint32_t>(0xB4 - 4 * (cell / 4 % 8));
    const auto blue = static_cast<std::uint32_t>(0x70 - 8 * (cell / 32 % 8));
    return red << 16 | green << 8 | blue;
}

}  // namespace mkdemo
