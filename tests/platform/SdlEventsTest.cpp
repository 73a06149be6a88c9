#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/Letterbox.h"
#include "platform/SdlEvents.h"

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

TEST(SdlEvents, TranslateToWindowEvents) {
    const Letterbox window(800, 620, 800, 620);
    constexpr Uint32 kUser = 0x9000;
    SDL_Event user{};
    user.type = kUser;
    user.user.code = 0x8003;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    const struct {
        SDL_Event sdl;
        bool translated;
        PlatformEvent expected;
    } cases[] = {
        {Key(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, true),
         true,
         {.kind = Kind::KeyDown, .key = 27, .repeat = true}},
        {Key(SDL_KEYUP, SDLK_q, SDL_SCANCODE_A), true, {.kind = Kind::KeyUp, .key = 'Q'}},
        {Key(SDL_KEYDOWN, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER),
         true,
         {.kind = Kind::KeyDown, .key = 13}},
        {Key(SDL_KEYDOWN, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT),
         true,
         {.kind = Kind::KeyDown, .key = 16}},
        {Key(SDL_KEYDOWN, SDLK_F12, SDL_SCANCODE_F12), true, {.kind = Kind::KeyDown, .key = 123}},
        {Key(SDL_KEYDOWN, SDLK_KP_5, SDL_SCANCODE_KP_5), true, {.kind = Kind::KeyDown, .key = 101}},
        {Key(SDL_KEYDOWN, SDLK_MUTE, SDL_SCANCODE_MUTE), false, {}},
        {Window(SDL_WINDOWEVENT_CLOSE), true, {.kind = Kind::CloseRequest}},
        {Window(SDL_WINDOWEVENT_FOCUS_LOST), true, {.kind = Kind::FocusLost}},
        {Window(SDL_WINDOWEVENT_EXPOSED), true, {.kind = Kind::Exposed}},
        {Window(SDL_WINDOWEVENT_MOVED), true, {.kind = Kind::Moved}},
        {Window(SDL_WINDOWEVENT_SHOWN), false, {}},
        {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 5),
         true,
         {.kind = Kind::ButtonDown, .key = 1, .x = 100, .y = -15}},
        {Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_X2, 799, 619),
         true,
         {.kind = Kind::ButtonUp, .key = 6, .x = 799, .y = 599}},
        {user, true, {.kind = Kind::Posted, .message = 0x8003}},
        {quit, true, {.kind = Kind::Terminate}},
    };
    for (const auto& c : cases) {
        PlatformEvent event;
        ASSERT_EQ(platform::TranslateSdlEvent(c.sdl, window, kUser, event), c.translated)
            << c.sdl.type;
        if (!c.translated) continue;
        EXPECT_EQ(event.kind, c.expected.kind) << c.sdl.type;
        EXPECT_EQ(event.key, c.expected.key) << c.sdl.type;
        EXPECT_EQ(event.repeat, c.expected.repeat);
        EXPECT_EQ(event.x, c.expected.x);
        EXPECT_EQ(event.y, c.expected.y);
        EXPECT_EQ(event.message, c.expected.message);
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
