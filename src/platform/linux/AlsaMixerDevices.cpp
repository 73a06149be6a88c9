#include "platform/linux/AlsaMixerDevices.h"

#include <alsa/asoundlib.h>

#include <string>
#include <vector>

#include "platform/linux/AlsaErrorRoute.h"
#include "platform/linux/AlsaMixerHandle.h"

namespace platform {

namespace {

std::vector<int> Cards() {
    std::vector<int> cards;
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0) cards.push_back(card);
    return cards;
}

}  // namespace

std::uint32_t AlsaMixerDevices::count() {
    const AlsaErrorRoute route;
    return static_cast<std::uint32_t>(Cards().size());
}

std::unique_ptr<MixerHandle> AlsaMixerDevices::open(std::uint32_t device) {
    const AlsaErrorRoute route;
    const std::vector<int> cards = Cards();
    if (device >= cards.size()) return nullptr;
    const std::string name = "hw:" + std::to_string(cards[device]);
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0) return nullptr;
    if (snd_mixer_attach(mixer, name.c_str()) < 0 ||
        snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 || snd_mixer_load(mixer) < 0) {
        snd_mixer_close(mixer);
        return nullptr;
    }
    return std::make_unique<AlsaMixerHandle>(mixer);
}

}  // namespace platform
