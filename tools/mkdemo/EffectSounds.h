#pragma once

#include <string_view>
#include <vector>

namespace mkdemo {

enum class EffectKind { SoftClick, BrightClick, Chime, Bell, Swoosh, PageTurn, Knock, Thud };

// The demo's sound effects: what each sounds like by its name, and the sound.
class EffectSounds {
public:
    // The menu sounds by name; the scenes' numbered sounds take turns over the
    // kinds by their number.
    static EffectKind KindOf(std::string_view name);
    static std::vector<float> Render(EffectKind kind);
};

}  // namespace mkdemo
