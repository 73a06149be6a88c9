#pragma once

namespace platform {

// The drawing state the sprite rasteriser reads, and the scene bracket.
struct RenderDevice {
    bool alphaBlend = false;      // source alpha over inverse source alpha
    bool modulateColor = false;   // texel colour times vertex colour
    bool colorKeyEnable = false;  // keying is asked per sprite, never left on
    bool sceneOpen = false;
};

}  // namespace platform
