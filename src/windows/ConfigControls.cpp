#include "windows/ConfigControls.h"

#include <algorithm>
#include <array>

namespace {

using platform::Rect;
using Table = std::array<CONFIG_CONTROL, kConfigControlCount>;

constexpr std::int32_t kOptionHeight = 24;
constexpr std::int32_t kLevelWidth = 30;
constexpr std::int32_t kLevelPitch = 34;
constexpr std::int32_t kLevelLeft = 318;
constexpr std::int32_t kLevelSourceLeft = 96;
constexpr std::int32_t kLevels = 10;
// Up and down from a level of the middle row go to the same level of the rows
// beside it.
constexpr std::int32_t kRowPitch = 12;

// An option whose hover and selected pictures sit one above the other at left, top.
constexpr CONFIG_CONTROL Option(std::int32_t id, CONFIG_KIND kind, Rect hit, CONFIG_SETTING setting,
                                std::int32_t value, std::int32_t drawX, std::int32_t left,
                                std::int32_t top, std::int32_t width,
                                std::array<std::int32_t, 4> to) {
    return {id,
            kind,
            hit,
            setting,
            value,
            setting,
            drawX,
            hit.top,
            {{},
             {left, top, left + width, top + kOptionHeight},
             {left, top + kOptionHeight, left + width, top + 2 * kOptionHeight}},
            {to[0], to[1], to[2], to[3]}};
}

constexpr CONFIG_CONTROL Button(std::int32_t id, CONFIG_KIND kind, Rect hit, std::int32_t drawX,
                                std::array<Rect, 3> looks, std::array<std::int32_t, 4> to) {
    return {id,
            kind,
            hit,
            CONFIG_SPEED,
            0,
            CONFIG_SPEED,
            drawX,
            hit.top,
            {looks[0], looks[1], looks[2]},
            {to[0], to[1], to[2], to[3]}};
}

// A sound row: its switches, the first level's id, where it stands, the top of its
// three bands, and where up and down go from a level (0: the same level of the
// row above or below).
struct LEVEL_ROW {
    std::int32_t nOnId;
    std::int32_t nOffId;
    std::int32_t nFirstId;
    std::int32_t nY;
    std::int32_t nBandTop;
    CONFIG_SETTING level;
    CONFIG_SETTING gate;
    std::int32_t nUp;
    std::int32_t nDown;
};

constexpr LEVEL_ROW kMusic{8, 9, 10, 212, 464, CONFIG_BGM_LEVEL, CONFIG_BGM_ON, 7, 0};
constexpr LEVEL_ROW kVoice{20, 21, 22, 244, 536, CONFIG_VOICE_LEVEL, CONFIG_VOICE_ON, 0, 0};
constexpr LEVEL_ROW kEffects{32, 33, 34, 276, 608, CONFIG_SE_LEVEL, CONFIG_SE_ON, 0, 44};

// Level k's band pictures: hover, selected, selected with the switch off.
constexpr CONFIG_CONTROL Level(const LEVEL_ROW& row, std::int32_t k) {
    const std::int32_t id = row.nFirstId + k - 1;
    const std::int32_t x = kLevelLeft + kLevelPitch * (k - 1);
    const std::int32_t sx = kLevelSourceLeft + kLevelWidth * (k - 1);
    const auto band = [&](std::int32_t n) {
        return Rect{sx, row.nBandTop + kOptionHeight * n, sx + kLevelWidth,
                    row.nBandTop + kOptionHeight * (n + 1)};
    };
    return {id,
            CONFIG_KIND::Level,
            {x, row.nY, x + kLevelWidth, row.nY + kOptionHeight},
            row.level,
            k,
            row.gate,
            x,
            row.nY,
            {band(2), band(0), band(1)},
            {k == 1 ? row.nOffId : id - 1, k == kLevels ? row.nOnId : id + 1,
             row.nUp != 0 ? row.nUp : id - kRowPitch, row.nDown != 0 ? row.nDown : id + kRowPitch}};
}

constexpr void Add(Table& t, std::size_t& n, const LEVEL_ROW& row) {
    for (std::int32_t k = 1; k <= kLevels; ++k) t[n++] = Level(row, k);
}

constexpr Table Build() {
    using K = CONFIG_KIND;
    Table t{};
    std::size_t n = 0;
    t[n++] = Option(1, K::Option, {189, 84, 269, 100}, CONFIG_SPEED, 0, 189, 0, 416, 80,
                    {3, 2, kConfigOk, 4});
    t[n++] = Option(2, K::Option, {291, 84, 371, 100}, CONFIG_SPEED, 1, 291, 80, 416, 80,
                    {1, 3, kConfigOk, 5});
    t[n++] = Option(3, K::Option, {393, 84, 473, 100}, CONFIG_SPEED, 2, 393, 160, 416, 80,
                    {2, 1, kConfigOk, 5});
    t[n++] =
        Option(4, K::Option, {191, 116, 239, 140}, CONFIG_AUTO, 1, 191, 240, 416, 48, {5, 5, 1, 6});
    t[n++] =
        Option(5, K::Option, {260, 116, 308, 140}, CONFIG_AUTO, 0, 260, 288, 416, 48, {4, 4, 2, 7});
    t[n++] =
        Option(6, K::Option, {191, 148, 239, 172}, CONFIG_SKIP, 1, 191, 336, 416, 48, {7, 7, 4, 8});
    t[n++] =
        Option(7, K::Option, {260, 148, 308, 172}, CONFIG_SKIP, 0, 260, 384, 416, 48, {6, 6, 5, 9});
    t[n++] = Option(8, K::Option, {191, 212, 239, 236}, CONFIG_BGM_ON, 1, 191, 0, 464, 48,
                    {19, 9, 6, 20});
    t[n++] = Option(9, K::Option, {260, 212, 308, 236}, CONFIG_BGM_ON, 0, 260, 48, 464, 48,
                    {8, 10, 7, 21});
    Add(t, n, kMusic);
    t[n++] = Option(20, K::Option, {191, 244, 239, 268}, CONFIG_VOICE_ON, 1, 191, 0, 536, 48,
                    {31, 21, 8, 32});
    t[n++] = Option(21, K::Option, {260, 244, 308, 268}, CONFIG_VOICE_ON, 0, 260, 48, 536, 48,
                    {20, 22, 9, 33});
    Add(t, n, kVoice);
    t[n++] = Option(32, K::EffectSwitch, {191, 276, 239, 300}, CONFIG_SE_ON, 1, 191, 0, 608, 48,
                    {43, 33, 20, 45});
    t[n++] = Option(33, K::EffectSwitch, {260, 276, 308, 300}, CONFIG_SE_ON, 0, 260, 48, 608, 48,
                    {32, 34, 21, 44});
    Add(t, n, kEffects);
    t[n++] = Option(45, K::Option, {183, 340, 263, 364}, CONFIG_FULL_SCREEN, 1, 183, 0, 680, 80,
                    {44, 44, 32, 46});
    // The window button's pictures stand 12 px right of where it is hit.
    t[n++] = Option(44, K::Option, {267, 340, 347, 364}, CONFIG_FULL_SCREEN, 0, 279, 80, 680, 80,
                    {45, 45, 33, 47});
    t[n++] = Option(46, K::Option, {193, 372, 343, 396}, CONFIG_COLOUR, 0, 193, 160, 680, 150,
                    {47, 47, 45, kConfigTitleOrOk});
    t[n++] = Option(47, K::HighColour, {371, 372, 521, 396}, CONFIG_COLOUR, 2, 371, 310, 680, 150,
                    {46, 46, 44, kConfigOk});
    t[n++] = Button(kConfigOk, K::Ok, {637, 7, 664, 31}, 637,
                    {Rect{460, 644, 487, 668}, Rect{460, 692, 487, 716}, Rect{460, 668, 487, 692}},
                    {kConfigTitleOrOk, kConfigTitleOrOk, 47, 3});
    // Its hover picture is two rows taller than the others.
    t[n++] = Button(kConfigTitle, K::Title, {8, 7, 40, 31}, -13,
                    {Rect{487, 644, 559, 668}, Rect{487, 692, 559, 718}, Rect{487, 668, 559, 692}},
                    {kConfigOk, kConfigOk, 46, 1});
    t[n++] = Button(kConfigYes, K::Yes, {329, 343, 376, 362}, 0, {},
                    {kConfigNo, kConfigNo, kConfigNone, kConfigNone});
    t[n++] = Button(kConfigNo, K::No, {400, 343, 470, 361}, 0, {},
                    {kConfigYes, kConfigYes, kConfigNone, kConfigNone});
    return t;
}

constexpr Table kControls = Build();

}  // namespace

std::span<const CONFIG_CONTROL> ConfigControls() { return kControls; }

const CONFIG_CONTROL* FindConfigControl(std::int32_t nId) {
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [nId](const CONFIG_CONTROL& c) { return c.nId == nId; });
    return it != kControls.end() ? &*it : nullptr;
}
