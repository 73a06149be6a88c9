#include "platform/video/HeadlessDisplay.h"

#include <algorithm>

#include "platform/video/WindowPicture.h"

namespace platform {

namespace {

// Any failure code will do where the real platform reports an unspecific error.
constexpr std::int32_t kInjectedFailure = DDERR_INVALIDPARAMS;

std::int32_t FailOr(bool fails, std::int32_t status) { return fails ? kInjectedFailure : status; }

}  // namespace

void HeadlessDisplay::loseEverything() {
    for (const auto& surface : liveSurfaces()) surface->markLost();
}

std::int32_t HeadlessDisplay::initLibrary() {
    return FailOr(libraryStartFails, Display::initLibrary());
}

std::int32_t HeadlessDisplay::endLibrary() {
    return FailOr(libraryEndFails, Display::endLibrary());
}

std::vector<VideoMode> HeadlessDisplay::videoModes(std::int32_t level) {
    const auto custom = modeLists.find(level);
    return custom != modeLists.end() ? custom->second : Display::videoModes(level);
}

std::int32_t HeadlessDisplay::createContext(const ContextRequest& request,
                                            std::unique_ptr<DisplayContext>& context) {
    if (libraryStartFails || contextFailsAt.contains(request.level)) return kInjectedFailure;
    const std::int32_t status = Display::createContext(request, context);
    if (status != DD_OK) return status;
    if (deviceMissing) context->device.reset();
    if (directDrawMissing) context->directDraw = nullptr;
    if (primaryMissing) context->primary.reset();
    if (backBufferMissing) context->backBuffer.reset();
    return DD_OK;
}

std::int32_t HeadlessDisplay::createClipper(std::shared_ptr<Clipper>& clipper) {
    if (clipperMissing) return kInjectedFailure;
    return Display::createClipper(clipper);
}

std::int32_t HeadlessDisplay::applyRenderSetting(DisplayContext& context, RenderSetting setting) {
    if (renderSettingsFail) return kInjectedFailure;
    return Display::applyRenderSetting(context, setting);
}

std::int32_t HeadlessDisplay::clear(DisplayContext& context) {
    return clearFails ? kInjectedFailure : Display::clear(context);
}

std::int32_t HeadlessDisplay::beginScene(DisplayContext& context) {
    return beginSceneFails ? kInjectedFailure : Display::beginScene(context);
}

std::int32_t HeadlessDisplay::endScene(DisplayContext& context) {
    return endSceneFails ? kInjectedFailure : Display::endScene(context);
}

std::int32_t HeadlessDisplay::present(DisplayContext& context) {
    if (presentFailures > 0) {
        --presentFailures;
        return presentStatus;
    }
    return Display::present(context);
}

std::int32_t HeadlessDisplay::flipToGdi() {
    return flipStatus != DD_OK ? flipStatus : Display::flipToGdi();
}

std::int32_t HeadlessDisplay::testCooperativeLevel() {
    if (cooperativeLevelAnswers.empty()) return Display::testCooperativeLevel();
    const std::int32_t answer = cooperativeLevelAnswers.front();
    cooperativeLevelAnswers.pop_front();
    return answer;
}

std::int32_t HeadlessDisplay::restoreAllSurfaces() {
    return restoreAllFails ? kInjectedFailure : Display::restoreAllSurfaces();
}

std::int32_t HeadlessDisplay::restoreSurface(Surface& surface) {
    return &surface == restoreFailsFor ? kInjectedFailure : Display::restoreSurface(surface);
}

std::int32_t HeadlessDisplay::createSurface(int width, int height, bool videoMemory,
                                            std::vector<std::uint32_t>* picture,
                                            std::shared_ptr<Surface>& surface) {
    if (videoMemoryFull && videoMemory) return DDERR_OUTOFVIDEOMEMORY;
    if (surfaceCreationFails) return DDERR_OUTOFMEMORY;
    const std::int32_t status =
        Display::createSurface(width, height, videoMemory, picture, surface);
    if (status == DD_OK && nextSurfaceLost) {
        nextSurfaceLost = false;
        surface->markLost();
    }
    return status;
}

std::int32_t HeadlessDisplay::setClipList(Clipper& clipper, const ClipRegion* region) {
    return setClipListFails ? kInjectedFailure : Display::setClipList(clipper, region);
}

std::int32_t HeadlessDisplay::attachClipper(DisplayContext& context,
                                            std::shared_ptr<const Clipper> clipper) {
    if (attachClipperFails) return kInjectedFailure;
    return Display::attachClipper(context, std::move(clipper));
}

bool HeadlessDisplay::readFontSmoothing(bool& on) {
    return !fontSmoothingReadFails && Display::readFontSmoothing(on);
}

bool HeadlessDisplay::switchFontSmoothing(bool on) {
    return !fontSmoothingSwitchFails && Display::switchFontSmoothing(on);
}

void HeadlessDisplay::show(const Surface& primary, const Rect& changed) {
    ++presents_;
    // The same surface at the same version holds the picture kept from it: the
    // present is recorded with the picture as it stands.
    if (&primary == keptFrom_ && primary.version() == keptVersion_) {
        if (onCompose) onCompose(frame_, frameWidth_);
        return;
    }
    // What was kept from the same surface differs only in the changed part.
    const bool whole =
        &primary != keptFrom_ || primary.width() != frameWidth_ || primary.height() != keptHeight_;
    keptFrom_ = &primary;
    keptVersion_ = primary.version();
    keptFrame_.resize(static_cast<std::size_t>(primary.width()) * primary.height());
    primary.copyXrgb(keptFrame_.data(), whole ? primary.bounds() : changed);
    frameWidth_ = primary.width();
    keptHeight_ = primary.height();
    compose();
}

void HeadlessDisplay::showLayers() {
    ++layerPresents_;
    compose();
}

// Layers fall inside the game area, the top-left 800 x 600 of the frame; before any
// game present they lie over black.
void HeadlessDisplay::compose() {
    if (keptFrame_.empty()) {
        frameWidth_ = WindowPicture::kGameWidth;
        keptHeight_ = WindowPicture::kGameHeight;
        keptFrame_.assign(static_cast<std::size_t>(frameWidth_) * keptHeight_, 0u);
    }
    frame_ = keptFrame_;
    if (frameWidth_ > 0) {
        externalLayers().drawOver(frame_.data(), frameWidth_,
                                  std::min(frameWidth_, WindowPicture::kGameWidth),
                                  std::min(keptHeight_, WindowPicture::kGameHeight));
    }
    if (onCompose) onCompose(frame_, frameWidth_);
}

}  // namespace platform
