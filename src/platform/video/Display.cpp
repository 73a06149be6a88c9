#include "platform/video/Display.h"

#include <algorithm>

#include "platform/video/DisplayStatus.h"

namespace platform {

namespace {

ColorRef XrgbToColorRef(std::uint32_t xrgb) {
    return (xrgb >> 16 & 0xFF) | (xrgb & 0xFF00) | (xrgb & 0xFF) << 16;
}

}  // namespace

std::int32_t Display::initLibrary() { return DD_OK; }

std::int32_t Display::endLibrary() { return DD_OK; }

std::vector<VideoMode> Display::videoModes(std::int32_t) {
    return {{800, 600, 32, 60}, {800, 600, 24, 60}, {800, 600, 16, 60}};
}

std::vector<DeviceDescription> Display::devices() { return {{0, "Software renderer"}}; }

std::shared_ptr<Surface> Display::makeSurface(int width, int height, const PixelFormat& format,
                                              std::vector<std::uint32_t>* picture) {
    std::erase_if(surfaces_, [](const std::weak_ptr<Surface>& s) { return s.expired(); });
    auto surface = picture != nullptr
                       ? std::make_shared<Surface>(std::move(*picture), width, height, format)
                       : std::make_shared<Surface>(width, height, format);
    surfaces_.push_back(surface);
    return surface;
}

std::vector<std::shared_ptr<Surface>> Display::liveSurfaces() {
    std::vector<std::shared_ptr<Surface>> live;
    for (const auto& weak : surfaces_) {
        if (auto surface = weak.lock()) live.push_back(std::move(surface));
    }
    return live;
}

std::int32_t Display::createContext(const ContextRequest& request,
                                    std::unique_ptr<DisplayContext>& context) {
    if (!Surface::ValidSize(request.width, request.height)) return DDERR_INVALIDPARAMS;
    const std::uint32_t bits = request.fullScreen ? request.bits : kDesktopBits;
    // An 8-bit primary is palettised; everything drawn off screen stays 32-bit.
    surfaceFormat_ = PixelFormat::ForDepth(bits == 8 ? kDesktopBits : bits);
    context = std::make_unique<DisplayContext>();
    context->device = std::make_unique<RenderDevice>();
    context->directDraw = this;
    context->primary = makeSurface(request.width, request.height, PixelFormat::ForDepth(bits));
    context->backBuffer = makeSurface(request.width, request.height, surfaceFormat_);
    context->backBuffer->recordFrames();
    return DD_OK;
}

std::int32_t Display::createClipper(std::shared_ptr<Clipper>& clipper) {
    clipper = std::make_shared<Clipper>();
    return DD_OK;
}

std::int32_t Display::applyRenderSetting(DisplayContext& context, RenderSetting setting) {
    if (context.device == nullptr) return DDERR_INVALIDOBJECT;
    RenderState& state = context.device->state;
    switch (setting) {
        case RenderSetting::PrepareForSprite:
            state.alphaBlend = true;
            state.sourceOne = false;
            state.destOne = false;
            break;
        case RenderSetting::ColorKeyOn:
        case RenderSetting::ColorKeyOff:
            state.colorKey = setting == RenderSetting::ColorKeyOn;
            break;
        case RenderSetting::AlphaBlendOn:
        case RenderSetting::AlphaBlendOff:
            state.alphaBlend = setting == RenderSetting::AlphaBlendOn;
            break;
        case RenderSetting::SourceBlendOne:
            state.sourceOne = true;
            break;
        case RenderSetting::DestBlendOne:
            state.destOne = true;
            break;
        case RenderSetting::ColorModulate:
            state.modulate = true;
            break;
        case RenderSetting::ClearColorBlack:
            context.clearColor = 0xFF000000u;
            break;
        case RenderSetting::DitherOff:
        case RenderSetting::CullNone:
        case RenderSetting::LightingOff:
        case RenderSetting::DepthOff:
            break;  // the software rasteriser never dithers, culls, lights or depth-tests
    }
    return DD_OK;
}

std::int32_t Display::clear(DisplayContext& context) {
    if (context.backBuffer == nullptr) return DDERR_INVALIDOBJECT;
    Surface& back = *context.backBuffer;
    return back.fill(back.bounds(), XrgbToColorRef(context.clearColor));
}

std::int32_t Display::beginScene(DisplayContext& context) {
    if (context.device == nullptr) return DDERR_INVALIDOBJECT;
    context.device->sceneOpen = true;
    return DD_OK;
}

std::int32_t Display::endScene(DisplayContext& context) {
    if (context.device == nullptr) return DDERR_INVALIDOBJECT;
    context.device->sceneOpen = false;
    return DD_OK;
}

std::int32_t Display::present(DisplayContext& context) {
    if (context.primary == nullptr || context.backBuffer == nullptr) return DDERR_INVALIDOBJECT;
    Surface& primary = *context.primary;
    Surface& back = *context.backBuffer;
    const Rect changed = back.finishFrame();
    // A lost surface comes back black and new, so the frame after it is drawn whole.
    if (primary.lost() || back.lost()) return DDERR_SURFACELOST;
    if (!primary.sameShape(back)) return DDERR_INVALIDPARAMS;
    // Only what the frame changed is copied, unless something was drawn on the
    // primary itself since.
    Rect shown = changed;
    if (primary.version() != context.presentedVersion) {
        primary.copyPixels(back);
        shown = primary.bounds();
    } else if (!changed.empty()) {
        primary.copyPixels(back, changed);
    }
    context.presentedVersion = primary.version();
    show(primary, shown);
    return DD_OK;
}

std::int32_t Display::flipToGdi() { return DD_OK; }

std::int32_t Display::resize(DisplayContext&, int, int) { return DD_OK; }

std::int32_t Display::testCooperativeLevel() { return DD_OK; }

std::int32_t Display::restoreAllSurfaces() {
    for (const auto& surface : liveSurfaces()) surface->restore();
    return DD_OK;
}

std::int32_t Display::restoreSurface(Surface& surface) {
    surface.restore();
    return DD_OK;
}

bool Display::anythingLost() {
    const auto live = liveSurfaces();
    return std::any_of(live.begin(), live.end(), [](const auto& s) { return s->lost(); });
}

std::int32_t Display::createSurface(int width, int height, bool,
                                    std::vector<std::uint32_t>* picture,
                                    std::shared_ptr<Surface>& surface) {
    if (!Surface::ValidSize(width, height)) return DDERR_OUTOFMEMORY;
    if (picture != nullptr && picture->size() != static_cast<std::size_t>(width) * height) {
        return DDERR_INVALIDPARAMS;
    }
    surface = makeSurface(width, height, surfaceFormat_, picture);
    return DD_OK;
}

std::int32_t Display::setClipList(Clipper& clipper, const ClipRegion* region) {
    clipper.list.reset();
    if (region != nullptr) clipper.list = *region;
    return DD_OK;
}

std::int32_t Display::attachClipper(DisplayContext& context,
                                    std::shared_ptr<const Clipper> clipper) {
    if (context.backBuffer == nullptr) return DDERR_INVALIDOBJECT;
    context.backBuffer->attachClipper(std::move(clipper));
    return DD_OK;
}

bool Display::readFontSmoothing(bool& on) {
    on = fontSmoothing_;
    return true;
}

bool Display::switchFontSmoothing(bool on) {
    fontSmoothing_ = on;
    return true;
}

void Display::setExternalPicture(int layer, std::vector<std::uint32_t> pixels, int width,
                                 int height) {
    if (layers_.setPicture(layer, std::move(pixels), width, height)) showLayers();
}

std::vector<std::uint32_t> Display::takeExternalPicture(int layer) {
    return layers_.takePicture(layer);
}

void Display::setExternalPosition(int layer, int x, int y) {
    if (layers_.setPosition(layer, x, y)) showLayers();
}

void Display::setExternalShown(int layer, bool shown) {
    if (layers_.setShown(layer, shown)) showLayers();
}

}  // namespace platform
