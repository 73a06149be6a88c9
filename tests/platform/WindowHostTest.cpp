#include <SDL.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/SingleInstanceGuard.h"
#include "platform/input/VirtualKeys.h"
#include "platform/media/MediaPump.h"
#include "platform/video/WindowPicture.h"
#include "platform/window/CursorBits.h"
#include "platform/window/HeadlessWindowHost.h"
#include "platform/window/MenuStrip.h"
#include "platform/window/ModalDialog.h"
#include "platform/window/SdlWindowHost.h"
#include "platform/window/SystemCommands.h"
#include "platform/window/WindowMessages.h"
#include "support/Bytes.h"
#include "support/FirstInstance.h"
#include "support/TestKit.h"

using namespace platform;

namespace {

std::string GuardName(const zktest::TestKit& kit) {
    return "zktest-guard-" + kit.dir.path().filename().string();
}

// Anything of the guard's left in the folders it may use.
bool LeftBehind(const std::string& name) {
    const std::string runtime = "/run/user/" + std::to_string(getuid());
    const char* session = std::getenv("XDG_RUNTIME_DIR");
    for (const std::string& folder :
         {std::string("/tmp"), runtime, std::string(session != nullptr ? session : "/tmp")}) {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
            if (entry.path().filename().string().starts_with(name)) return true;
        }
    }
    return false;
}

// An environment variable set, or cleared when given null, for a test's time.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        Set(name, value);
    }
    ~ScopedEnv() { Set(name_, saved_ ? saved_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    static void Set(const char* name, const char* value) {
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }

    const char* name_;
    std::optional<std::string> saved_;
};

// A folder of the test's own, private unless the mode says otherwise.
std::string MakeFolder(const std::string& path, std::filesystem::perms mode) {
    std::filesystem::create_directories(path);
    std::filesystem::permissions(path, mode);
    return std::filesystem::absolute(path).string();
}

}  // namespace

TEST(WindowHost, PostedMessagesArriveOnTheLoopThreadInOrder) {
    zktest::TestKit kit;
    HeadlessWindowHost host;
    std::vector<std::uint32_t> received;
    std::vector<std::thread::id> threads;
    ASSERT_NE(host.create([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
        if (message >= WM_DSHOW_EVENT) {
            received.push_back(message);
            threads.push_back(std::this_thread::get_id());
        }
        return std::intptr_t{0};
    }),
              nullptr);
    std::thread poster([&] {
        for (int i = 0; i < 30; ++i) host.post(WM_DSHOW_EVENT + static_cast<std::uint32_t>(i % 3));
    });
    poster.join();
    while (host.pumpEvent(0)) {
    }
    ASSERT_EQ(received.size(), 30u);
    for (std::size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i], WM_DSHOW_EVENT + i % 3);
        EXPECT_EQ(threads[i], std::this_thread::get_id());
    }
}

// A movie's end reaches the window while it exists, and nothing is left to post
// into a window that is gone.
TEST(WindowHost, MediaEndsArePostedOnlyWhileTheWindowExists) {
    zktest::TestKit kit;
    {
        HeadlessWindowHost host;
        std::vector<std::uint32_t> received;
        ASSERT_NE(host.create([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
            if (message >= WM_DSHOW_EVENT) received.push_back(message);
            return std::intptr_t{0};
        }),
                  nullptr);
        ASSERT_TRUE(MediaPump::instance().poster);
        MediaPump::instance().poster(nullptr, WM_DSHOW_EVENT + 2);
        while (host.pumpEvent(0)) {
        }
        EXPECT_EQ(received, std::vector<std::uint32_t>{WM_DSHOW_EVENT + 2});
    }
    EXPECT_FALSE(MediaPump::instance().poster);
}

TEST(WindowHost, StripItemsAndDialogLayout) {
    MenuStrip strip;
    strip.addItem(102, "\x83\x5A\x81\x5B\x83\x75");  // three two-byte characters
    strip.addItem(104, "ab");
    EXPECT_EQ(strip.items()[0].bounds, (Rect{0, -20, 58, 0}));
    EXPECT_EQ(strip.items()[1].bounds, (Rect{58, -20, 88, 0}));
    EXPECT_EQ(strip.itemAt(57, -1)->id, 102);
    EXPECT_EQ(strip.itemAt(58, -20)->id, 104);
    EXPECT_EQ(strip.itemAt(88, -10), nullptr);
    EXPECT_EQ(strip.itemAt(10, 0), nullptr);
    strip.setAttached(false);
    EXPECT_EQ(strip.itemAt(10, -10), nullptr);
    for (int command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE, SC_RESTORE}) {
        EXPECT_FALSE(strip.removeItem(command)) << command;
    }
    EXPECT_TRUE(strip.removeItem(102));
    EXPECT_FALSE(strip.removeItem(102));
    ASSERT_EQ(strip.items().size(), 1u);
    EXPECT_EQ(strip.items()[0].bounds, (Rect{0, -20, 30, 0})) << "the gap is closed";

    EXPECT_EQ(DialogUnitsToPixels(1), 2);
    ModalDialog box({106, "", 213, 98, true, {}},
                    [](ModalDialog&, std::uint32_t, std::uintptr_t) { return std::intptr_t{0}; });
    EXPECT_EQ(box.frameBounds(), (Rect{212, 203, 587, 397}));
    EXPECT_EQ(box.clientBounds(), (Rect{213, 224, 586, 396}));
}

TEST(WindowHost, DialogKeysAndClicks) {
    using Kind = DialogControl::Kind;
    const DialogTemplate quit{108,
                              "",
                              207,
                              66,
                              true,
                              {{1003, Kind::DefaultButton, 37, 45, 50, 14, "Yes(&Y)"},
                               {1004, Kind::Button, 122, 45, 50, 14, "No(&N)"},
                               {1002, Kind::CheckBox, 13, 20, 152, 10, "box"}}};
    const auto key = [](int vk, bool shift = false) {
        return PlatformEvent{.kind = PlatformEvent::Kind::KeyDown, .key = vk, .shift = shift};
    };
    const struct {
        std::vector<PlatformEvent> events;
        std::vector<std::uintptr_t> commands;  // 0 stands for WM_CLOSE
        bool checked;
    } cases[] = {
        {{key(VK_RETURN)}, {1003}, false},
        {{key(VK_TAB), key(VK_RETURN)}, {1004}, false},
        {{key(VK_TAB), key(VK_TAB), key(VK_SPACE), key(VK_RETURN)}, {1003}, true},
        {{key(VK_TAB, true), key(VK_SPACE), key(VK_SPACE)}, {}, false},
        {{key(VK_TAB, true), key(VK_TAB, true), key(VK_SPACE)}, {1004}, false},
        {{key('N'), key(VK_ESCAPE)}, {1004, 0}, false},
        {{key('Y')}, {1003}, false},
    };
    for (const auto& c : cases) {
        std::vector<std::uintptr_t> commands;
        ModalDialog box(quit, [&](ModalDialog&, std::uint32_t message, std::uintptr_t wParam) {
            if (message == WM_COMMAND) commands.push_back(wParam);
            if (message == WM_CLOSE) commands.push_back(0);
            return std::intptr_t{0};
        });
        for (const auto& e : c.events) box.handle(e);
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(box.isChecked(1002), c.checked);
    }

    std::vector<std::uintptr_t> commands;
    ModalDialog box(quit, [&](ModalDialog&, std::uint32_t message, std::uintptr_t wParam) {
        commands.push_back(message == WM_CLOSE ? 0 : wParam);
        return std::intptr_t{0};
    });
    const Rect no = box.controlBounds(quit.controls[1]);
    const Rect close = box.closeBoxBounds();
    const auto button = [](PlatformEvent::Kind kind, int x, int y) {
        return PlatformEvent{.kind = kind, .key = VK_LBUTTON, .x = x, .y = y};
    };
    box.handle(button(PlatformEvent::Kind::ButtonDown, no.left + 1, no.top + 1));
    box.handle(button(PlatformEvent::Kind::ButtonUp, 0, 0));  // released elsewhere
    box.handle(button(PlatformEvent::Kind::ButtonDown, no.left + 1, no.top + 1));
    box.handle(button(PlatformEvent::Kind::ButtonUp, no.right - 1, no.bottom - 1));
    box.handle(button(PlatformEvent::Kind::ButtonDown, close.left, close.top));
    box.handle(button(PlatformEvent::Kind::ButtonUp, close.left, close.top));
    EXPECT_EQ(commands, (std::vector<std::uintptr_t>{1004, 0}));
}

// Each label's ink leaves as many pixels above it as below (and on buttons, items and
// the close box left as right; a left-aligned label starts where its box says), to the
// slack its glyphs ask: the quit box's kana, parentheses and underlines fill the cell,
// capitals and small letters stand above its foot, a kanji rises over its top.
TEST(WindowHost, LabelsLieInTheMiddleOfTheirButtonsItemsAndCaption) {
    using Kind = DialogControl::Kind;
    using zktest::Sjis;
    constexpr ColorRef kFace = 212 | 208 << 8 | 200 << 16;
    constexpr ColorRef kCaption = 10 | 36 << 8 | 106 << 16;
    const DialogTemplate box{108,
                             Sjis(u8"確認"),
                             207,
                             110,
                             true,
                             {{1003, Kind::DefaultButton, 37, 45, 50, 14, Sjis(u8"はい(&Y)")},
                              {1004, Kind::Button, 122, 45, 50, 14, Sjis(u8"いいえ(&N)")},
                              {1, Kind::Button, 37, 65, 50, 14, "OK"},
                              {2, Kind::Button, 100, 65, 103, 16, "OK"},
                              {1002, Kind::CheckBox, 13, 90, 152, 10, "box"}}};
    const ModalDialog dialog(box, {});
    MenuStrip strip;
    strip.addItem(102, Sjis(u8"セーブ"));
    WindowPicture picture;
    picture.compose({.stripRows = MenuStrip::kHeight, .strip = &strip, .dialog = &dialog});
    const Surface& shown = picture.surface();
    // The part of r whose pixels are not the background's colour.
    const auto ink = [&](const Rect& r, ColorRef background) {
        Rect found;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                ColorRef c = 0;
                shown.getPixel(x, y, c);
                if (c != background) found = Enclose(found, {x, y, x + 1, y + 1});
            }
        }
        return found;
    };
    const auto onPicture = [](const Rect& r) {
        return Rect{r.left, r.top + MenuStrip::kHeight, r.right, r.bottom + MenuStrip::kHeight};
    };
    const auto control = [&](std::size_t i) {
        return onPicture(dialog.controlBounds(box.controls[i]));
    };
    // Inside a button's frame and focus mark.
    const auto inner = [](const Rect& r) {
        return Rect{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
    };
    const Rect check = control(4);
    const Rect square{check.left, check.top, check.left + 12, check.bottom};
    const Rect close = onPicture(dialog.closeBoxBounds());
    const Rect caption{onPicture(dialog.frameBounds()).left + 1,
                       onPicture(dialog.frameBounds()).top + 1, close.left,
                       onPicture(dialog.clientBounds()).top};
    const Rect item{0, 0, strip.items()[0].bounds.right, MenuStrip::kHeight};
    constexpr int kLeftAligned = -1;
    const struct {
        const char* what;
        Rect holder;
        Rect searched;
        ColorRef background;
        int downSlack;
        int acrossSlack;  // kLeftAligned: the ink starts indent pixels in
        int indent;
    } labels[] = {
        {"yes", control(0), inner(control(0)), kFace, 1, 2, 0},
        {"no", control(1), inner(control(1)), kFace, 1, 2, 0},
        {"ok", control(2), inner(control(2)), kFace, 3, 1, 0},
        {"tall ok", control(3), inner(control(3)), kFace, 2, 1, 0},
        {"check label",
         check,
         {square.right, check.top, check.right, check.bottom},
         kFace,
         2,
         kLeftAligned,
         18},
        {"check square", square, square, kFace, 0, 0, 0},
        {"close box", close, close, kFace, 2, 1, 0},
        {"caption", caption, caption, kCaption, 2, kLeftAligned, 4},
        {"strip item", item, item, kFace, 1, 1, 0},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.what);
        const Rect found = ink(l.searched, l.background);
        ASSERT_FALSE(found.empty());
        EXPECT_NEAR(found.top - l.holder.top, l.holder.bottom - found.bottom, l.downSlack);
        if (l.acrossSlack == kLeftAligned) {
            EXPECT_EQ(found.left - l.holder.left, l.indent);
        } else {
            EXPECT_NEAR(found.left - l.holder.left, l.holder.right - found.right, l.acrossSlack);
        }
    }
}

// The menu loop opened by a press on Save, with Load disabled: what is lit on the
// screen, the messages that follow the loop and whether the game is told to quit.
TEST(WindowHost, MenuLoopLightsOnlyEnabledItemsAndEndsAsItsLastEventSays) {
    using Kind = PlatformEvent::Kind;
    const auto move = [](int x) {
        return PlatformEvent{.kind = Kind::PointerMoved, .x = x, .y = -10};
    };
    const PlatformEvent escape{.kind = Kind::KeyDown, .key = VK_ESCAPE};
    const struct {
        std::vector<PlatformEvent> events;
        std::vector<int> lit;
        std::vector<std::uint32_t> after;
        bool terminated;
    } cases[] = {
        {{move(45), move(200), move(10), escape}, {102, 0, 102, 0}, {}, false},
        {{{.kind = Kind::FocusLost}}, {102, 0}, {WM_ACTIVATEAPP}, false},
        {{{.kind = Kind::Terminate}}, {102, 0}, {}, true},
    };
    for (const auto& c : cases) {
        zktest::TestKit kit;
        HeadlessWindowHost host;
        host.menu().addItem(102, "Save");
        host.menu().addItem(103, "Load");
        host.menu().setEnabled(103, false);
        std::vector<std::uint32_t> messages;
        ASSERT_NE(host.create([&](std::uint32_t m, std::uintptr_t, std::intptr_t) {
            messages.push_back(m);
            return std::intptr_t{0};
        }),
                  nullptr);
        host.show();
        ASSERT_EQ(host.menu().itemAt(45, -10)->id, 103);
        std::vector<int> lit;
        host.onRefresh = [&] {
            if (lit.empty() || lit.back() != host.highlightedItem())
                lit.push_back(host.highlightedItem());
        };
        host.push({.kind = Kind::ButtonDown, .key = VK_LBUTTON, .x = 10, .y = -10});
        for (const PlatformEvent& event : c.events) host.push(event);
        messages.clear();
        ASSERT_TRUE(host.pumpEvent(0));
        const auto exit = std::find(messages.begin(), messages.end(), WM_EXITMENULOOP);
        ASSERT_NE(exit, messages.end());
        const std::vector<std::uint32_t> after(exit + 1, messages.end());
        EXPECT_EQ(lit, c.lit);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(host.terminated(), c.terminated);
    }
}

// Only a start on the same display meets the first; one on another X server or seat
// starts as well.
TEST(SingleInstanceGuard, ASecondStartMeetsTheFirstOnItsOwnDisplayOnly) {
    const struct {
        const char* display;
        const char* wayland;
        SingleInstanceGuard::Result second;
    } cases[] = {
        {":5", nullptr, SingleInstanceGuard::Result::NotRaised},
        {":5", "wayland-0", SingleInstanceGuard::Result::NotRaised},
        {":6", nullptr, SingleInstanceGuard::Result::First},
        {"", "wayland-0", SingleInstanceGuard::Result::First},
        {nullptr, nullptr, SingleInstanceGuard::Result::First},
    };
    for (const auto& c : cases) {
        zktest::TestKit kit;
        const std::string name = GuardName(kit);
        const ScopedEnv runtime("XDG_RUNTIME_DIR",
                                MakeFolder("run", std::filesystem::perms::owner_all).c_str());
        {
            std::optional<ScopedEnv> display(std::in_place, "DISPLAY", ":5");
            SingleInstanceGuard first(name);
            ASSERT_EQ(first.acquire(), SingleInstanceGuard::Result::First);
            EXPECT_FALSE(first.takeRequests());
            display.reset();
            const ScopedEnv secondDisplay("DISPLAY", c.display);
            const ScopedEnv secondWayland("WAYLAND_DISPLAY", c.wayland);
            {
                SingleInstanceGuard second(name);
                EXPECT_EQ(second.acquire(), c.second) << c.display;
            }
            const bool met = c.second == SingleInstanceGuard::Result::NotRaised;
            EXPECT_EQ(first.takeRequests(), met) << c.display;
            EXPECT_FALSE(first.takeRequests());
        }
        EXPECT_FALSE(LeftBehind(name));
    }
}

// The display's name goes into the files' names encoded, whatever it holds.
TEST(SingleInstanceGuard, TheDisplayNamesTheLockSafely) {
    const std::string longName = ":0." + std::string(40, 'a');
    const struct {
        const char* display;
        const char* wayland;
        std::string key;
    } cases[] = {
        {":0", nullptr, "x11-%3A0"},
        {"localhost:10.0", "wayland-0", "x11-localhost%3A10%2E0"},
        {"", "wayland-1", "wayland-wayland-1"},
        {nullptr, "", "user"},
        {nullptr, nullptr, "user"},
        {"../x", nullptr, "x11-%2E%2E%2Fx"},
        {nullptr, "/run/w..", "wayland-%2Frun%2Fw%2E%2E"},
        {"a%2Fb", nullptr, "x11-a%252Fb"},
        {"\x01 \xE3\x81\x82", nullptr, "x11-%01%20%E3%81%82"},
        {"_-AaZz09", nullptr, "x11-_-AaZz09"},
        {"abcdefghijklmnopqrstuvwx", nullptr, "x11-abcdefghijklmnopqrstuvwx"},
        {"abcdefghijklmnopqrstuv.", nullptr, "x11+"},
        {longName.c_str(), nullptr, "x11+"},
    };
    for (const auto& c : cases) {
        const std::string key = SingleInstanceGuard::DisplayKey(c.display, c.wayland);
        if (c.key.ends_with('+')) {
            EXPECT_EQ(key.size(), c.key.size() + 16) << key;
            EXPECT_TRUE(key.starts_with(c.key)) << key;
        } else {
            EXPECT_EQ(key, c.key);
        }
    }
    // Long names go by a hash that tells them apart and stays the same.
    const std::string other = longName + "b";
    EXPECT_NE(SingleInstanceGuard::DisplayKey(longName.c_str(), nullptr),
              SingleInstanceGuard::DisplayKey(other.c_str(), nullptr));
    EXPECT_EQ(SingleInstanceGuard::DisplayKey(longName.c_str(), nullptr),
              SingleInstanceGuard::DisplayKey(longName.c_str(), nullptr));
}

namespace {

// What one start with a given session's runtime folder got wrong, a bit each, so that a
// start made in a child process can tell it through its exit status.
enum StartFault : int {
    kNotFirst = 1,
    kLockElsewhere = 2,
    kNoLock = 4,
    kWrongWarnings = 8,
    kLeftBehind = 16,
    kNotThePlayer = 32,
    kChildDied = 64,
};

std::string FaultNames(int faults) {
    const struct {
        int bit;
        const char* name;
    } names[] = {{kNotFirst, "not first"},     {kLockElsewhere, "lock elsewhere"},
                 {kNoLock, "no lock"},         {kWrongWarnings, "wrong warnings"},
                 {kLeftBehind, "left behind"}, {kNotThePlayer, "could not become the player"},
                 {kChildDied, "child died"}};
    std::string out;
    for (const auto& n : names) {
        if ((faults & n.bit) != 0) out += std::string(out.empty() ? "" : ", ") + n.name;
    }
    return out;
}

// One start on DISPLAY :5; folder is used, or refused with one warning naming it and
// the lock put where it goes without it. Nothing here throws, for the child's sake.
int StartFaults(const zktest::TestKit& kit, const std::string& name, const std::string& folder,
                bool used) {
    const std::string user = "/run/user/" + std::to_string(getuid());
    std::error_code ignored;
    const std::string otherwise = std::filesystem::exists(user, ignored)
                                      ? user
                                      : "/tmp/" + name + "-" + std::to_string(getuid());
    int faults = 0;
    {
        SingleInstanceGuard guard(name);
        if (guard.acquire() != SingleInstanceGuard::Result::First) faults |= kNotFirst;
        if (guard.lockPath() != (used ? folder : otherwise) + "/" + name + "-x11-%3A5.lock")
            faults |= kLockElsewhere;
        if (!std::filesystem::exists(guard.lockPath(), ignored)) faults |= kNoLock;
    }
    const std::vector<std::string> warned = kit.debugLines();
    const bool rightly = used ? warned.empty()
                              : warned.size() == 1 && warned[0].find("XDG_RUNTIME_DIR (" + folder +
                                                                     ")") != std::string::npos;
    if (!rightly) faults |= kWrongWarnings;
    if (LeftBehind(name)) faults |= kLeftBehind;
    return faults;
}

constexpr uid_t kPlayer = 65534;

// StartFaults as the unprivileged player, from a root test: root may write any folder.
int StartFaultsAsPlayer(const zktest::TestKit& kit, const std::string& name,
                        const std::string& folder, bool used) {
    const pid_t child = fork();
    if (child == 0) {
        int faults = kNotThePlayer;
        if (setgroups(0, nullptr) == 0 && setgid(kPlayer) == 0 && setuid(kPlayer) == 0) {
            try {
                faults = StartFaults(kit, name, folder, used);
            } catch (...) {
                faults = kChildDied;
            }
        }
        _exit(faults);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return kChildDied;
    return WEXITSTATUS(status);
}

}  // namespace

// The session's runtime folder holds the lock only while it is the user's alone and
// the game can make its files there; refused, the game starts all the same.
TEST(SingleInstanceGuard, TheSessionsRuntimeFolderServesOnlyWhenPrivate) {
    using std::filesystem::perms;
    // A private folder whose path is length long, so that the socket's path fits or not.
    const auto sized = [](std::size_t length) {
        const std::string here = std::filesystem::current_path().string() + "/";
        return MakeFolder(here + std::string(length - here.size(), 'd'), perms::owner_all);
    };
    // Who owns the folder: the test, a player who starts the game (the test itself
    // unless it is root, which writes any folder), or another user.
    enum class Owner { Test, Player, Other };
    const struct {
        const char* what;
        std::function<std::string(std::size_t room)> make;
        bool used;
        Owner owner = Owner::Test;
    } cases[] = {
        {"private", [](std::size_t) { return MakeFolder("run", perms::owner_all); }, true},
        {"group",
         [](std::size_t) { return MakeFolder("run", perms::owner_all | perms::group_all); }, false},
        {"world", [](std::size_t) { return MakeFolder("run", perms::all | perms::sticky_bit); },
         false},
        {"link",
         [](std::size_t) {
             MakeFolder("real", perms::owner_all);
             std::filesystem::create_directory_symlink(std::filesystem::absolute("real"), "run");
             return std::filesystem::absolute("run").string();
         },
         false},
        {"relative",
         [](std::size_t) {
             MakeFolder("run", perms::owner_all);
             return std::string("run");
         },
         false},
        {"missing", [](std::size_t) { return std::filesystem::absolute("run").string(); }, false},
        {"longest", [&](std::size_t room) { return sized(room); }, true},
        {"too long", [&](std::size_t room) { return sized(room + 1); }, false},
        {"read-only",
         [](std::size_t) { return MakeFolder("run", perms::owner_read | perms::owner_exec); },
         false, Owner::Player},
        {"another's", [](std::size_t) { return MakeFolder("run", perms::owner_all); }, false,
         Owner::Other},
    };
    const ScopedEnv display("DISPLAY", ":5");
    const bool root = getuid() == 0;
    for (const auto& c : cases) {
        if (c.owner == Owner::Other && !root) {
            std::printf("row \"%s\" skipped: only root can give a folder to another user\n",
                        c.what);
            continue;
        }
        zktest::TestKit kit;
        const std::string name = GuardName(kit);
        // A socket's path and its ending zero take at most 108 bytes.
        const std::size_t socketName = name.size() + std::string("-x11-%3A5.socket").size();
        const std::string folder = c.make(108 - 2 - socketName);
        const ScopedEnv runtime("XDG_RUNTIME_DIR", folder.c_str());
        int faults = 0;
        if (c.owner != Owner::Test && root) {
            ASSERT_EQ(chown(folder.c_str(), kPlayer, kPlayer), 0) << c.what;
        }
        if (c.owner == Owner::Player && root) {
            // The player reaches the folder through the test's own.
            std::filesystem::permissions(kit.dir.path(), perms::others_exec,
                                         std::filesystem::perm_options::add);
            faults = StartFaultsAsPlayer(kit, name, folder, c.used);
        } else {
            faults = StartFaults(kit, name, folder, c.used);
        }
        EXPECT_EQ(faults, 0) << c.what << ": " << FaultNames(faults);
        EXPECT_FALSE(LeftBehind(name)) << c.what;
    }
}

// The window's loop looks for later starts a few times a second, not at every pass,
// and still answers one within the second it waits.
TEST(SingleInstanceGuard, TheWindowLooksForLaterStartsAFewTimesASecond) {
    zktest::TestKit kit;
    const std::string name = GuardName(kit);
    HeadlessWindowHost host;
    ASSERT_NE(
        host.create([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; }),
        nullptr);
    SingleInstanceGuard first(name);
    ASSERT_EQ(first.acquire(), SingleInstanceGuard::Result::First);
    host.setInstanceGuard(&first);
    EXPECT_FALSE(host.pumpEvent(0));
    SingleInstanceGuard::Result result = SingleInstanceGuard::Result::First;
    std::thread later([&] { result = SingleInstanceGuard(name).acquire(); });
    // However long the later start has waited, nobody looks before the time comes.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kit.clock.advance(249);
    EXPECT_FALSE(host.pumpEvent(0));
    kit.clock.advance(1);
    bool served = host.pumpEvent(0);
    for (int tries = 0; tries < 50 && !served; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        kit.clock.advance(250);
        served = host.pumpEvent(0);
    }
    later.join();
    host.setInstanceGuard(nullptr);
    EXPECT_TRUE(served);
    EXPECT_EQ(result, SingleInstanceGuard::Result::Raised);
    EXPECT_EQ(std::count_if(host.actions().begin(), host.actions().end(),
                            [](const std::string& a) { return a.starts_with("forward"); }),
              1);
}

TEST(SingleInstanceGuard, ASecondStartLearnsWhetherTheFirstCameForward) {
    for (const bool answers : {true, false}) {
        zktest::TestKit kit;
        const std::string name = GuardName(kit);
        {
            zktest::FirstInstance first(name, answers);
            ASSERT_TRUE(first.acquired());
            SingleInstanceGuard second(name);
            EXPECT_EQ(second.acquire(), answers ? SingleInstanceGuard::Result::Raised
                                                : SingleInstanceGuard::Result::NotRaised);
        }
        EXPECT_FALSE(LeftBehind(name));
    }
}

TEST(SingleInstanceGuard, ALockLeftByADeadProcessDoesNotBlock) {
    zktest::TestKit kit;
    const std::string name = GuardName(kit);
    const pid_t child = fork();
    if (child == 0) {
        SingleInstanceGuard held(name);
        _exit(held.acquire() == SingleInstanceGuard::Result::First ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    {
        SingleInstanceGuard next(name);
        EXPECT_EQ(next.acquire(), SingleInstanceGuard::Result::First);
    }
    EXPECT_FALSE(LeftBehind(name));
}

TEST(SingleInstanceGuard, AFolderSomeoneMadeInItsPlaceIsNeitherUsedNorInTheWay) {
    zktest::TestKit kit;
    const std::string name = GuardName(kit);
    const std::string planted = "/tmp/" + name + "-" + std::to_string(getuid());
    std::filesystem::create_directory("elsewhere");
    std::filesystem::create_directory_symlink(std::filesystem::absolute("elsewhere"), planted);
    {
        SingleInstanceGuard guard(name);
        EXPECT_EQ(guard.acquire(), SingleInstanceGuard::Result::First);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(planted));
    EXPECT_TRUE(std::filesystem::is_empty("elsewhere"));
    std::filesystem::remove(planted);
}

// A lock or socket that cannot be made in the chosen folder does not stop a start: it
// goes on unchecked, says why once, and holds nothing that would keep a later start
// waiting.
TEST(SingleInstanceGuard, AStartWhoseFilesCannotBeMadeGoesOnUnchecked) {
    const struct {
        const char* what;
        const char* ending;  // of the name taken before the guard comes
        bool link;           // taken by a link, else by a folder
        const char* failed;
        int error;
    } cases[] = {
        {"lock taken by a link", ".lock", true, "open", ELOOP},
        {"socket taken by a folder", ".socket", false, "listen", EADDRINUSE},
    };
    const ScopedEnv display("DISPLAY", ":5");
    for (const auto& c : cases) {
        zktest::TestKit kit;
        const std::string name = GuardName(kit);
        const std::string folder = MakeFolder("run", std::filesystem::perms::owner_all);
        const ScopedEnv runtime("XDG_RUNTIME_DIR", folder.c_str());
        const std::string taken = folder + "/" + name + "-x11-%3A5" + c.ending;
        if (c.link) {
            std::filesystem::create_symlink(std::filesystem::absolute("elsewhere"), taken);
        } else {
            std::filesystem::create_directory(taken);
        }
        int since = -1;
        {
            SingleInstanceGuard first(name);
            EXPECT_EQ(first.acquire(), SingleInstanceGuard::Result::First) << c.what;
            SingleInstanceGuard second(name);
            EXPECT_EQ(second.acquire(), SingleInstanceGuard::Result::First) << c.what;
            std::vector<std::string> present;
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                present.push_back(entry.path().string());
            EXPECT_EQ(present, std::vector<std::string>{taken}) << c.what;
            // Takes the number of a descriptor the guards let go of; their ends must
            // not close it again.
            since = open("/dev/null", O_RDONLY | O_CLOEXEC);
        }
        EXPECT_NE(fcntl(since, F_GETFD), -1) << c.what;
        close(since);
        // One line for each start.
        const std::string warning =
            "Warn: <SingleInstanceGuard> " + taken + " の " + c.failed +
            " に失敗したため二重起動を確かめずに起動します: " + std::strerror(c.error);
        EXPECT_EQ(kit.debugLines(), std::vector<std::string>(2, warning));
        EXPECT_FALSE(std::filesystem::exists("elsewhere")) << c.what;
    }
}

namespace {

void PushSdlEscape() {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_ESCAPE;
    e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    SDL_PushEvent(&e);
}

}  // namespace

// Each change reaches the picture, and the SDL host's screen holds that picture pixel
// for pixel; a picture that did not change is not shown again.
TEST(WindowHost, ChangesToFrameStripAndDialogReachTheScreenAndNothingElseDoes) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const bool dummy = driver != nullptr && std::string(driver) == "dummy";
    for (const bool sdl : {false, true}) {
        SCOPED_TRACE(sdl ? "SDL" : "headless");
        if (sdl && !dummy) continue;
        zktest::TestKit kit;
        HeadlessWindowHost headless;
        SdlWindowHost window("picture", {});
        WindowHost& host = sdl ? static_cast<WindowHost&>(window) : headless;
        host.menu().addItem(102, "Save");
        host.menu().addItem(103, "Load");
        ASSERT_NE(host.create([](std::uint32_t, std::uintptr_t, std::intptr_t) {
            return std::intptr_t{0};
        }),
                  nullptr);
        host.show();
        const Surface& picture = host.picture().surface();
        auto at = [&](int x, int y) {
            ColorRef c = 0;
            picture.getPixel(x, y, c);
            return c;
        };
        // The picture's revision and, with SDL, the pictures shown; the screen must hold
        // the picture.
        auto shown = [&] {
            if (!sdl) return host.picture().revision();
            int width = 0, height = 0;
            const std::vector<std::uint32_t> screen = window.readBack(width, height);
            std::vector<std::uint32_t> composed = picture.toXrgb();
            EXPECT_EQ(screen, composed);
            return static_cast<std::uint64_t>(window.shownPictures());
        };
        Surface frame(800, 600, PixelFormat::ForDepth(16));
        frame.fill(frame.bounds(), 0x0000FF);  // red
        host.presentFrame(frame);
        ASSERT_EQ(picture.height(), 620);
        EXPECT_NE(at(400, 10), 0x0000FFu);
        EXPECT_EQ(at(0, 20), 0x0000FFu);
        const std::uint64_t first = shown();
        host.presentFrame(frame);
        EXPECT_EQ(shown(), first);

        frame.setPixel(799, 599, 0xFF0000);
        host.presentFrame(frame);
        EXPECT_EQ(at(799, 619), 0xFF0000u);
        EXPECT_EQ(shown(), first + 1);

        auto itemPixels = [&](int index) {
            const Rect r = host.menu().items()[static_cast<std::size_t>(index)].bounds;
            std::vector<ColorRef> pixels;
            for (int y = r.top + 20; y < r.bottom + 20; ++y) {
                for (int x = r.left; x < r.right; ++x) pixels.push_back(at(x, y));
            }
            return pixels;
        };
        const auto enabled = itemPixels(1);
        host.menu().setEnabled(103, false);
        host.refresh();
        EXPECT_NE(itemPixels(1), enabled);
        EXPECT_EQ(shown(), first + 2);

        std::uint64_t inDialog = 0;
        sdl ? PushSdlEscape() : headless.pushKey(VK_ESCAPE);
        host.runDialog({108, "Q", 207, 66, true, {}},
                       [&](ModalDialog& d, std::uint32_t m, std::uintptr_t) {
                           if (m != WM_CLOSE) return std::intptr_t{0};
                           EXPECT_NE(at(400, 320), 0x0000FFu);
                           inDialog = shown();
                           d.end(0);
                           return std::intptr_t{1};
                       });
        EXPECT_EQ(inDialog, first + 3);
        EXPECT_EQ(at(400, 320), 0x0000FFu);
        EXPECT_GT(shown(), inDialog);

        // Told what changed, the host takes only that part; from another surface, all.
        const std::uint64_t after = shown();
        frame.fill({0, 100, 10, 110}, 0x00FF00);
        frame.setPixel(15, 5, 0x00FF00);
        host.presentFrame(frame, {0, 100, 10, 110});
        EXPECT_EQ(at(0, 120), 0x00FF00u);
        EXPECT_EQ(at(9, 129), 0x00FF00u);
        EXPECT_EQ(at(15, 25), 0x0000FFu);
        EXPECT_EQ(shown(), after + 1);
        const Surface other = frame;
        host.presentFrame(other, {0, 100, 10, 110});
        EXPECT_EQ(at(15, 25), 0x00FF00u);
        EXPECT_EQ(shown(), after + 2);
        frame.setPixel(15, 5, 0x0000FF);
        host.presentFrame(frame, {});
        EXPECT_EQ(at(15, 25), 0x0000FFu);
        EXPECT_EQ(shown(), after + 3);
        // A part away from the corner reaches the screen at its own place.
        frame.fill({700, 300, 720, 310}, 0x00FF00);
        host.presentFrame(frame, {700, 300, 720, 310});
        EXPECT_EQ(at(700, 320), 0x00FF00u);
        EXPECT_EQ(shown(), after + 4);
        host.destroy();
    }
}

TEST(CursorBits, EveryShownPixelIsInTheMaskAndOnlyBlackInTheData) {
    // Rows of sixteen pixels fill two bytes exactly; a row of nine needs a second
    // byte for its last pixel.
    const struct {
        PixelArt art;
        std::vector<std::uint8_t> mask, data;
    } cases[] = {
        {{{"#.r     #      .", " #              "}, {{'r', 0xFFFF0000}}, 0, 0},
         {0xE0, 0x81, 0x40, 0x00},
         {0x80, 0x80, 0x40, 0x00}},
        {{{"        #"}, {}, 0, 0}, {0x00, 0x80}, {0x00, 0x80}},
    };
    for (const auto& c : cases) {
        const CursorBits bits = CursorBits::Of(c.art);
        EXPECT_EQ(bits.mask, c.mask) << c.art.width();
        EXPECT_EQ(bits.data, c.data) << c.art.width();
    }
}

// In full screen the strip is hidden until asked for, then lies over the picture's
// top rows and takes clicks like the window's strip; a refused form keeps the old one.
TEST(WindowHost, TheFullScreenStripShowsOverTheTopRowsAndTakesClicksOnlyWhileShown) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const bool dummy = driver != nullptr && std::string(driver) == "dummy";
    for (const bool sdl : {false, true}) {
        SCOPED_TRACE(sdl ? "SDL" : "headless");
        if (sdl && !dummy) continue;
        zktest::TestKit kit;
        HeadlessWindowHost headless;
        SdlWindowHost window("picture", {});
        WindowHost& host = sdl ? static_cast<WindowHost&>(window) : headless;
        host.menu().addItem(102, "Save");
        host.menu().addItem(104, "Settings");
        int menuLoops = 0;
        ASSERT_NE(host.create([&](std::uint32_t m, std::uintptr_t, std::intptr_t) {
            menuLoops += m == WM_ENTERMENULOOP ? 1 : 0;
            return std::intptr_t{0};
        }),
                  nullptr);
        host.show();
        Surface frame(800, 600, PixelFormat::ForDepth(16));
        frame.fill(frame.bounds(), 0x0000FF);  // red
        host.presentFrame(frame);
        const Surface& picture = host.picture().surface();
        auto at = [&](int x, int y) {
            ColorRef c = 0;
            picture.getPixel(x, y, c);
            return c;
        };
        // A click on the first item, through the headless window's events.
        auto click = [&] {
            headless.push(
                {.kind = PlatformEvent::Kind::ButtonDown, .key = VK_LBUTTON, .x = 10, .y = -10});
            headless.push(
                {.kind = PlatformEvent::Kind::ButtonUp, .key = VK_LBUTTON, .x = 10, .y = -10});
            while (headless.pumpEvent(0)) {
            }
        };

        ASSERT_TRUE(host.setFullScreen(true));
        ASSERT_EQ(picture.height(), 600);
        EXPECT_EQ(at(10, 10), 0x0000FFu) << "hidden";
        if (!sdl) {
            click();
            EXPECT_EQ(menuLoops, 0) << "a hidden strip takes no click";
            // A box's button takes the click where the full-screen picture shows it.
            const DialogControl ok{1, DialogControl::Kind::DefaultButton, 25, 20, 50, 14, "OK"};
            const DialogTemplate box{0, "", 100, 40, false, {ok}};
            const Rect shown = ModalDialog(box, {}).controlBounds(box.controls[0]);
            for (const auto kind :
                 {PlatformEvent::Kind::ButtonDown, PlatformEvent::Kind::ButtonUp}) {
                headless.push({.kind = kind,
                               .key = VK_LBUTTON,
                               .x = shown.left + 2,
                               .y = shown.top + 2 - MenuStrip::kHeight});
            }
            std::vector<std::uintptr_t> commands;
            headless.onRefresh = [&] {
                if (host.openDialog() != nullptr) {
                    EXPECT_NE(at(shown.left + 2, shown.top + 2), 0x0000FFu);
                }
            };
            host.runDialog(box,
                           [&](ModalDialog& dialog, std::uint32_t message, std::uintptr_t wParam) {
                               if (message == WM_COMMAND) commands.push_back(wParam);
                               if (message == WM_COMMAND || message == WM_CLOSE) dialog.end(0);
                               return std::intptr_t{1};
                           });
            headless.onRefresh = nullptr;
            EXPECT_EQ(commands, std::vector<std::uintptr_t>{1});
        }

        host.drawMenuBar();
        EXPECT_NE(at(0, 10), 0x0000FFu);
        EXPECT_NE(at(799, 19), 0x0000FFu) << "the band is the strip's whole width";
        EXPECT_EQ(at(400, 20), 0x0000FFu) << "the picture below the band";
        frame.setPixel(799, 0, 0x00FF00);
        host.presentFrame(frame);
        EXPECT_NE(at(799, 0), 0x00FF00u) << "a new frame stays under the strip";
        if (!sdl) {
            click();
            EXPECT_EQ(menuLoops, 1);
        }

        host.hideMenuBar();
        EXPECT_EQ(at(10, 10), 0x0000FFu);
        EXPECT_EQ(at(799, 0), 0x00FF00u);

        if (!sdl) {
            headless.refuseNextFormChange();
            EXPECT_FALSE(host.setFullScreen(false));
            EXPECT_TRUE(host.fullScreen());
            EXPECT_EQ(picture.height(), 600);
        }
        EXPECT_TRUE(host.setFullScreen(false));
        EXPECT_EQ(picture.height(), 620);
        EXPECT_NE(at(10, 10), 0x0000FFu) << "the window's strip";
        EXPECT_TRUE(host.centre());
        if (!sdl) {
            const std::vector<std::string> expected = {"show @1000", "fullscreen 1 @1000",
                                                       "strip @1000", "fullscreen 0 @1000",
                                                       "centre @1000"};
            EXPECT_EQ(headless.actions(), expected);
        }
        host.destroy();
    }
}
