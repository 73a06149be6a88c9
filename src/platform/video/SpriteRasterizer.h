#pragma once

#include <cstdint>

#include "platform/video/Affine2D.h"
#include "platform/video/Rect.h"
#include "platform/video/RenderState.h"
#include "platform/video/Surface.h"
#include "platform/video/Texture.h"

namespace platform {

// What a textured draw reads: a rectangle of texels, which may reach beyond the
// picture (the edge texels then repeat). Keyed: texels of the texture's key colour
// are transparent.
struct SpriteSource {
    const Texture* texture = nullptr;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool keyed = false;
};

// How covered pixels are painted: the draw's alpha, the colour the texels are
// multiplied by (0x00RRGGBB; white leaves them as they are) and the blend.
struct SpritePaint {
    std::uint32_t alpha = 255;
    std::uint32_t modulate = 0xFFFFFF;
    BlendMode blend = BlendMode::Normal;
};

// Draws textured and flat quads onto surfaces in software. A quad is the unit
// square [-0.5, 0.5)^2 mapped to the screen, where pixel (i, j) spans
// [i, i + 1) x [j, j + 1); a pixel is covered when its centre maps back inside the
// square. Integer-aligned unscaled draws copy texels exactly; all others filter
// bilinearly on premultiplied colour.
class SpriteRasterizer {
public:
    // An alpha of 0.0 to 1.0 as a byte; not finite counts as 0.
    static std::uint32_t AlphaByte(float alpha);

    // DDERR_SURFACELOST on a lost target, else DD_OK (also when nothing is covered).
    static std::int32_t DrawTextured(Surface& target, const SpriteSource& source,
                                     const Affine2D& map, const SpritePaint& paint);
    // An opaque rectangle of one colour (0x00RRGGBB) under the blend.
    static std::int32_t DrawFlat(Surface& target, const Rect& rect, std::uint32_t xrgb,
                                 BlendMode blend);

private:
    // Draw only inside within.
    static void DrawTexturedNow(Surface& target, const SpriteSource& source, const Affine2D& map,
                                const SpritePaint& paint, const Rect& within);
    static void DrawFlatNow(Surface& target, const Rect& rect, std::uint32_t xrgb, BlendMode blend,
                            const Rect& within);
};

}  // namespace platform
