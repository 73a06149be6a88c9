#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/video/Clipper.h"
#include "platform/video/DisplayContext.h"
#include "platform/video/ExternalLayers.h"
#include "platform/video/PixelFormat.h"
#include "platform/video/Surface.h"

namespace platform {

// Device levels of context creation, from the most capable down.
constexpr std::int32_t kLevelTransformAndLight = -6;
constexpr std::int32_t kLevelRasterizer = -5;
constexpr std::int32_t kLevelDefault = -1;
constexpr std::int32_t kLevel2D = -4;
constexpr std::int32_t kLevelReference = -3;

struct VideoMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t refresh = 0;
    bool operator==(const VideoMode&) const = default;
};

struct DeviceDescription {
    std::int32_t index = 0;
    std::string name;
};

struct ContextRequest {
    std::int32_t level = kLevelDefault;
    int width = 0;
    int height = 0;
    std::uint32_t bits = 32;
    bool fullScreen = false;
};

// The render-state calls that prepare a device for sprite drawing, and those a
// draw switches on and off for itself.
enum class RenderSetting {
    PrepareForSprite,
    ColorKeyOn,
    ColorKeyOff,
    AlphaBlendOn,
    AlphaBlendOff,
    SourceBlendOne,
    DestBlendOne,
    ColorModulate,
    DitherOff,
    CullNone,
    LightingOff,
    DepthOff,
    ClearColorBlack,
};

// The display the graphics object draws on. All drawing is software: surfaces are
// pixel buffers in the display's format. A backend only decides how a finished
// frame is shown; the headless one also injects faults.
class Display {
public:
    static constexpr std::uint32_t kDesktopBits = 32;

    virtual ~Display() = default;

    virtual std::int32_t initLibrary();
    virtual std::int32_t endLibrary();
    virtual std::vector<VideoMode> videoModes(std::int32_t level);
    virtual std::vector<DeviceDescription> devices();

    // Makes the primary surface and the back buffer in the format of the request:
    // the asked depth in full screen, the desktop's in a window.
    virtual std::int32_t createContext(const ContextRequest& request,
                                       std::unique_ptr<DisplayContext>& context);
    virtual std::int32_t createClipper(std::shared_ptr<Clipper>& clipper);
    virtual std::int32_t applyRenderSetting(DisplayContext& context, RenderSetting setting);

    virtual std::int32_t clear(DisplayContext& context);
    virtual std::int32_t beginScene(DisplayContext& context);
    virtual std::int32_t endScene(DisplayContext& context);
    // Copies the back buffer into the primary surface and shows it.
    virtual std::int32_t present(DisplayContext& context);
    virtual std::int32_t flipToGdi();
    virtual std::int32_t resize(DisplayContext& context, int width, int height);

    virtual std::int32_t testCooperativeLevel();
    virtual std::int32_t restoreAllSurfaces();
    virtual std::int32_t restoreSurface(Surface& surface);
    virtual bool anythingLost();

    // An off-screen surface in the display's format: black, or showing picture
    // (width x height words 0xAARRGGBB, row after row), which it takes, leaving the
    // vector empty; a picture of another size is refused and kept.
    virtual std::int32_t createSurface(int width, int height, bool videoMemory,
                                       std::vector<std::uint32_t>* picture,
                                       std::shared_ptr<Surface>& surface);

    virtual std::int32_t setClipList(Clipper& clipper, const ClipRegion* region);
    // Attaches the clipper to the back buffer, or detaches it when null.
    virtual std::int32_t attachClipper(DisplayContext& context,
                                       std::shared_ptr<const Clipper> clipper);

    // Screen-font smoothing, which the text engine follows.
    virtual bool readFontSmoothing(bool& on);
    virtual bool switchFontSmoothing(bool on);
    bool fontSmoothing() const { return fontSmoothing_; }

    // Pictures laid over the game frame, by media graph type. A change that alters
    // the window picture presents it at once, with no new game frame; a picture
    // taken out to be drawn over is not presented until it is set again.
    void setExternalPicture(int layer, std::vector<std::uint32_t> pixels, int width, int height);
    std::vector<std::uint32_t> takeExternalPicture(int layer);
    void setExternalPosition(int layer, int x, int y);
    void setExternalShown(int layer, bool shown);
    const ExternalLayers& externalLayers() const { return layers_; }

protected:
    // Puts the presented primary surface on the screen, with the shown layers over it;
    // only the pixels inside changed differ from the primary last shown.
    virtual void show(const Surface& primary, const Rect& changed) = 0;
    // Shows the kept game frame again with the layers as they now are.
    virtual void showLayers() = 0;

    // Every surface still alive that this display made.
    std::vector<std::shared_ptr<Surface>> liveSurfaces();

    bool fontSmoothing_ = false;

private:
    std::shared_ptr<Surface> makeSurface(int width, int height, const PixelFormat& format,
                                         std::vector<std::uint32_t>* picture = nullptr);

    PixelFormat surfaceFormat_ = PixelFormat::ForDepth(kDesktopBits);
    ExternalLayers layers_;
    std::vector<std::weak_ptr<Surface>> surfaces_;
};

}  // namespace platform
