#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "DemoStandIn.h"
#include "platform/audio/ManualAudioDevice.h"
#include "platform/input/PlatformEvent.h"
#include "platform/input/VirtualKeys.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/MediaPump.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/WindowMessages.h"
#include "shell/EnvData.h"
#include "support/Bytes.h"
#include "support/MakeMovie.h"
#include "support/MovieBand.h"
#include "support/ShellKit.h"

using platform::PlatformEvent;

// A move's call is checked with the movie playing, below.
TEST(ShellMedia, GraphMessagesFromAnyThreadReachTheSoundObject) {
    zktest::ShellKit k;
    k.engine.dshowEventResult = -1;
    k.engine.onGameMain = [&k](int frame) {
        if (frame == 2) {
            std::thread poster([&k] {
                for (std::uint32_t type = 0; type < 3; ++type)
                    k.host.post(platform::WM_DSHOW_EVENT + type);
            });
            poster.join();
        }
        if (frame == 4) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    EXPECT_EQ(k.engine.callsStartingWith("SndDShow"),
              (std::vector<std::string>{"SndDShowEventNotify 0", "SndDShowEventNotify 1",
                                        "SndDShowEventNotify 2"}));
    std::vector<std::string> warnings;
    for (const std::string& line : k.kit.debugLines()) {
        if (line.rfind("Warn: <WndProc> ", 0) == 0) warnings.push_back(line);
    }
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "Warn: <WndProc> Dshow[Voice]のイベント通知に失敗しました",
                            "Warn: <WndProc> Dshow[Audio]のイベント通知に失敗しました",
                            "Warn: <WndProc> Dshow[Movie]のイベント通知に失敗しました",
                        }));
}

namespace {

// The stand-in game playing a two-second numbered movie under the shell, with the
// window's own display and sound off: the device refuses and no warning is asked.
struct MovieShell {
    zktest::ShellKit k;
    platform::ManualAudioDevice audio;
    platform::WindowDisplay display{k.host};
    platform::ScopedService<platform::AudioDevice> audioScope{audio};
    platform::ScopedService<platform::Display> displayScope{display};
    DemoStandIn engine{"m.mkv"};

    explicit MovieShell(std::uint32_t fullScreen = 0) {
        audio.refuseOpen(true);
        EnvSettings env;
        env.settings.soundWarning = 0;
        env.settings.fullScreen = fullScreen;
        zktest::WriteFileBytes("env.env", FormatEnvSettings(env));
        zktest::MakeMovie({.frames = 20}, "m.mkv");
    }

    int run() { return k.run(engine); }

    // The number of the movie picture the window shows, -1 for none.
    int shownNumber() const {
        const platform::WindowPicture& picture = k.host.picture();
        return zktest::MovieBand::Read(picture.surface().toXrgb(), 800, 0, picture.stripRows(),
                                       800);
    }

    // The movie graph's output and its display layer, in one line.
    std::string outputState() const {
        const platform::MediaGraph& graph = *platform::MediaPump::instance().graphs().front();
        const platform::MediaOutputRect rect = graph.windowPosition();
        const auto& layer = display.externalLayers().layer(2);
        std::ostringstream state;
        state << rect.x << ' ' << rect.y << ' ' << rect.width << ' ' << rect.height << ' '
              << graph.fullScreen() << graph.visible() << " / " << layer.x << ' ' << layer.y << ' '
              << layer.width << ' ' << layer.height << ' ' << layer.shown;
        return state.str();
    }
};

// Consecutive repeats and refreshes without a movie picture left out.
std::vector<int> PicturesInOrder(const std::vector<int>& numbers) {
    std::vector<int> pictures;
    for (int n : numbers) {
        if (n >= 0 && (pictures.empty() || pictures.back() != n)) pictures.push_back(n);
    }
    return pictures;
}

}  // namespace

TEST(ShellMedia, TheMoviePlaysOnUnderTheQuitDialogAndTheMenuAndEndsThroughTheSoundObject) {
    MovieShell m;
    std::vector<int> all, inDialog, inMenu;
    m.k.host.onRefresh = [&] {
        const int number = m.shownNumber();
        all.push_back(number);
        if (m.k.host.openDialog() != nullptr) {
            inDialog.push_back(number);
        } else if (m.k.host.modal()) {
            inMenu.push_back(number);
        }
    };
    m.engine.onGameMain = [&m](int frame) {
        const std::uint32_t now = m.k.kit.clock.now();
        if (frame == 3) {
            m.k.host.push({.kind = PlatformEvent::Kind::KeyDown, .key = platform::VK_ESCAPE});
            m.k.host.pushAt(now + 600, {.kind = PlatformEvent::Kind::KeyDown, .key = 'N'});
        }
        if (frame == 10) {
            const platform::Rect& item = m.k.host.menu().items()[0].bounds;
            m.k.host.push({.kind = PlatformEvent::Kind::ButtonDown,
                           .key = platform::VK_LBUTTON,
                           .x = (item.left + item.right) / 2,
                           .y = -10});
            m.k.host.pushAt(now + 500,
                            {.kind = PlatformEvent::Kind::KeyDown, .key = platform::VK_ESCAPE});
        }
        if (m.engine.closed || frame == 400)
            m.k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(m.run(), 0);

    // The order of the pictures, the dialog drawn over them and the status a posted end
    // leaves are the media graph, display layer and sound graph tests'.
    EXPECT_GE(PicturesInOrder(inDialog).size(), 5u);
    EXPECT_GE(PicturesInOrder(inMenu).size(), 4u);
    EXPECT_EQ(all.back(), -1) << "no movie picture stays after the close";
    EXPECT_EQ(m.engine.callsStartingWith("SndDShowEventNotify"),
              std::vector<std::string>{"SndDShowEventNotify 2"});
    EXPECT_TRUE(m.engine.closed);
}

TEST(ShellMedia, AMoveDuringTheMovieChangesNothingAndLogsNothing) {
    MovieShell m;
    std::size_t linesBefore = 0;
    std::string before;
    m.engine.onGameMain = [&](int frame) {
        if (frame == 5) {
            linesBefore = m.k.kit.debugLines().size();
            before = m.outputState();
            m.k.host.push({.kind = PlatformEvent::Kind::Moved});
        }
        if (frame == 6) {
            EXPECT_EQ(m.k.kit.debugLines().size(), linesBefore);
            EXPECT_EQ(m.outputState(), before);
            m.k.host.push({.kind = PlatformEvent::Kind::Terminate});
        }
        return 1u;
    };
    EXPECT_EQ(m.run(), 0);
    EXPECT_EQ(before, "0 0 800 600 01 / 0 0 800 600 1");
    EXPECT_EQ(m.engine.callsStartingWith("SndDShowChangeSize"),
              std::vector<std::string>{"SndDShowChangeSize 2 1 800 600"});
}

TEST(ShellMedia, TheMovieStopsTheGameDrawingOnceInFullScreenAndNotInAWindow) {
    for (const std::uint32_t fullScreen : {0u, 1u}) {
        MovieShell m(fullScreen);
        m.engine.onGameMain = [&m](int frame) {
            if (frame == 8) m.k.host.push({.kind = PlatformEvent::Kind::Terminate});
            return 1u;
        };
        EXPECT_EQ(m.run(), 0);
        EXPECT_EQ(m.engine.callsStartingWith("GameDrawStop").size(), fullScreen) << fullScreen;
        EXPECT_TRUE(m.engine.callsStartingWith("GameDrawFunc").empty());
        // Every paused draw still takes the frame time.
        EXPECT_EQ(m.engine.callsStartingWith("GameDrawTimeSet").size(),
                  m.engine.callsStartingWith("SpriteFrameWait").size());
    }
}
