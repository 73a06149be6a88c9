#include "platform/window/X11FullScreen.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace platform {

void CoverDisplay(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_Rect bounds;
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11 ||
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0) {
        return;
    }
    Display* display = info.info.x11.display;
    const ::Window xwindow = info.info.x11.window;
    XWindowAttributes held;
    ::Window child = 0;
    int x = 0, y = 0;
    if (XGetWindowAttributes(display, xwindow, &held) == 0 ||
        XTranslateCoordinates(display, xwindow, held.root, 0, 0, &x, &y, &child) == 0) {
        return;
    }
    if (x == bounds.x && y == bounds.y && held.width == bounds.w && held.height == bounds.h) return;
    XMoveResizeWindow(display, xwindow, bounds.x, bounds.y, static_cast<unsigned>(bounds.w),
                      static_cast<unsigned>(bounds.h));
    XRaiseWindow(display, xwindow);
    XSync(display, False);
}

}  // namespace platform
