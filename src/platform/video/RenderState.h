#pragma once

namespace platform {

enum class BlendMode {
    Normal,    // source alpha over inverse source alpha
    Additive,  // one and one: the source is added to the target
};

// The render states the sprite rasteriser reads. Additive blending needs blending
// on and both factors at one; anything else blends normally.
struct RenderState {
    bool colorKey = false;
    bool alphaBlend = true;
    bool sourceOne = false;
    bool destOne = false;
    bool modulate = true;  // texel colour times the draw's colour

    BlendMode blend() const {
        return alphaBlend && sourceOne && destOne ? BlendMode::Additive : BlendMode::Normal;
    }
};

}  // namespace platform
