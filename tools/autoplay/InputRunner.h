#pragma once

#include <functional>
#include <string>

#include "autoplay/GameSession.h"
#include "autoplay/InputScript.h"

namespace autoplay {

struct RunSettings {
    int frames = 600;
    std::string outDir = "autoplay-out";
    int shotEvery = 0;  // 0: only the shots the script asks for
    // Called after the start-up and after every frame, to report as the run goes.
    std::function<void()> afterStep;
};

// How a run ended: the exit code autoplay gives and why, in words.
struct RunOutcome {
    static constexpr int kDone = 0;
    static constexpr int kFatal = 1;
    static constexpr int kExpectationFailed = 3;

    int exitCode = kDone;
    std::string reason;
};

// Plays an input script into a session frame by frame: input before each frame,
// shots, expectations and waits after it, and the planned or unplanned end.
class InputRunner {
public:
    static RunOutcome Run(GameSession& session, const InputScript& script,
                          const RunSettings& settings);
    // The frame the session presented last as a PNG file; false when not written.
    static bool WriteShot(const GameSession& session, const std::string& path);
};

}  // namespace autoplay
