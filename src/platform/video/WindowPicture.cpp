#include "platform/video/WindowPicture.h"

#include <algorithm>
#include <string>

#include "platform/text/TextLayout.h"
#include "platform/text/TextRenderer.h"
#include "platform/window/MenuStrip.h"
#include "platform/window/ModalDialog.h"

namespace platform {

namespace {

constexpr ColorRef Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | g << 8 | b << 16;
}

constexpr ColorRef kFace = Rgb(212, 208, 200);
constexpr ColorRef kShadow = Rgb(64, 64, 64);
constexpr ColorRef kText = Rgb(0, 0, 0);
constexpr ColorRef kGreyText = Rgb(128, 128, 128);
constexpr ColorRef kCaption = Rgb(10, 36, 106);
constexpr ColorRef kCaptionText = Rgb(255, 255, 255);
constexpr ColorRef kHighlight = Rgb(49, 106, 197);
constexpr int kTextHeight = 14;
constexpr int kCheckSquare = 12;
// Labels are one line each: the layout centres a text in its height only as a single
// line, and would otherwise leave it at the top of its button, item or caption.
constexpr std::uint32_t kLabel = TextLayout::kSingleLine | TextLayout::kVCenter;
constexpr std::uint32_t kCentredLabel = kLabel | TextLayout::kCenter;

const PixelFormat& PictureFormat() {
    static const PixelFormat format = PixelFormat::ForDepth(32);
    return format;
}

// The text without its "&" marks, and the byte offset of the marked letter.
std::string WithoutMarks(const std::string& text, std::size_t& marked) {
    std::string shown;
    marked = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            marked = shown.size();
            continue;
        }
        shown.push_back(text[i]);
    }
    return shown;
}

}  // namespace

WindowPicture::WindowPicture() : surface_(kGameWidth, kGameHeight, PictureFormat()) {}

void WindowPicture::compose(const Scene& scene) {
    const bool resized = surface_.height() != kGameHeight + scene.stripRows;
    if (resized) surface_ = Surface(kGameWidth, kGameHeight + scene.stripRows, PictureFormat());
    stripRows_ = scene.stripRows;
    const GameInputs game{scene.frame, scene.frameRevision, scene.layers,
                          scene.layers != nullptr ? scene.layers->revision() : 0};
    // A dialog may cover any part, so the picture is drawn whole while one is open
    // and once more after it has closed.
    const bool whole = !composed_ || resized || dialogDrawn_ || scene.dialog != nullptr;
    // In full screen a shown strip lies over the frame's top rows: the frame under it
    // is drawn again whenever the strip changes, and the strip whenever the frame does.
    const bool overFrame = stripRows_ == 0;
    const bool stripChanged = whole || stripDiffers(scene);
    const bool gameChanged = whole || game != game_ || (overFrame && stripChanged);
    if (!gameChanged && !stripChanged) return;
    Rect step;
    const bool stepOnly = !stripChanged && frameStepOnly(scene, game, step);
    changed_ = stepOnly ? shifted(step) : surface_.bounds();
    if (gameChanged) drawGame(scene, stepOnly ? step : Rect{0, 0, kGameWidth, kGameHeight});
    if (stripChanged || overFrame) {
        surface_.fill({0, 0, kGameWidth, stripRows_}, 0);
        strip_.shown = scene.strip != nullptr;
        if (strip_.shown) {
            strip_.items = scene.strip->items();
            strip_.highlighted = scene.highlighted;
            drawStrip(*scene.strip, scene.highlighted);
        }
    }
    if (scene.dialog != nullptr) drawDialog(*scene.dialog);
    composed_ = true;
    dialogDrawn_ = scene.dialog != nullptr;
    game_ = game;
    ++revision_;
}

bool WindowPicture::stripDiffers(const Scene& scene) const {
    if (scene.strip == nullptr) return strip_.shown;
    return !strip_.shown || strip_.highlighted != scene.highlighted ||
           strip_.items != scene.strip->items();
}

bool WindowPicture::frameStepOnly(const Scene& scene, const GameInputs& game, Rect& changed) const {
    // A strip over the frame is drawn again with it.
    if (stripRows_ == 0 && scene.strip != nullptr) return false;
    GameInputs stepped = game_;
    stepped.frameRevision += 1;
    if (game != stepped) return false;
    changed = Intersect(scene.frameChanged, {0, 0, kGameWidth, kGameHeight});
    return true;
}

// Layers are copied whole over the part drawn again, which they may overlap.
void WindowPicture::drawGame(const Scene& scene, const Rect& part) {
    std::uint32_t* game = surface_.words32() + static_cast<std::size_t>(stripRows_) * kGameWidth;
    const std::size_t count = static_cast<std::size_t>(kGameWidth) * kGameHeight;
    if (scene.frame != nullptr && scene.frame->width() == kGameWidth &&
        scene.frame->height() == kGameHeight) {
        scene.frame->copyXrgb(game, part);
    } else {
        std::fill(game, game + count, 0u);
    }
    if (scene.layers != nullptr) scene.layers->drawOver(game, kGameWidth, kGameWidth, kGameHeight);
}

Rect WindowPicture::shifted(const Rect& r) const {
    return {r.left, r.top + stripRows_, r.right, r.bottom + stripRows_};
}

// The strip's items lie at client rows -20 to -1, the picture's rows 0 to 19 in both forms.
void WindowPicture::drawStrip(const MenuStrip& strip, int highlighted) {
    constexpr int kRows = MenuStrip::kHeight;
    surface_.fill({0, 0, kGameWidth, kRows}, kFace);
    for (const auto& item : strip.items()) {
        const Rect box{item.bounds.left, item.bounds.top + kRows, item.bounds.right,
                       item.bounds.bottom + kRows};
        const bool lit = item.id == highlighted && item.enabled;
        if (lit) surface_.fill(box, kHighlight);
        const ColorRef color = !item.enabled ? kGreyText : lit ? kCaptionText : kText;
        drawText(item.text, box, kCentredLabel, color);
    }
}

void WindowPicture::drawDialog(const ModalDialog& dialog) {
    const Rect frame = shifted(dialog.frameBounds());
    const Rect client = shifted(dialog.clientBounds());
    drawFrame(frame, kShadow, 1);
    const Rect caption{frame.left + 1, frame.top + 1, frame.right - 1, client.top};
    surface_.fill(caption, kCaption);
    surface_.fill(client, kFace);
    const DialogTemplate& t = dialog.dialogTemplate();
    drawText(t.caption, {caption.left + 4, caption.top, caption.right, caption.bottom}, kLabel,
             kCaptionText);
    if (t.closeBox) {
        const Rect close = shifted(dialog.closeBoxBounds());
        surface_.fill(close, kFace);
        drawText("x", close, kCentredLabel, kText);
    }
    for (const auto& c : t.controls) {
        const Rect box = shifted(dialog.controlBounds(c));
        const bool focused = c.id == dialog.focusedId();
        switch (c.kind) {
            case DialogControl::Kind::Button:
            case DialogControl::Kind::DefaultButton:
                drawFrame(box, kShadow, c.kind == DialogControl::Kind::DefaultButton ? 2 : 1);
                if (focused)
                    drawFrame({box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, kGreyText,
                              1);
                drawText(c.text, box, kCentredLabel, kText);
                break;
            case DialogControl::Kind::CheckBox: {
                // The square is centred in the control's height, as its label is.
                const int top = box.top + (box.bottom - box.top - kCheckSquare) / 2;
                const Rect square{box.left, top, box.left + kCheckSquare, top + kCheckSquare};
                surface_.fill(square, Rgb(255, 255, 255));
                drawFrame(square, kShadow, 1);
                if (dialog.isChecked(c.id))
                    surface_.fill(
                        {square.left + 3, square.top + 3, square.right - 3, square.bottom - 3},
                        kText);
                if (focused)
                    drawFrame({box.left + 15, box.top, box.right, box.bottom}, kGreyText, 1);
                drawText(c.text, {box.left + 17, box.top, box.right, box.bottom}, kLabel, kText);
                break;
            }
            case DialogControl::Kind::CentredStatic:
                drawText(c.text, box, TextLayout::kCenter, kText);
                break;
            case DialogControl::Kind::Static:
                drawText(c.text, box, 0, kText);
                break;
        }
    }
}

void WindowPicture::drawFrame(const Rect& r, std::uint32_t color, int thickness) {
    surface_.fill({r.left, r.top, r.right, r.top + thickness}, color);
    surface_.fill({r.left, r.bottom - thickness, r.right, r.bottom}, color);
    surface_.fill({r.left, r.top, r.left + thickness, r.bottom}, color);
    surface_.fill({r.right - thickness, r.top, r.right, r.bottom}, color);
}

void WindowPicture::drawText(const std::string& text, const Rect& box, std::uint32_t format,
                             std::uint32_t color) {
    std::size_t marked = 0;
    const std::string shown = WithoutMarks(text, marked);
    const auto cells = TextLayout::Box(shown, box, format | TextLayout::kNoClip, kTextHeight);
    TextRenderer::Shared().draw(surface_, shown, cells, {kTextHeight, false, color, true},
                                surface_.bounds());
    for (const auto& cell : cells) {
        if (cell.offset == marked) {
            surface_.fill(
                {cell.x, cell.y + kTextHeight, cell.x + cell.width, cell.y + kTextHeight + 1},
                color);
        }
    }
}

}  // namespace platform
