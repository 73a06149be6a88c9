#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/video/Rect.h"
#include "windows/DrawFailureLatch.h"

class ZKSPRITE;
struct GameContext;

// The failures every window reports, each one line "Error: <CLASS::Method> text".
enum class WINDOW_FAILURE {
    NotInitialized,
    ImageLoad,
    BadArgument,
    Draw,
};

void WindowLogError(std::string_view szTag, WINDOW_FAILURE failure);

// Blits a cell of a window's material with its colour key; a failure is logged
// under the window's Draw tag through its latch, and drawing goes on.
void WindowBlt(DrawFailureLatch& latch, std::string_view szTag, ZKSPRITE* pSprite, int nSurface,
               const platform::Rect& rcCell, std::int32_t nX, std::int32_t nY, int nItem,
               CallSite site);

// Loads a screen's sound effects; the first that fails is logged under szTag and ends
// the loading with false.
bool WindowLoadEffects(const GameContext& context, std::string_view szTag,
                       std::span<const int> effects);
// Unloads a screen's sound effects, the last loaded first.
void WindowUnloadEffects(const GameContext& context, std::span<const int> effects);

// Loads a screen's surfaces, keyed or not, with the colour of each picture's top-left
// pixel; false at the first that fails.
bool WindowLoadSurfaces(const GameContext& context, std::span<const int> surfaces, int bColorKey);
// Unloads a screen's surfaces, the last loaded first.
void WindowUnloadSurfaces(const GameContext& context, std::span<const int> surfaces);
