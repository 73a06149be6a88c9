#include "platform/SdlKeys.h"

#include <SDL.h>

#include <array>
#include <utility>

#include "platform/VirtualKeys.h"

namespace platform {

namespace {

struct FixedKey {
    int virtualKey;
    SDL_Scancode scancode;
};

// Keys that do not depend on the layout, by their Windows code.
constexpr FixedKey kFixedKeys[] = {
    {0x08, SDL_SCANCODE_BACKSPACE},   {0x09, SDL_SCANCODE_TAB},
    {0x0D, SDL_SCANCODE_RETURN},      {0x0D, SDL_SCANCODE_KP_ENTER},
    {0x10, SDL_SCANCODE_LSHIFT},      {0x10, SDL_SCANCODE_RSHIFT},
    {0x11, SDL_SCANCODE_LCTRL},       {0x11, SDL_SCANCODE_RCTRL},
    {0x12, SDL_SCANCODE_LALT},        {0x12, SDL_SCANCODE_RALT},
    {0x13, SDL_SCANCODE_PAUSE},       {0x14, SDL_SCANCODE_CAPSLOCK},
    {0x1B, SDL_SCANCODE_ESCAPE},      {0x20, SDL_SCANCODE_SPACE},
    {0x21, SDL_SCANCODE_PAGEUP},      {0x22, SDL_SCANCODE_PAGEDOWN},
    {0x23, SDL_SCANCODE_END},         {0x24, SDL_SCANCODE_HOME},
    {0x25, SDL_SCANCODE_LEFT},        {0x26, SDL_SCANCODE_UP},
    {0x27, SDL_SCANCODE_RIGHT},       {0x28, SDL_SCANCODE_DOWN},
    {0x2D, SDL_SCANCODE_INSERT},      {0x2E, SDL_SCANCODE_DELETE},
    {0x60, SDL_SCANCODE_KP_0},        {0x61, SDL_SCANCODE_KP_1},
    {0x62, SDL_SCANCODE_KP_2},        {0x63, SDL_SCANCODE_KP_3},
    {0x64, SDL_SCANCODE_KP_4},        {0x65, SDL_SCANCODE_KP_5},
    {0x66, SDL_SCANCODE_KP_6},        {0x67, SDL_SCANCODE_KP_7},
    {0x68, SDL_SCANCODE_KP_8},        {0x69, SDL_SCANCODE_KP_9},
    {0x6A, SDL_SCANCODE_KP_MULTIPLY}, {0x6B, SDL_SCANCODE_KP_PLUS},
    {0x6D, SDL_SCANCODE_KP_MINUS},    {0x6E, SDL_SCANCODE_KP_PERIOD},
    {0x6F, SDL_SCANCODE_KP_DIVIDE},   {0x70, SDL_SCANCODE_F1},
    {0x71, SDL_SCANCODE_F2},          {0x72, SDL_SCANCODE_F3},
    {0x73, SDL_SCANCODE_F4},          {0x74, SDL_SCANCODE_F5},
    {0x75, SDL_SCANCODE_F6},          {0x76, SDL_SCANCODE_F7},
    {0x77, SDL_SCANCODE_F8},          {0x78, SDL_SCANCODE_F9},
    {0x79, SDL_SCANCODE_F10},         {0x7A, SDL_SCANCODE_F11},
    {0x7B, SDL_SCANCODE_F12},         {0xA0, SDL_SCANCODE_LSHIFT},
    {0xA1, SDL_SCANCODE_RSHIFT},      {0xA2, SDL_SCANCODE_LCTRL},
    {0xA3, SDL_SCANCODE_RCTRL},       {0xA4, SDL_SCANCODE_LALT},
    {0xA5, SDL_SCANCODE_RALT},
};

// The generic Shift, Ctrl and Alt codes stand for either side, so an event reports
// the generic one.
bool IsSidedCode(int virtualKey) { return virtualKey >= 0xA0 && virtualKey <= 0xA5; }

int CharacterKey(int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
    return 0;
}

}  // namespace

int SdlKeyToVirtualKey(int keycode, int scancode) {
    if (const int character = CharacterKey(keycode)) return character;
    for (const auto& key : kFixedKeys) {
        if (key.scancode == scancode && !IsSidedCode(key.virtualKey)) return key.virtualKey;
    }
    return 0;
}

std::vector<int> VirtualKeyScancodes(int virtualKey) {
    std::vector<int> scancodes;
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    const bool digit = virtualKey >= '0' && virtualKey <= '9';
    if (letter || digit) {
        const SDL_Keycode keycode =
            letter ? SDLK_a + (virtualKey - 'A') : SDLK_0 + (virtualKey - '0');
        const SDL_Scancode scancode = SDL_GetScancodeFromKey(keycode);
        if (scancode != SDL_SCANCODE_UNKNOWN) scancodes.push_back(scancode);
        return scancodes;
    }
    for (const auto& key : kFixedKeys) {
        if (key.virtualKey == virtualKey) scancodes.push_back(key.scancode);
    }
    return scancodes;
}

}  // namespace platform
