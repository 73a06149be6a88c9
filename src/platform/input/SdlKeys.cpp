#include "platform/input/SdlKeys.h"

#include <SDL.h>

#include <algorithm>
#include <array>

#include "platform/input/VirtualKeys.h"

namespace platform {

namespace {

struct FixedKey {
    int virtualKey;
    SDL_Scancode scancode;
};

// Keys that do not depend on the layout.
constexpr FixedKey kFixedKeys[] = {
    {VK_BACK, SDL_SCANCODE_BACKSPACE},
    {VK_TAB, SDL_SCANCODE_TAB},
    {VK_RETURN, SDL_SCANCODE_RETURN},
    {VK_RETURN, SDL_SCANCODE_KP_ENTER},
    {VK_SHIFT, SDL_SCANCODE_LSHIFT},
    {VK_SHIFT, SDL_SCANCODE_RSHIFT},
    {VK_CONTROL, SDL_SCANCODE_LCTRL},
    {VK_CONTROL, SDL_SCANCODE_RCTRL},
    {VK_MENU, SDL_SCANCODE_LALT},
    {VK_MENU, SDL_SCANCODE_RALT},
    {VK_PAUSE, SDL_SCANCODE_PAUSE},
    {VK_CAPITAL, SDL_SCANCODE_CAPSLOCK},
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE},
    {VK_SPACE, SDL_SCANCODE_SPACE},
    {VK_PRIOR, SDL_SCANCODE_PAGEUP},
    {VK_NEXT, SDL_SCANCODE_PAGEDOWN},
    {VK_END, SDL_SCANCODE_END},
    {VK_HOME, SDL_SCANCODE_HOME},
    {VK_LEFT, SDL_SCANCODE_LEFT},
    {VK_UP, SDL_SCANCODE_UP},
    {VK_RIGHT, SDL_SCANCODE_RIGHT},
    {VK_DOWN, SDL_SCANCODE_DOWN},
    {VK_INSERT, SDL_SCANCODE_INSERT},
    {VK_DELETE, SDL_SCANCODE_DELETE},
    {VK_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY},
    {VK_ADD, SDL_SCANCODE_KP_PLUS},
    {VK_SUBTRACT, SDL_SCANCODE_KP_MINUS},
    {VK_DECIMAL, SDL_SCANCODE_KP_PERIOD},
    {VK_DIVIDE, SDL_SCANCODE_KP_DIVIDE},
    {VK_LSHIFT, SDL_SCANCODE_LSHIFT},
    {VK_RSHIFT, SDL_SCANCODE_RSHIFT},
    {VK_LCONTROL, SDL_SCANCODE_LCTRL},
    {VK_RCONTROL, SDL_SCANCODE_RCTRL},
    {VK_LMENU, SDL_SCANCODE_LALT},
    {VK_RMENU, SDL_SCANCODE_RALT},
};

// Keypad digits and function keys run in the same order in both numberings.
struct KeyRun {
    int firstKey;
    int lastKey;
    SDL_Scancode firstScancode;
};
constexpr KeyRun kKeyRuns[] = {
    {VK_NUMPAD0 + 1, VK_NUMPAD9, SDL_SCANCODE_KP_1},
    {VK_F1, VK_F12, SDL_SCANCODE_F1},
};

// The generic Shift, Ctrl and Alt codes stand for either side, so an event reports
// the generic one.
bool IsSidedCode(int virtualKey) { return virtualKey >= VK_LSHIFT && virtualKey <= VK_RMENU; }

// A key on either side at most; the rest stay unknown.
using KeyScancodes = std::array<SDL_Scancode, 2>;

// A third key for one virtual key would have no place: it is left out rather than
// written over the next key's.
void AddScancode(KeyScancodes& codes, SDL_Scancode scancode) {
    const auto slot = std::find(codes.begin(), codes.end(), SDL_SCANCODE_UNKNOWN);
    if (slot != codes.end()) *slot = scancode;
}

std::array<KeyScancodes, kVirtualKeyCount> FixedScancodes() {
    std::array<KeyScancodes, kVirtualKeyCount> table{};
    AddScancode(table[VK_NUMPAD0], SDL_SCANCODE_KP_0);
    for (const auto& run : kKeyRuns) {
        for (int key = run.firstKey; key <= run.lastKey; ++key) {
            AddScancode(table[key],
                        static_cast<SDL_Scancode>(run.firstScancode + (key - run.firstKey)));
        }
    }
    for (const auto& key : kFixedKeys) AddScancode(table[key.virtualKey], key.scancode);
    return table;
}

int CharacterKey(int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
    return 0;
}

}  // namespace

int SdlKeyToVirtualKey(int keycode, int scancode) {
    if (const int character = CharacterKey(keycode)) return character;
    if (scancode == SDL_SCANCODE_KP_0) return VK_NUMPAD0;
    for (const auto& run : kKeyRuns) {
        const int offset = scancode - run.firstScancode;
        if (offset >= 0 && offset <= run.lastKey - run.firstKey) return run.firstKey + offset;
    }
    for (const auto& key : kFixedKeys) {
        if (key.scancode == scancode && !IsSidedCode(key.virtualKey)) return key.virtualKey;
    }
    return 0;
}

bool VirtualKeyDown(int virtualKey, std::span<const std::uint8_t> keys) {
    const auto down = [&](SDL_Scancode scancode) {
        return scancode != SDL_SCANCODE_UNKNOWN && scancode < keys.size() && keys[scancode] != 0;
    };
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    const bool digit = virtualKey >= '0' && virtualKey <= '9';
    if (letter || digit) {
        const SDL_Keycode keycode =
            letter ? SDLK_a + (virtualKey - 'A') : SDLK_0 + (virtualKey - '0');
        return down(SDL_GetScancodeFromKey(keycode));
    }
    if (virtualKey < 0 || virtualKey >= kVirtualKeyCount) return false;
    // Every key is sampled every frame, so the fixed codes are looked up once.
    static const auto fixed = FixedScancodes();
    return std::any_of(fixed[virtualKey].begin(), fixed[virtualKey].end(), down);
}

}  // namespace platform
