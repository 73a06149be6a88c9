#include "platform/input/SdlInputSource.h"

#include <SDL.h>

#include "platform/input/SdlKeys.h"
#include "platform/input/VirtualKeys.h"
#include "platform/window/SdlWindowHost.h"

namespace platform {

namespace {

Uint32 ButtonMask(int virtualKey) {
    switch (virtualKey) {
        case 0x01:
            return SDL_BUTTON_LMASK;
        case 0x02:
            return SDL_BUTTON_RMASK;
        case 0x04:
            return SDL_BUTTON_MMASK;
        case 0x05:
            return SDL_BUTTON_X1MASK;
        case 0x06:
            return SDL_BUTTON_X2MASK;
        default:
            return 0;
    }
}

}  // namespace

// Buttons and the pointer are read as the window's own events left them, with no
// call to the window system: its global pointer is not refreshed by a warp.
bool SdlInputSource::isKeyDown(int virtualKey) const {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    if (const Uint32 mask = ButtonMask(virtualKey)) {
        return (SDL_GetMouseState(nullptr, nullptr) & mask) != 0;
    }
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return VirtualKeyDown(virtualKey, {keys, static_cast<std::size_t>(count)});
}

PointerPosition SdlInputSource::pointer() const {
    if (host_.sdlWindow() == nullptr) return {};
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    return host_.letterbox().windowToClient(x, y);
}

void SdlInputSource::warpPointer(PointerPosition clientPosition) {
    SDL_Window* window = host_.sdlWindow();
    if (window == nullptr) return;
    const PointerPosition at = host_.letterbox().clientToWindow(clientPosition);
    SDL_WarpMouseInWindow(window, at.x, at.y);
}

}  // namespace platform
