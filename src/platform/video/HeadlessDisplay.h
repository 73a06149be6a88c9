#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/video/Display.h"
#include "platform/video/DisplayStatus.h"

namespace platform {

// A display without a screen: it keeps the last presented frame for tests and
// injects every fault the graphics object has to answer. Each fault is a field
// the test sets.
class HeadlessDisplay : public Display {
public:
    // Library start and end.
    bool libraryStartFails = false;
    bool libraryEndFails = false;
    // A level listed here answers that list instead of the standard modes.
    std::map<std::int32_t, std::vector<VideoMode>> modeLists;
    std::set<std::int32_t> contextFailsAt;
    bool deviceMissing = false;
    bool directDrawMissing = false;
    bool clipperMissing = false;
    bool primaryMissing = false;
    bool backBufferMissing = false;
    bool renderSettingsFail = false;
    bool clearFails = false;
    bool beginSceneFails = false;
    bool endSceneFails = false;
    // The next presentFailures presents answer presentStatus.
    std::int32_t presentStatus = DDERR_SURFACELOST;
    int presentFailures = 0;
    std::int32_t flipStatus = DD_OK;
    bool videoMemoryFull = false;
    bool surfaceCreationFails = false;
    bool nextSurfaceLost = false;
    // Answers of the cooperative-level test, in order; DD_OK once used up.
    std::deque<std::int32_t> cooperativeLevelAnswers;
    bool restoreAllFails = false;
    // Restoring this surface (primary, back buffer or any other) fails.
    const Surface* restoreFailsFor = nullptr;
    bool setClipListFails = false;
    bool attachClipperFails = false;
    bool fontSmoothingReadFails = false;
    bool fontSmoothingSwitchFails = false;

    void setInitialFontSmoothing(bool on) { fontSmoothing_ = on; }
    // Marks every surface this display made as lost, until it is restored.
    void loseEverything();

    // The last composed picture as 0x00RRGGBB words: the last presented game frame,
    // kept as it was, with the shown layers over it.
    const std::vector<std::uint32_t>& frame() const { return frame_; }
    int frameWidth() const { return frameWidth_; }
    // Game presents, and the presents of layer changes alone.
    int presents() const { return presents_; }
    int layerPresents() const { return layerPresents_; }
    // Called with every composed picture and its width.
    std::function<void(const std::vector<std::uint32_t>&, int)> onCompose;

    std::int32_t initLibrary() override;
    std::int32_t endLibrary() override;
    std::vector<VideoMode> videoModes(std::int32_t level) override;
    std::int32_t createContext(const ContextRequest& request,
                               std::unique_ptr<DisplayContext>& context) override;
    std::int32_t createClipper(std::shared_ptr<Clipper>& clipper) override;
    std::int32_t applyRenderSetting(DisplayContext& context, RenderSetting setting) override;
    std::int32_t clear(DisplayContext& context) override;
    std::int32_t beginScene(DisplayContext& context) override;
    std::int32_t endScene(DisplayContext& context) override;
    std::int32_t present(DisplayContext& context) override;
    std::int32_t flipToGdi() override;
    std::int32_t testCooperativeLevel() override;
    std::int32_t restoreAllSurfaces() override;
    std::int32_t restoreSurface(Surface& surface) override;
    std::int32_t createSurface(int width, int height, bool videoMemory,
                               std::vector<std::uint32_t>* picture,
                               std::shared_ptr<Surface>& surface) override;
    std::int32_t setClipList(Clipper& clipper, const ClipRegion* region) override;
    std::int32_t attachClipper(DisplayContext& context,
                               std::shared_ptr<const Clipper> clipper) override;
    bool readFontSmoothing(bool& on) override;
    bool switchFontSmoothing(bool on) override;

protected:
    void show(const Surface& primary, const Rect& changed) override;
    void showLayers() override;

private:
    void compose();

    const Surface* keptFrom_ = nullptr;
    std::uint64_t keptVersion_ = 0;
    std::vector<std::uint32_t> keptFrame_;
    int keptHeight_ = 0;
    std::vector<std::uint32_t> frame_;
    int frameWidth_ = 0;
    int presents_ = 0;
    int layerPresents_ = 0;
};

}  // namespace platform
