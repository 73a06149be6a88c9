#include <gtest/gtest.h>

#include <thread>

#include "platform/HResult.h"
#include "platform/HeadlessDisplay.h"
#include "platform/MediaGraph.h"
#include "platform/PlatformEvent.h"
#include "platform/WindowMessages.h"
#include "support/ShellKit.h"
#include "support/TestMovie.h"

using platform::PlatformEvent;

TEST(ShellMedia, GraphMessagesFromAnyThreadAndMovesReachTheSoundObject) {
    zktest::ShellKit k;
    k.engine.dshowEventResult = -1;
    k.engine.onGameMain = [&k](int frame) {
        if (frame == 2) {
            std::thread poster([&k] {
                for (std::uint32_t type = 0; type < 3; ++type)
                    k.host.post(platform::WM_DSHOW_EVENT + type);
            });
            poster.join();
            k.host.push({.kind = PlatformEvent::Kind::Moved});
        }
        if (frame == 4) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    EXPECT_EQ(
        k.engine.callsStartingWith("SndDShow"),
        (std::vector<std::string>{"SndDShowEventNotify 0", "SndDShowEventNotify 1",
                                  "SndDShowEventNotify 2", "SndDShowChangeSize 2 1 800 600"}));
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

TEST(ShellMedia, TheLoopPumpsARunningMovieWhoseEndReachesTheWindowProcedure) {
    zktest::ShellKit k;
    platform::HeadlessDisplay display;
    platform::ScopedService<platform::Display> displayScope(display);
    zktest::TestMovie movie;
    movie.sound = false;
    movie.Make("m.mkv");
    std::unique_ptr<platform::MediaGraph> graph;
    k.engine.onGameMain = [&](int frame) {
        k.kit.clock.advance(16);  // the recording engine's frames take no time of their own
        if (frame == 1) {
            graph = std::make_unique<platform::MediaGraph>(2);
            EXPECT_EQ(graph->renderFile("m.mkv"), platform::S_OK);
            graph->setOwner(reinterpret_cast<platform::WindowHandle>(&k));
            graph->setVisible(true);
            graph->setWindowPosition(0, 0, 800, 600);
            graph->setNotifyWindow(reinterpret_cast<platform::WindowHandle>(&k),
                                   platform::WM_DSHOW_EVENT + 2);
            EXPECT_EQ(graph->run(), platform::S_OK);
        }
        if (!k.engine.callsStartingWith("SndDShowEventNotify").empty()) {
            k.host.push({.kind = PlatformEvent::Kind::Terminate});
        }
        if (frame == 200) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    EXPECT_EQ(k.engine.callsStartingWith("SndDShowEventNotify"),
              std::vector<std::string>{"SndDShowEventNotify 2"});
    EXPECT_EQ(display.layerPresents(), 10);
    graph.reset();
}
