#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MixerLineType { Speakers, WaveOut, Synthesizer, CompactDisc, Other };

// A destination of a mixer device or a source feeding one. Sources carry no
// connections of their own.
struct MixerLine {
    std::uint32_t id = 0;
    MixerLineType type = MixerLineType::Other;
    std::string name;
    std::uint32_t connections = 0;
};

struct MixerControl {
    std::uint32_t id = 0;
    bool volume = false;
    std::uint32_t items = 0;
};

// One open mixer device, closed when dropped: its destination lines, the sources
// feeding each, the controls of a line and their values on a 0..65535 scale.
class MixerHandle {
public:
    static constexpr std::uint32_t kMaxValue = 65535;

    virtual ~MixerHandle() = default;

    // The number of destinations; nothing when the device cannot say.
    virtual std::optional<std::uint32_t> destinations() = 0;
    virtual std::optional<MixerLine> destination(std::uint32_t index) = 0;
    virtual std::optional<MixerLine> source(std::uint32_t destination, std::uint32_t index) = 0;
    virtual std::vector<MixerControl> controls(std::uint32_t lineId) = 0;
    virtual std::optional<std::uint32_t> getValue(std::uint32_t controlId) = 0;
    virtual bool setValue(std::uint32_t controlId, std::uint32_t value) = 0;
};

}  // namespace platform
