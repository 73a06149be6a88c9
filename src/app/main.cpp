// The game program: the engine objects, the SDL services, the machine's CD drives
// and mixer, and the shell's entry.
#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/audio/SdlAudioDevice.h"
#include "platform/core/HeapPolicy.h"
#include "platform/core/Services.h"
#include "platform/core/TerminationSignal.h"
#include "platform/input/MaskedInputSource.h"
#include "platform/input/SdlInputSource.h"
#include "platform/linux/AlsaMixerDevices.h"
#include "platform/linux/CdioDrives.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/SdlWindowHost.h"
#include "platform/window/WindowMessageBox.h"
#include "resources/WindowArt.h"
#include "shell/Shell.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

ZKSYSTEM zkSystem;
ZKSPRITE zkSprite;
ZKSND zkSnd;
GAMEMAIN gameMain;

int main() {
    using platform::ScopedService;
    platform::ApplyHeapPolicy();
    platform::CatchTerminationSignals();
    platform::SdlWindowHost host(reinterpret_cast<const char*>(u8"月蛾の冠 Ver 1.0"),
                                 GameWindowArt());
    platform::SdlInputSource sdlInput(host);
    platform::MaskedInputSource input(sdlInput, host.inputMask());
    platform::WindowDisplay display(host);
    platform::WindowMessageBox box(host);
    platform::SdlAudioDevice audio;
    platform::CdioDrives drives;
    platform::AlsaMixerDevices mixers;
    ScopedService<platform::InputSource> inputScope(input);
    ScopedService<platform::Display> displayScope(display);
    ScopedService<platform::MessageBox> boxScope(box);
    ScopedService<platform::AudioDevice> audioScope(audio);
    ScopedService<platform::CdDrives> drivesScope(drives);
    ScopedService<platform::MixerDevices> mixersScope(mixers);
    EngineForwarder engine(zkSystem, zkSprite, zkSnd, gameMain, CurrentShellState());
    return WinMain(engine, host, "__MOTH_CROWN_OPNE_ID__");
}
