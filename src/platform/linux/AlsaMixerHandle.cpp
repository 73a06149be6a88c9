#include "platform/linux/AlsaMixerHandle.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/linux/AlsaErrorRoute.h"
#include "platform/mixer/MixerScale.h"

namespace platform {

namespace {

// The first of these a card has is its speakers' volume.
constexpr std::array<std::string_view, 3> kSpeakerNames = {"Master", "Speaker", "Headphone"};

bool HasVolume(snd_mixer_elem_t* element) {
    return snd_mixer_selem_is_active(element) != 0 &&
           snd_mixer_selem_has_playback_volume(element) != 0;
}

std::string_view Name(snd_mixer_elem_t* element) { return snd_mixer_selem_get_name(element); }

MixerLineType SourceType(std::string_view name) {
    if (name == "PCM") return MixerLineType::WaveOut;
    if (name == "Synth") return MixerLineType::Synthesizer;
    if (name == "CD") return MixerLineType::CompactDisc;
    return MixerLineType::Other;
}

MixerScale ScaleOf(snd_mixer_elem_t* element) {
    long low = 0;
    long high = 0;
    snd_mixer_selem_get_playback_volume_range(element, &low, &high);
    return MixerScale(low, high);
}

}  // namespace

AlsaMixerHandle::AlsaMixerHandle(snd_mixer_t* mixer) : mixer_(mixer), elements_(1, nullptr) {
    std::vector<snd_mixer_elem_t*> volumes;
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer); e != nullptr;
         e = snd_mixer_elem_next(e)) {
        if (HasVolume(e)) volumes.push_back(e);
    }
    for (const std::string_view speaker : kSpeakerNames) {
        const auto found = std::find_if(volumes.begin(), volumes.end(),
                                        [&](snd_mixer_elem_t* e) { return Name(e) == speaker; });
        if (found == volumes.end()) continue;
        elements_[0] = *found;
        volumes.erase(found);
        break;
    }
    elements_.insert(elements_.end(), volumes.begin(), volumes.end());
}

AlsaMixerHandle::~AlsaMixerHandle() {
    const AlsaErrorRoute route;
    snd_mixer_close(mixer_);
}

snd_mixer_elem_t* AlsaMixerHandle::element(std::uint32_t id) const {
    return id < elements_.size() ? elements_[id] : nullptr;
}

std::optional<MixerLine> AlsaMixerHandle::destination(std::uint32_t index) {
    if (index != 0) return std::nullopt;
    const std::string name = elements_[0] != nullptr ? std::string(Name(elements_[0])) : "Speakers";
    return MixerLine{0, MixerLineType::Speakers, name,
                     static_cast<std::uint32_t>(elements_.size() - 1)};
}

std::optional<MixerLine> AlsaMixerHandle::source(std::uint32_t destination, std::uint32_t index) {
    const std::uint32_t id = index + 1;
    if (destination != 0 || id >= elements_.size()) return std::nullopt;
    const std::string_view name = Name(elements_[id]);
    return MixerLine{id, SourceType(name), std::string(name), 0};
}

std::vector<MixerControl> AlsaMixerHandle::controls(std::uint32_t lineId) {
    if (element(lineId) == nullptr) return {};
    return {MixerControl{lineId, true, 0}};
}

std::optional<std::uint32_t> AlsaMixerHandle::getValue(std::uint32_t controlId) {
    const AlsaErrorRoute route;
    snd_mixer_elem_t* e = element(controlId);
    long raw = 0;
    if (e == nullptr ||
        snd_mixer_selem_get_playback_volume(e, SND_MIXER_SCHN_FRONT_LEFT, &raw) < 0) {
        return std::nullopt;
    }
    return ScaleOf(e).fromRaw(raw);
}

bool AlsaMixerHandle::setValue(std::uint32_t controlId, std::uint32_t value) {
    const AlsaErrorRoute route;
    snd_mixer_elem_t* e = element(controlId);
    return e != nullptr && snd_mixer_selem_set_playback_volume_all(e, ScaleOf(e).toRaw(value)) >= 0;
}

}  // namespace platform
