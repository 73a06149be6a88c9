#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zktest {

struct CdImageTrack {
    int sectors = 0;
    bool audio = true;
};

// Disc images for tests: tracks laid end to end from sector 0, every sample of
// sector n being Sample(n), so a test hears from the mix which sector plays.
class CdImage {
public:
    static std::int16_t Sample(int sector) { return static_cast<std::int16_t>(sector); }
    // The mix's level of Sample(sector).
    static float Level(int sector) { return Sample(sector) / 32768.0f; }

    // Writes stem.bin and the sheet stem.cue, its tracks numbered from firstTrack;
    // returns the sheet's name.
    static std::string Write(const std::string& stem, const std::vector<CdImageTrack>& tracks,
                             int firstTrack = 1);
};

}  // namespace zktest
