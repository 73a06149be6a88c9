// The floor under the game's still frames: the same window on the same host, its
// events taken and a 16 ms sleep each pass, and the sound device open on a silent
// mix, with no game at all. still-frame.sh
// measures it beside the game, so that a machine's own cost of waking 60 times a
// second to look for events reads apart from the game's.
//
// usage: idle_window SECONDS
#include <cstdint>
#include <cstdlib>

#include "platform/audio/AudioMixer.h"
#include "platform/audio/SdlAudioDevice.h"
#include "platform/core/SteadyClock.h"
#include "platform/video/Surface.h"
#include "platform/window/SdlWindowHost.h"

int main(int argc, char** argv) {
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (seconds <= 0) return 2;
    platform::SdlWindowHost host("idle", {});
    if (host.create([](std::uint32_t, std::uintptr_t, std::intptr_t) {
            return std::intptr_t{0};
        }) == nullptr) {
        return 1;
    }
    host.show();
    platform::AudioMixer mixer;
    platform::SdlAudioDevice device;
    // Without a device the game plays on silent, and so does this.
    device.open(mixer);
    platform::Surface frame(800, 600, platform::PixelFormat::ForDepth(32));
    frame.fill(frame.bounds(), 0x404040);
    host.presentFrame(frame);
    platform::SteadyClock clock;
    const std::uint32_t end = clock.now() + static_cast<std::uint32_t>(seconds * 1000);
    while (static_cast<std::int32_t>(end - clock.now()) > 0) {
        while (host.pumpEvent(0)) {
        }
        clock.sleep(16);
    }
    host.destroy();
    return 0;
}
