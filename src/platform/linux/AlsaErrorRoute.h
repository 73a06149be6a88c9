#pragma once

#include <alsa/asoundlib.h>

namespace platform {

// While one lives, ALSA's error reports made on its thread go to the log as
// "Error: <ALSA> text"; outside, ALSA reports as it does by itself. The mixer's own
// calls run inside one, so what other users of ALSA in the process report (the
// audio device probing for cards) stays out of the game's log. Routes nest.
class AlsaErrorRoute {
public:
    AlsaErrorRoute();
    ~AlsaErrorRoute();
    AlsaErrorRoute(const AlsaErrorRoute&) = delete;
    AlsaErrorRoute& operator=(const AlsaErrorRoute&) = delete;

private:
    snd_local_error_handler_t previous_;
};

}  // namespace platform
