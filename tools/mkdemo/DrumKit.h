#pragma once

#include <vector>

#include "mkdemo/MusicComposer.h"

namespace mkdemo {

// The beat's sounds: a kick that falls in pitch, a snare of noise over a short tone,
// and a hat of bright noise.
class DrumKit {
public:
    DrumKit();

    const std::vector<float>& Sound(Drum drum) const;

private:
    std::vector<float> kick_;
    std::vector<float> snare_;
    std::vector<float> hat_;
};

}  // namespace mkdemo
