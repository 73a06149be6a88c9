#pragma once

#include <vector>

#include "mkdemo/MusicComposer.h"

namespace mkdemo {

// A piece as samples at the demo's rate: whole bars whose last sample leads into the
// first, since every note's tail that runs past the end sounds again at the start.
class MusicSynth {
public:
    static std::size_t StepFrames(int bpm);
    static std::vector<float> Render(const Piece& piece);
};

}  // namespace mkdemo
