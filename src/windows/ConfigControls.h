#pragma once

#include <cstdint>
#include <span>

#include "platform/video/Rect.h"

// The eleven working values of the settings screen, in the order of the live settings
// they are copied from and written back to.
enum CONFIG_SETTING : int {
    CONFIG_SPEED,
    CONFIG_AUTO,
    CONFIG_SKIP,
    CONFIG_BGM_ON,
    CONFIG_BGM_LEVEL,
    CONFIG_VOICE_ON,
    CONFIG_VOICE_LEVEL,
    CONFIG_SE_ON,
    CONFIG_SE_LEVEL,
    CONFIG_FULL_SCREEN,
    CONFIG_COLOUR,
    CONFIG_SETTING_COUNT,
};

enum class CONFIG_KIND {
    // Sets its value on every click, a selected one again too.
    Option,
    // Acts only when it changes the effect switch.
    EffectSwitch,
    // Sets the high colour the display offers; offered only above 16 bits.
    HighColour,
    // A level of a sound row; acts only while its switch is on.
    Level,
    Ok,
    Title,
    Yes,
    No,
};

// The looks of a control's pictures. Options: hover and selected (the panel shows
// their normal look). Levels: the switched-off selected band, hover, selected.
// Buttons: normal, hover, pressed.
enum CONFIG_LOOK : int {
    CONFIG_LOOK_REST,
    CONFIG_LOOK_HOVER,
    CONFIG_LOOK_ACTIVE,
    CONFIG_LOOK_COUNT
};

enum CONFIG_DIRECTION : int { CONFIG_LEFT, CONFIG_RIGHT, CONFIG_UP, CONFIG_DOWN };

// A neighbour that is the return-to-title item in game and OK from the title.
constexpr std::int32_t kConfigTitleOrOk = -1;
// No neighbour: the pointer stays where it is.
constexpr std::int32_t kConfigNone = 0;

constexpr std::int32_t kConfigOk = 48;
constexpr std::int32_t kConfigTitle = 49;
constexpr std::int32_t kConfigYes = 50;
constexpr std::int32_t kConfigNo = 51;
constexpr std::size_t kConfigControlCount = 51;

struct CONFIG_CONTROL {
    std::int32_t nId;
    CONFIG_KIND kind;
    // Relative to the panel's corner; yes and no in screen pixels.
    platform::Rect rcHit;
    // The working value a click sets, and to what (a level button: its level).
    CONFIG_SETTING setting;
    std::int32_t nValue;
    // A level button's row switch.
    CONFIG_SETTING gate;
    // Where its pictures go, relative to the panel's corner.
    std::int32_t nDrawX;
    std::int32_t nDrawY;
    platform::Rect rcLook[CONFIG_LOOK_COUNT];
    // The focus graph of the arrow keys, by CONFIG_DIRECTION.
    std::int32_t nNeighbour[4];
};

// Every control in hit-test order: the options and levels row by row (full screen
// before window), OK, return to title, then yes and no of the confirmation box. The
// options and levels are drawn in the same order.
std::span<const CONFIG_CONTROL> ConfigControls();
// The control of id nId; nullptr for none.
const CONFIG_CONTROL* FindConfigControl(std::int32_t nId);
