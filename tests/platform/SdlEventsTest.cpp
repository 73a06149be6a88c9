#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>
#include <tuple>
#include <vector>

#include "platform/input/SdlKeys.h"
#include "platform/input/VirtualKeys.h"
#include "platform/video/Letterbox.h"
#include "platform/window/SdlEvents.h"

using platform::Letterbox;
using platform::PlatformEvent;
using Kind = PlatformEvent::Kind;

namespace {

SDL_Event Key(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    e.key.repeat = repeat ? 1 : 0;
    return e;
}

SDL_Event Window(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    return e;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

}  // namespace

// A virtual key reads down from every key that stands for it and from no other; the
// keyboard state may be shorter than the scancodes asked for.
TEST(SdlKeys, AVirtualKeyReadsDownFromTheKeysThatStandForIt) {
    const struct {
        int virtualKey;
        SDL_Scancode held;
        bool down;
    } cases[] = {
        {platform::VK_RETURN, SDL_SCANCODE_RETURN, true},
        {platform::VK_RETURN, SDL_SCANCODE_KP_ENTER, true},
        {platform::VK_SHIFT, SDL_SCANCODE_RSHIFT, true},
        {platform::VK_LSHIFT, SDL_SCANCODE_RSHIFT, false},
        {platform::VK_RCONTROL, SDL_SCANCODE_RCTRL, true},
        {platform::VK_NUMPAD0, SDL_SCANCODE_KP_0, true},
        {platform::VK_NUMPAD0 + 1, SDL_SCANCODE_KP_1, true},
        {platform::VK_NUMPAD9, SDL_SCANCODE_KP_9, true},
        {platform::VK_NUMPAD9, SDL_SCANCODE_KP_8, false},
        {platform::VK_F1, SDL_SCANCODE_F1, true},
        {platform::VK_F12, SDL_SCANCODE_F12, true},
        {platform::VK_F12, SDL_SCANCODE_F11, false},
        {platform::VK_ESCAPE, SDL_SCANCODE_ESCAPE, true},
        {platform::VK_ESCAPE, SDL_SCANCODE_SPACE, false},
        {platform::VK_LBUTTON, SDL_SCANCODE_UNKNOWN, false},
        {-1, SDL_SCANCODE_ESCAPE, false},
        {platform::kVirtualKeyCount, SDL_SCANCODE_ESCAPE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.virtualKey);
        std::vector<std::uint8_t> keys(SDL_NUM_SCANCODES, 0);
        keys[c.held] = 1;
        EXPECT_EQ(platform::VirtualKeyDown(c.virtualKey, keys), c.down);
        const std::span<const std::uint8_t> shorter(keys.data(), c.held);
        EXPECT_FALSE(platform::VirtualKeyDown(c.virtualKey, shorter));
    }
}

TEST(SdlEvents, TranslateToWindowEvents) {
    const Letterbox window(800, 620, 800, 620);
    constexpr Uint32 kUser = 0x9000;
    SDL_Event user{};
    user.type = kUser;
    user.user.code = 0x8003;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    const auto down = [](int key) { return PlatformEvent{.kind = Kind::KeyDown, .key = key}; };
    const struct {
        SDL_Event sdl;
        std::optional<PlatformEvent> expected;
    } cases[] = {
        {Key(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, true),
         PlatformEvent{.kind = Kind::KeyDown, .key = 27, .repeat = true}},
        {Key(SDL_KEYUP, SDLK_q, SDL_SCANCODE_A), PlatformEvent{.kind = Kind::KeyUp, .key = 'Q'}},
        {Key(SDL_KEYDOWN, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), down(13)},
        {Key(SDL_KEYDOWN, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), down(16)},
        {Key(SDL_KEYDOWN, SDLK_F12, SDL_SCANCODE_F12), down(123)},
        {Key(SDL_KEYDOWN, SDLK_KP_5, SDL_SCANCODE_KP_5), down(101)},
        {Key(SDL_KEYDOWN, SDLK_MUTE, SDL_SCANCODE_MUTE), std::nullopt},
        {Window(SDL_WINDOWEVENT_CLOSE), PlatformEvent{.kind = Kind::CloseRequest}},
        {Window(SDL_WINDOWEVENT_FOCUS_LOST), PlatformEvent{.kind = Kind::FocusLost}},
        {Window(SDL_WINDOWEVENT_EXPOSED), PlatformEvent{.kind = Kind::Exposed}},
        {Window(SDL_WINDOWEVENT_MOVED), PlatformEvent{.kind = Kind::Moved}},
        {Window(SDL_WINDOWEVENT_SHOWN), std::nullopt},
        {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 5),
         PlatformEvent{.kind = Kind::ButtonDown, .key = 1, .x = 100, .y = -15}},
        {Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_X2, 799, 619),
         PlatformEvent{.kind = Kind::ButtonUp, .key = 6, .x = 799, .y = 599}},
        {user, PlatformEvent{.kind = Kind::Posted, .message = 0x8003}},
        {quit, PlatformEvent{.kind = Kind::Terminate}},
    };
    const auto fields = [](const PlatformEvent& e) {
        return std::tuple(static_cast<int>(e.kind), e.key, e.repeat, e.shift, e.x, e.y, e.message);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sdl.type);
        PlatformEvent event;
        ASSERT_EQ(platform::TranslateSdlEvent(c.sdl, window, kUser, event), c.expected.has_value());
        if (c.expected) {
            EXPECT_EQ(fields(event), fields(*c.expected));
        }
    }
}

TEST(Letterbox, AWarpedPixelReadsBack) {
    for (double scale : {1.0, 1.28, 1.8, 2.4}) {
        const int w = static_cast<int>(800 * scale) + 37;  // a wider desktop: bars left and right
        const int h = static_cast<int>(600 * scale);
        const Letterbox box(w, h, 800, 600);
        EXPECT_NEAR(box.scale(), scale, 1e-9);
        int wrong = 0;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const platform::PointerPosition client{x, y - Letterbox::kStripRows};
                const platform::PointerPosition at = box.clientToWindow(client);
                const platform::PointerPosition back = box.windowToClient(at.x, at.y);
                if (back.x != client.x || back.y != client.y) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << scale;
        // The bars read outside the game area.
        EXPECT_LT(box.windowToClient(0, 0).x, 0);
    }
}

// The picture is placed whole, centred at the largest scale that fits the window's
// real size, and a window point reads the client pixel drawn under it; the bars
// read outside the game area.
TEST(Letterbox, ThePictureIsPlacedWholeAndPointsReadWhatIsDrawnUnderThem) {
    const struct {
        int windowWidth, windowHeight, pictureHeight;
        int left, top, width, height;
        platform::PointerPosition point, client;
    } cases[] = {
        {800, 620, 620, 0, 0, 800, 620, {400, 440}, {400, 420}},
        {800, 620, 620, 0, 0, 800, 620, {5, 3}, {5, -17}},
        {1280, 1024, 600, 0, 32, 1280, 960, {641, 705}, {400, 400}},
        {1280, 1024, 600, 0, 32, 1280, 960, {641, 31}, {400, -21}},
        {1280, 1024, 600, 0, 32, 1280, 960, {1279, 991}, {799, 579}},
        {1920, 1080, 600, 240, 0, 1440, 1080, {239, 541}, {-1, 280}},
        {1920, 1080, 600, 240, 0, 1440, 1080, {1681, 541}, {800, 280}},
        {1024, 768, 600, 0, 0, 1024, 768, {1023, 767}, {799, 579}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.windowWidth << "x" << c.windowHeight << " "
                                          << c.point.x << "," << c.point.y);
        const Letterbox box(c.windowWidth, c.windowHeight, 800, c.pictureHeight);
        EXPECT_EQ(std::tuple(box.left(), box.top(), box.width(), box.height()),
                  std::tuple(c.left, c.top, c.width, c.height));
        const platform::PointerPosition client = box.windowToClient(c.point.x, c.point.y);
        EXPECT_EQ(std::pair(client.x, client.y), std::pair(c.client.x, c.client.y));
    }
}
