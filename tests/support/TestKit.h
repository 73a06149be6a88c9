#pragma once

#include "platform/core/ManualClock.h"
#include "platform/core/Services.h"
#include "platform/input/ScriptedInput.h"
#include "platform/media/MediaPump.h"
#include "support/CaptureLogSink.h"
#include "support/FaultyFiles.h"
#include "support/TempWorkDir.h"

namespace zktest {

// Everything a test of engine code needs: its own working folder, a manual clock,
// scripted input, files whose deletion can be made to fail and captured log lines.
struct TestKit {
    TempWorkDir dir;
    platform::ManualClock clock{1000};
    platform::ScriptedInput input;
    platform::FaultyFiles files;
    platform::CaptureLogSink log;

    std::vector<std::string> debugLines() const { return log.debugLines(); }
    std::vector<std::string> consoleLines() const { return log.consoleLines(); }

private:
    // With the manual clock, media graphs wait for their decoder at each pump.
    struct DeterministicMedia {
        DeterministicMedia() { platform::MediaPump::instance().deterministic = true; }
        ~DeterministicMedia() { platform::MediaPump::instance().deterministic = false; }
    };

    DeterministicMedia deterministicMedia_;
    platform::ScopedService<platform::Clock> clockScope_{clock};
    platform::ScopedService<platform::InputSource> inputScope_{input};
    platform::ScopedService<platform::Files> filesScope_{files};
    platform::ScopedService<platform::LogSink> logScope_{log};
};

}  // namespace zktest
