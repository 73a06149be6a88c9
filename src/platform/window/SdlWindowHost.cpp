#include "platform/window/SdlWindowHost.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <cstring>

#include "platform/core/Log.h"
#include "platform/video/SdlRenderer.h"
#include "platform/window/CursorBits.h"
#include "platform/window/CursorCounter.h"
#include "platform/window/SdlEvents.h"
#include "platform/window/X11FullScreen.h"

namespace platform {

namespace {

constexpr int kWidth = WindowPicture::kGameWidth;
constexpr int kWindowHeight = WindowPicture::kGameHeight + Letterbox::kStripRows;

SDL_Surface* ArtSurface(const PixelArt& art, std::vector<std::uint32_t>& pixels) {
    pixels = art.argb();
    return SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), art.width(), art.height(), 32,
                                              art.width() * 4, SDL_PIXELFORMAT_ARGB8888);
}

SDL_Cursor* MonochromeCursor(const PixelArt& art) {
    CursorBits bits = CursorBits::Of(art);
    return SDL_CreateCursor(bits.data.data(), bits.mask.data(), art.width(), art.height(), art.hotX,
                            art.hotY);
}

}  // namespace

SdlWindowHost::SdlWindowHost(std::string titleUtf8, WindowArt art)
    : title_(std::move(titleUtf8)), art_(std::move(art)) {}

SdlWindowHost::~SdlWindowHost() { destroy(); }

bool SdlWindowHost::refused(const char* what) {
    LogError("SdlWindowHost", u8"%sに失敗しました: %s\n", Utf8Arg(what), Utf8Arg(SDL_GetError()));
    return false;
}

WindowHandle SdlWindowHost::fail(const char* what) {
    refused(what);
    destroy();
    return nullptr;
}

WindowHandle SdlWindowHost::createWindow() {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The buttons are read from the window's events: while one is down the pointer is
    // held by the window, so that a release outside it still arrives.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return fail("SDL_InitSubSystem");
    videoStarted_ = true;
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kWidth, kWindowHeight, SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) return fail("SDL_CreateWindow");
    renderer_ = CreateSdlRenderer(window_);
    if (renderer_ == nullptr) return fail("SDL_CreateRenderer");
    SDL_RendererInfo info;
    keepsPicture_ =
        SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    std::vector<std::uint32_t> iconPixels;
    if (SDL_Surface* icon = ArtSurface(art_.icon, iconPixels)) {
        SDL_SetWindowIcon(window_, icon);
        SDL_FreeSurface(icon);
    }
    SDL_StopTextInput();
    PostedMessageEventType();
    applyCursor();
    return reinterpret_cast<WindowHandle>(window_);
}

void SdlWindowHost::destroy() {
    if (!videoStarted_) return;
    SDL_StartTextInput();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    cursor_ = nullptr;
    visible_ = false;
    screenStale_ = true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    videoStarted_ = false;
}

void SdlWindowHost::show() {
    if (window_ == nullptr) return;
    SDL_ShowWindow(window_);
    if (fullScreen()) CoverDisplay(window_);
    SDL_SetWindowInputFocus(window_);
    visible_ = true;
    refresh();
}

void SdlWindowHost::bringForward() {
    if (window_ == nullptr) return;
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

void SdlWindowHost::setCursorKind(int kind) {
    cursorKind_ = kind;
    if (window_ != nullptr) applyCursor();
}

void SdlWindowHost::applyCursor() {
    SDL_Cursor* cursor = nullptr;
    if (cursorKind_ == 1) cursor = MonochromeCursor(art_.monochromeArrow);
    if (cursorKind_ == 2) {
        std::vector<std::uint32_t> pixels;
        if (SDL_Surface* surface = ArtSurface(art_.colourArrow, pixels)) {
            cursor = SDL_CreateColorCursor(surface, art_.colourArrow.hotX, art_.colourArrow.hotY);
            SDL_FreeSurface(surface);
        }
    }
    if (cursor == nullptr) cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (cursor == nullptr) return;
    SDL_SetCursor(cursor);
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    cursor_ = cursor;
}

void SdlWindowHost::syncCursorVisibility() {
    const int count = CursorCount();
    if ((count >= 0) == (shownCount_ >= 0)) return;
    shownCount_ = count;
    SDL_ShowCursor(count >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

bool SdlWindowHost::reportsFocus() const {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver == nullptr ||
           (std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0);
}

Letterbox SdlWindowHost::letterbox() const {
    int w = kWidth;
    int h = kWindowHeight;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &w, &h);
    return Letterbox(w, h, kWidth, fullScreen() ? WindowPicture::kGameHeight : kWindowHeight);
}

bool SdlWindowHost::nextEvent(PlatformEvent& event, std::uint32_t waitMs) {
    syncCursorVisibility();
    SDL_Event sdl;
    int got =
        waitMs > 0 ? SDL_WaitEventTimeout(&sdl, static_cast<int>(waitMs)) : SDL_PollEvent(&sdl);
    for (; got != 0; got = SDL_PollEvent(&sdl)) {
        if (!TranslateSdlEvent(sdl, letterbox(), PostedMessageEventType(), event)) continue;
        // What the window showed may be gone; the next picture is shown even if unchanged.
        if (event.kind == PlatformEvent::Kind::Exposed ||
            event.kind == PlatformEvent::Kind::Resized) {
            screenStale_ = true;
        }
        return true;
    }
    return false;
}

bool SdlWindowHost::applyFullScreen(bool fullScreen) {
    if (window_ == nullptr) return false;
    if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        return refused("SDL_SetWindowFullscreen");
    }
    if (!fullScreen) SDL_SetWindowSize(window_, kWidth, kWindowHeight);
    if (fullScreen && visible_) CoverDisplay(window_);
    screenStale_ = true;
    return true;
}

bool SdlWindowHost::centre() {
    if (window_ == nullptr) return false;
    const int display = SDL_GetWindowDisplayIndex(window_);
    if (display < 0) return refused("SDL_GetWindowDisplayIndex");
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    return true;
}

bool SdlWindowHost::prepareTexture(int height) {
    if (texture_ != nullptr && textureHeight_ == height) return true;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 kWidth, height);
    if (texture_ == nullptr) return false;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
    textureHeight_ = height;
    return true;
}

void SdlWindowHost::showPicture(const WindowPicture& picture) {
    if (renderer_ == nullptr || !visible_) return;
    if (!screenStale_ && picture.revision() == shownRevision_) return;
    const Surface& surface = picture.surface();
    // A texture that holds the picture before this one takes only what changed.
    const bool follows = texture_ != nullptr && textureHeight_ == surface.height() &&
                         !screenStale_ && picture.revision() == shownRevision_ + 1;
    if (!prepareTexture(surface.height())) return;
    const Rect part = follows ? picture.changed() : surface.bounds();
    if (!upload(surface, part)) return;
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const Letterbox box = letterbox();
    const bool filled = box.width() == outputWidth && box.height() == outputHeight;
    if (!filled) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }
    // A software renderer draws into the window's own pixels, which keep the picture
    // before: unscaled, only what changed goes there, and on to the window system.
    const bool unscaled = box.width() == surface.width() && box.height() == surface.height();
    if (!(follows && keepsPicture_ && filled && unscaled) ||
        !presentUnscaled(Intersect(part, surface.bounds()), box)) {
        const SDL_Rect target{box.left(), box.top(), box.width(), box.height()};
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
        SDL_RenderPresent(renderer_);
    }
    shownRevision_ = picture.revision();
    screenStale_ = false;
    ++shownPictures_;
}

// The software renderer's present sends the whole window to the window system; the
// window's own surface can take just the part, which the renderer has drawn once its
// waiting draws are done. False when that fails and the whole must be presented.
bool SdlWindowHost::presentUnscaled(const Rect& part, const Letterbox& box) {
    if (part.empty()) return true;
    const int width = static_cast<int>(part.width()), height = static_cast<int>(part.height());
    const SDL_Rect from{part.left, part.top, width, height};
    const SDL_Rect to{box.left() + part.left, box.top() + part.top, width, height};
    return SDL_RenderCopy(renderer_, texture_, &from, &to) == 0 &&
           SDL_RenderFlush(renderer_) == 0 && SDL_UpdateWindowSurfaceRects(window_, &to, 1) == 0;
}

bool SdlWindowHost::upload(const Surface& surface, const Rect& part) {
    const Rect area = Intersect(part, surface.bounds());
    if (area.empty()) return true;
    const SDL_Rect locked{area.left, area.top, static_cast<int>(area.width()),
                          static_cast<int>(area.height())};
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, &locked, &pixels, &pitch) != 0) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(area.width()) * sizeof(std::uint32_t);
    const std::uint32_t* from = surface.words32() + area.left;
    auto* to = static_cast<std::uint8_t*>(pixels);
    for (int y = area.top; y < area.bottom; ++y) {
        std::memcpy(to + static_cast<std::size_t>(y - area.top) * pitch,
                    from + static_cast<std::size_t>(y) * surface.width(), rowBytes);
    }
    SDL_UnlockTexture(texture_);
    return true;
}

std::vector<std::uint32_t> SdlWindowHost::readBack(int& width, int& height) const {
    std::vector<std::uint32_t> pixels;
    if (renderer_ == nullptr || SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) {
        return pixels;
    }
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(),
                             width * 4) != 0) {
        pixels.clear();
    }
    return pixels;
}

std::vector<std::uint32_t> SdlWindowHost::readScreen(int& width, int& height) const {
    std::vector<std::uint32_t> pixels;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window_ == nullptr || SDL_GetWindowWMInfo(window_, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return pixels;
    }
    SDL_GetWindowSize(window_, &width, &height);
    XImage* image =
        XGetImage(info.info.x11.display, info.info.x11.window, 0, 0, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) return pixels;
    if (image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
        image->blue_mask == 0xFF) {
        pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
            for (int x = 0; x < width; ++x) {
                pixels[static_cast<std::size_t>(y) * width + x] = row[x] & 0xFFFFFFu;
            }
        }
    }
    XDestroyImage(image);
    return pixels;
}

void SdlWindowHost::post(std::uint32_t message) { PostWindowMessage(message); }

}  // namespace platform
