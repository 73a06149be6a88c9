#pragma once

#include <cstdint>
#include <optional>

#include "platform/video/Rect.h"

// One picture a character places: from its surface, opaque with the colour key, or
// from its texture at an alpha. Faces come through an eye rectangle, bodies whole.
struct CHAR_PLACEMENT {
    bool bSurface = true;
    std::int32_t nIndex = -1;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    std::optional<platform::Rect> rcSrc;
    float fAlpha = 1.0f;
};
