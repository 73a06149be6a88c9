#pragma once

#include <alsa/asoundlib.h>

#include <vector>

#include "platform/mixer/MixerHandle.h"

namespace platform {

// One sound card's simple mixer, closed when dropped. It has one destination, the
// speakers, whose volume is the card's master control; the card's other playback
// volumes are its sources. Line and control ids are both indexes into the kept
// elements: 0 the speakers, 1 and up the sources.
class AlsaMixerHandle : public MixerHandle {
public:
    // Takes a loaded mixer.
    explicit AlsaMixerHandle(snd_mixer_t* mixer);
    ~AlsaMixerHandle() override;
    AlsaMixerHandle(const AlsaMixerHandle&) = delete;
    AlsaMixerHandle& operator=(const AlsaMixerHandle&) = delete;

    std::optional<std::uint32_t> destinations() override { return 1; }
    std::optional<MixerLine> destination(std::uint32_t index) override;
    std::optional<MixerLine> source(std::uint32_t destination, std::uint32_t index) override;
    std::vector<MixerControl> controls(std::uint32_t lineId) override;
    std::optional<std::uint32_t> getValue(std::uint32_t controlId) override;
    bool setValue(std::uint32_t controlId, std::uint32_t value) override;

private:
    // The element of an id, null for none (or a card without a master control).
    snd_mixer_elem_t* element(std::uint32_t id) const;

    snd_mixer_t* mixer_;
    std::vector<snd_mixer_elem_t*> elements_;
};

}  // namespace platform
