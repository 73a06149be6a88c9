#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/input/PlatformEvent.h"
#include "platform/video/Letterbox.h"

namespace platform {

// The neutral event for an SDL event; false for events the window ignores.
// userEventType is the type registered for posted window messages.
bool TranslateSdlEvent(const SDL_Event& sdl, const Letterbox& letterbox,
                       std::uint32_t userEventType, PlatformEvent& event);

// The event type of posted window messages, registered at the first call.
std::uint32_t PostedMessageEventType();

// Posts a window message to the main window; safe from any thread.
bool PostWindowMessage(std::uint32_t message);

}  // namespace platform
