#pragma once

#include <string>

#include "platform/input/MaskedInputSource.h"
#include "platform/window/HeadlessMessageBox.h"
#include "platform/window/HeadlessWindowHost.h"
#include "support/RecordingShellEngine.h"
#include "support/TestKit.h"

namespace zktest {

// The shell's surroundings for a test: a private folder and manual clock, the
// recording engine, the headless window and message box, and the game's input
// seen through the window's input mask. Each kit has its own instance name.
struct ShellKit {
    TestKit kit;
    RecordingShellEngine engine;
    platform::HeadlessWindowHost host;
    platform::HeadlessMessageBox box;
    platform::MaskedInputSource maskedInput{kit.input, host.inputMask()};
    std::string instanceName = "zktest-" + kit.dir.path().filename().string();

    int run();
    // Runs the entry over another engine in these surroundings.
    int run(ShellEngine& other);

private:
    platform::ScopedService<platform::MessageBox> boxScope_{box};
    platform::ScopedService<platform::InputSource> inputScope_{maskedInput};
};

}  // namespace zktest
