#include "platform/window/SdlEvents.h"

#include <mutex>

#include "platform/input/SdlKeys.h"
#include "platform/input/VirtualKeys.h"

namespace platform {

namespace {

using Kind = PlatformEvent::Kind;

int ButtonKey(std::uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return VK_LBUTTON;
        case SDL_BUTTON_RIGHT:
            return VK_RBUTTON;
        case SDL_BUTTON_MIDDLE:
            return VK_MBUTTON;
        case SDL_BUTTON_X1:
            return VK_XBUTTON1;
        case SDL_BUTTON_X2:
            return VK_XBUTTON2;
        default:
            return 0;
    }
}

bool WindowEvent(const SDL_WindowEvent& window, PlatformEvent& event) {
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event.kind = Kind::CloseRequest;
            return true;
        case SDL_WINDOWEVENT_MOVED:
            event.kind = Kind::Moved;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            event.kind = Kind::Resized;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            event.kind = Kind::Exposed;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            event.kind = Kind::FocusGained;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            event.kind = Kind::FocusLost;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool TranslateSdlEvent(const SDL_Event& sdl, const Letterbox& letterbox,
                       std::uint32_t userEventType, PlatformEvent& event) {
    event = {};
    switch (sdl.type) {
        case SDL_QUIT:
            event.kind = Kind::Terminate;
            return true;
        case SDL_WINDOWEVENT:
            return WindowEvent(sdl.window, event);
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event.kind = sdl.type == SDL_KEYDOWN ? Kind::KeyDown : Kind::KeyUp;
            event.key = SdlKeyToVirtualKey(sdl.key.keysym.sym, sdl.key.keysym.scancode);
            event.repeat = sdl.key.repeat != 0;
            event.shift = (sdl.key.keysym.mod & KMOD_SHIFT) != 0;
            return event.key != 0;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            event.kind = sdl.type == SDL_MOUSEBUTTONDOWN ? Kind::ButtonDown : Kind::ButtonUp;
            event.key = ButtonKey(sdl.button.button);
            const PointerPosition at = letterbox.windowToClient(sdl.button.x, sdl.button.y);
            event.x = at.x;
            event.y = at.y;
            return event.key != 0;
        }
        case SDL_MOUSEMOTION: {
            event.kind = Kind::PointerMoved;
            const PointerPosition at = letterbox.windowToClient(sdl.motion.x, sdl.motion.y);
            event.x = at.x;
            event.y = at.y;
            return true;
        }
        default:
            if (sdl.type != userEventType) return false;
            event.kind = Kind::Posted;
            event.message = static_cast<std::uint32_t>(sdl.user.code);
            return true;
    }
}

std::uint32_t PostedMessageEventType() {
    static std::once_flag once;
    static std::uint32_t type = 0;
    std::call_once(once, [] { type = SDL_RegisterEvents(1); });
    return type;
}

bool PostWindowMessage(std::uint32_t message) {
    SDL_Event sdl{};
    sdl.type = PostedMessageEventType();
    sdl.user.code = static_cast<Sint32>(message);
    return SDL_PushEvent(&sdl) == 1;
}

}  // namespace platform
