#pragma once

struct SDL_Window;

namespace platform {

// Puts a full-screen window over its whole display when nobody has: without a
// window manager the full-screen request goes unanswered, and the window keeps its
// place and size while SDL already counts it at the display's size. Does nothing
// when the window covers the display or is not an X window.
void CoverDisplay(SDL_Window* window);

}  // namespace platform
