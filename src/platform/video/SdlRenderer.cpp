#include "platform/video/SdlRenderer.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <array>

namespace platform {

namespace {

// X servers reach a GPU through direct rendering; without it their OpenGL is drawn
// in software. Window systems other than X are trusted to have one, the dummy and
// offscreen drivers never do.
bool GpuBehind(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE) return false;
    if (info.subsystem != SDL_SYSWM_X11) return info.subsystem != SDL_SYSWM_UNKNOWN;
    int opcode = 0, event = 0, error = 0;
    const std::array<const char*, 3> direct{"DRI3", "DRI2", "NV-GLX"};
    for (const char* extension : direct) {
        if (XQueryExtension(info.info.x11.display, extension, &opcode, &event, &error)) {
            return true;
        }
    }
    return false;
}

}  // namespace

SDL_Renderer* CreateSdlRenderer(SDL_Window* window) {
    const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (named != nullptr && *named != '\0') return SDL_CreateRenderer(window, -1, 0);
    if (GpuBehind(window)) {
        if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED)) {
            return renderer;
        }
    }
    // Left to itself, SDL would make an OpenGL context to decide how to fill the
    // window's surface.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

}  // namespace platform
