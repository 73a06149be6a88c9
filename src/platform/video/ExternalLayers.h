#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace platform {

// Pictures drawn over the game frame from outside the game's own drawing: one layer
// per media graph type, then the media window's, drawn in that order. Each holds a 0x00RRGGBB
// picture, the game-area position of its top-left corner and whether it is shown.
class ExternalLayers {
public:
    static constexpr int kMediaWindowLayer = 3;
    static constexpr int kCount = 4;

    struct Layer {
        std::vector<std::uint32_t> pixels;
        int width = 0;
        int height = 0;
        int x = 0;
        int y = 0;
        bool shown = false;
    };

    // Each returns whether the window picture changes, so it has to be presented:
    // a shown layer changed, or a layer shown or hidden.
    bool setPicture(int layer, std::vector<std::uint32_t> pixels, int width, int height);
    // Takes a layer's picture out, to be drawn over and set again; the layer draws
    // nothing meanwhile. Nothing for no such layer.
    std::vector<std::uint32_t> takePicture(int layer);
    bool setPosition(int layer, int x, int y);
    bool setShown(int layer, bool shown);

    const Layer& layer(int index) const { return layers_.at(static_cast<std::size_t>(index)); }
    bool anyShown() const;
    // Counts the changes to the layers: equal counts draw alike.
    std::uint64_t revision() const { return revision_; }

    // Draws the shown layers over an area of width x height words whose rows lie
    // stride words apart, clipped to it.
    void drawOver(std::uint32_t* area, int stride, int width, int height) const;

private:
    static bool Valid(int layer) { return layer >= 0 && layer < kCount; }

    std::array<Layer, kCount> layers_;
    std::uint64_t revision_ = 0;
};

}  // namespace platform
