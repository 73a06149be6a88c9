#pragma once

#include <cstdint>
#include <vector>

#include "platform/video/ExternalLayers.h"
#include "platform/video/Surface.h"
#include "platform/window/MenuStrip.h"

namespace platform {

class ModalDialog;

// What the window shows: the kept game frame, with the menu strip above it in a
// window and an open dialog drawn over it. Both window backends build the same
// picture, so strip and dialog pixels can be checked without a screen. Only the
// parts whose inputs changed are drawn again, and the revision counts the pictures
// that differ from the one before, so a backend can skip showing the same again.
class WindowPicture {
public:
    static constexpr int kGameWidth = 800;
    static constexpr int kGameHeight = 600;

    struct Scene {
        const Surface* frame = nullptr;    // 800 x 600 in any format; null: black
        int stripRows = 0;                 // 20 in a window, 0 in full screen
        const MenuStrip* strip = nullptr;  // null: the strip is not drawn
        int highlighted = 0;
        const ModalDialog* dialog = nullptr;
        const ExternalLayers* layers = nullptr;  // drawn over the frame, below the strip
        // Changes whenever the frame's pixels change.
        std::uint64_t frameRevision = 0;
        // The part of the frame its revision changed from the one before.
        Rect frameChanged{0, 0, kGameWidth, kGameHeight};
    };

    WindowPicture();

    void compose(const Scene& scene);
    // The picture: 800 x 620 in a window, strip rows first; 800 x 600 in full screen.
    const Surface& surface() const { return surface_; }
    // Rows above the game area.
    int stripRows() const { return stripRows_; }
    // Grows whenever compose draws anything; a picture left as it was keeps it.
    std::uint64_t revision() const { return revision_; }
    // The part of the picture that its revision changed from the one before.
    const Rect& changed() const { return changed_; }

private:
    // What the game area and the strip were last drawn from.
    struct GameInputs {
        const Surface* frame = nullptr;
        std::uint64_t frameRevision = 0;
        const ExternalLayers* layers = nullptr;
        std::uint64_t layersRevision = 0;
        bool operator==(const GameInputs&) const = default;
    };
    struct StripInputs {
        bool shown = false;
        std::vector<MenuStrip::Item> items;
        int highlighted = 0;
    };

    bool stripDiffers(const Scene& scene) const;
    // Only the frame moved on by one revision, changing what lies inside the result.
    bool frameStepOnly(const Scene& scene, const GameInputs& game, Rect& changed) const;
    void drawGame(const Scene& scene, const Rect& part);
    void drawStrip(const MenuStrip& strip, int highlighted);
    void drawDialog(const ModalDialog& dialog);
    void drawFrame(const Rect& r, std::uint32_t color, int thickness);
    void drawText(const std::string& text, const Rect& box, std::uint32_t format,
                  std::uint32_t color);
    Rect shifted(const Rect& r) const;

    Surface surface_;
    int stripRows_ = 0;
    std::uint64_t revision_ = 0;
    Rect changed_;
    bool composed_ = false;
    bool dialogDrawn_ = false;
    GameInputs game_;
    StripInputs strip_;
};

}  // namespace platform
