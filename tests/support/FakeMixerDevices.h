#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/Services.h"
#include "platform/mixer/MixerDevices.h"

namespace zktest {

// A scripted sound card installed as the mixer devices for the fake's lifetime.
// Every line offers a switch control first, then its volume control if it has one;
// the volumes are the card's values, which tests read and change.
class FakeMixerDevices : public platform::MixerDevices {
public:
    struct Line {
        platform::MixerLineType type = platform::MixerLineType::Other;
        std::string name{};
        std::optional<std::uint32_t> volume{};  // none: no volume control
        bool unreadable = false;
        std::vector<Line> sources{};
    };

    std::uint32_t count() override { return devices; }
    std::unique_ptr<platform::MixerHandle> open(std::uint32_t device) override;

    std::vector<Line> destinations;
    std::uint32_t devices = 1;
    bool failOpen = false;
    bool failCapabilities = false;
    int opened = 0;
    int closed = 0;

private:
    platform::ScopedService<platform::MixerDevices> scope_{*this};
};

}  // namespace zktest
