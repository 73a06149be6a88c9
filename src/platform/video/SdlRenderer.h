#pragma once

struct SDL_Window;
struct SDL_Renderer;

namespace platform {

// The renderer for the window: the accelerated one where a GPU draws for the window
// system, SDL's software path into the window's own surface where none does, since
// OpenGL drawn in software costs more threads, memory and start-up than the frame
// it shows. SDL_RENDER_DRIVER ("software", "opengl", ...) overrides the choice.
SDL_Renderer* CreateSdlRenderer(SDL_Window* window);

}  // namespace platform
