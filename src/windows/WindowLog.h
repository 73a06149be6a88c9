#pragma once

#include <cstdint>
#include <string_view>

#include "platform/video/Rect.h"

class ZKSPRITE;

// The failures every window reports, each one line "Error: <CLASS::Method> text".
enum class WINDOW_FAILURE {
    NotInitialized,
    ImageLoad,
    BadArgument,
    Draw,
};

void WindowLogError(std::string_view szTag, WINDOW_FAILURE failure);

// A drawing call failed when it gave a negative result: its line is logged under
// the window's Draw tag, and drawing goes on.
void WindowCheckDraw(std::string_view szTag, int nResult);

// Blits a cell of a window's material with its colour key, checked as above.
void WindowBlt(std::string_view szTag, ZKSPRITE* pSprite, int nSurface,
               const platform::Rect& rcCell, std::int32_t nX, std::int32_t nY);
