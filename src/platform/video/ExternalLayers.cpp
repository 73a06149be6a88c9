#include "platform/video/ExternalLayers.h"

#include <algorithm>
#include <utility>

namespace platform {

bool ExternalLayers::setPicture(int layer, std::vector<std::uint32_t> pixels, int width,
                                int height) {
    if (!Valid(layer) || width < 0 || height < 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    Layer& target = layers_[static_cast<std::size_t>(layer)];
    target.pixels = std::move(pixels);
    target.width = width;
    target.height = height;
    ++revision_;
    return target.shown;
}

std::vector<std::uint32_t> ExternalLayers::takePicture(int layer) {
    if (!Valid(layer)) return {};
    Layer& target = layers_[static_cast<std::size_t>(layer)];
    target.width = 0;
    target.height = 0;
    ++revision_;
    return std::move(target.pixels);
}

bool ExternalLayers::setPosition(int layer, int x, int y) {
    if (!Valid(layer)) return false;
    Layer& target = layers_[static_cast<std::size_t>(layer)];
    if (target.x == x && target.y == y) return false;
    target.x = x;
    target.y = y;
    ++revision_;
    return target.shown;
}

bool ExternalLayers::setShown(int layer, bool shown) {
    if (!Valid(layer)) return false;
    Layer& target = layers_[static_cast<std::size_t>(layer)];
    if (target.shown == shown) return false;
    target.shown = shown;
    ++revision_;
    return true;
}

bool ExternalLayers::anyShown() const {
    return std::any_of(layers_.begin(), layers_.end(), [](const Layer& l) { return l.shown; });
}

void ExternalLayers::drawOver(std::uint32_t* area, int stride, int width, int height) const {
    for (const Layer& layer : layers_) {
        if (!layer.shown) continue;
        const int left = std::max(layer.x, 0);
        const int top = std::max(layer.y, 0);
        const int right = std::min<long long>(static_cast<long long>(layer.x) + layer.width, width);
        const int bottom =
            std::min<long long>(static_cast<long long>(layer.y) + layer.height, height);
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t* from = layer.pixels.data() +
                                        static_cast<std::size_t>(y - layer.y) * layer.width +
                                        (left - layer.x);
            std::copy(from, from + std::max(0, right - left),
                      area + static_cast<std::size_t>(y) * stride + left);
        }
    }
}

}  // namespace platform
