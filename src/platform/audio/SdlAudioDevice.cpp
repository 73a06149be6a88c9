#include "platform/audio/SdlAudioDevice.h"

#include <SDL.h>

#include "platform/audio/AudioFormat.h"
#include "platform/audio/AudioMixer.h"

namespace platform {

namespace {

void RenderCallback(void* mixer, Uint8* stream, int bytes) {
    const auto frames = static_cast<std::size_t>(bytes) / (sizeof(float) * kMixChannels);
    static_cast<AudioMixer*>(mixer)->render(reinterpret_cast<float*>(stream), frames);
}

}  // namespace

SdlAudioDevice::~SdlAudioDevice() { close(); }

bool SdlAudioDevice::open(AudioMixer& mixer) {
    if (device_ != 0) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kDeviceBlockFrames;
    wanted.callback = RenderCallback;
    wanted.userdata = &mixer;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioDevice::close() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
}

}  // namespace platform
