#include "support/FakeMixerDevices.h"

namespace zktest {

namespace {

// Line ids: destination d is d * 100, its source j is d * 100 + j + 1. A line's
// volume control has the line's id, its switch that id with kSwitch set.
constexpr std::uint32_t kSwitch = 0x8000;

class FakeMixerHandle : public platform::MixerHandle {
public:
    explicit FakeMixerHandle(FakeMixerDevices& card) : card_(card) { ++card_.opened; }
    ~FakeMixerHandle() override { ++card_.closed; }

    std::optional<std::uint32_t> destinations() override {
        if (card_.failCapabilities) return std::nullopt;
        return static_cast<std::uint32_t>(card_.destinations.size());
    }
    std::optional<platform::MixerLine> destination(std::uint32_t index) override {
        return Describe(index * 100);
    }
    std::optional<platform::MixerLine> source(std::uint32_t destination,
                                              std::uint32_t index) override {
        return Describe(destination * 100 + index + 1);
    }
    std::vector<platform::MixerControl> controls(std::uint32_t lineId) override {
        const Line* line = Find(lineId);
        if (line == nullptr) return {};
        std::vector<platform::MixerControl> list{{lineId | kSwitch, false, 0}};
        if (line->volume) list.push_back({lineId, true, 0});
        return list;
    }
    std::optional<std::uint32_t> getValue(std::uint32_t controlId) override {
        if ((controlId & kSwitch) != 0) return 1;
        const Line* line = Find(controlId);
        if (line == nullptr || line->unreadable) return std::nullopt;
        return line->volume;
    }
    bool setValue(std::uint32_t controlId, std::uint32_t value) override {
        Line* line = Find(controlId);
        if (line == nullptr || !line->volume) return false;
        line->volume = value;
        return true;
    }

private:
    using Line = FakeMixerDevices::Line;

    Line* Find(std::uint32_t id) {
        const std::uint32_t d = id / 100;
        const std::uint32_t j = id % 100;
        if (d >= card_.destinations.size()) return nullptr;
        Line& destination = card_.destinations[d];
        if (j == 0) return &destination;
        return j <= destination.sources.size() ? &destination.sources[j - 1] : nullptr;
    }
    std::optional<platform::MixerLine> Describe(std::uint32_t id) {
        const Line* line = Find(id);
        if (line == nullptr) return std::nullopt;
        return platform::MixerLine{id, line->type, line->name,
                                   static_cast<std::uint32_t>(line->sources.size())};
    }

    FakeMixerDevices& card_;
};

}  // namespace

std::unique_ptr<platform::MixerHandle> FakeMixerDevices::open(std::uint32_t device) {
    if (failOpen || device >= devices) return nullptr;
    return std::make_unique<FakeMixerHandle>(*this);
}

}  // namespace zktest
