#pragma once

#include <string>

#include "platform/video/Letterbox.h"
#include "platform/video/PixelArt.h"
#include "platform/window/WindowHost.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;

namespace platform {

// The main window on SDL: an 800 x 620 window (strip and game area) or the
// desktop in full screen with the picture letterboxed, one software-composed
// picture streamed to one texture.
class SdlWindowHost : public WindowHost {
public:
    SdlWindowHost(std::string titleUtf8, WindowArt art);
    ~SdlWindowHost() override;

    void show() override;
    void bringForward() override;
    bool visible() const override { return visible_; }
    void setCursorKind(int kind) override;
    void destroy() override;
    void post(std::uint32_t message) override;
    bool centre() override;

    SDL_Window* sdlWindow() const { return window_; }
    // Window points and picture pixels at the window's present size.
    Letterbox letterbox() const;
    // The window's pixels as last presented, 0x00RRGGBB; empty when unreadable.
    std::vector<std::uint32_t> readBack(int& width, int& height) const;
    // The window's pixels as the X server holds them, 0x00RRGGBB; empty under any
    // other window system or pixel layout.
    std::vector<std::uint32_t> readScreen(int& width, int& height) const;
    // Pictures put on the screen: a picture unchanged since the last is not shown again.
    int shownPictures() const { return shownPictures_; }

protected:
    WindowHandle createWindow() override;
    bool nextEvent(PlatformEvent& event, std::uint32_t waitMs) override;
    bool reportsFocus() const override;
    bool applyFullScreen(bool fullScreen) override;
    void showPicture(const WindowPicture& picture) override;

private:
    WindowHandle fail(const char* what);
    // Logs SDL's reason for a failed call; false.
    static bool refused(const char* what);
    void applyCursor();
    void syncCursorVisibility();
    // The streaming texture at the picture's height.
    // Copies the part of the picture into the texture.
    bool upload(const Surface& surface, const Rect& part);
    bool prepareTexture(int height);
    // Draws the part of the texture at its place in a letterbox at one to one, and
    // shows just that part; false when it could not.
    bool presentUnscaled(const Rect& part, const Letterbox& box);

    std::string title_;
    WindowArt art_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Cursor* cursor_ = nullptr;
    int textureHeight_ = 0;
    std::uint64_t shownRevision_ = 0;
    bool screenStale_ = true;
    // The renderer's target keeps its pixels from one present to the next.
    bool keepsPicture_ = false;
    int shownPictures_ = 0;
    int cursorKind_ = 0;
    int shownCount_ = 0;
    bool visible_ = false;
    bool videoStarted_ = false;
};

}  // namespace platform
