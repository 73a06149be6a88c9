#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

enum class CdStatus { DiscIn, NoDisc, TrayOpen, NotReady };

struct CdTrack {
    int start = 0;  // sector
    bool audio = false;
};

// A disc's table of contents as the drive reports it: tracks numbered from
// firstTrack on, and the lead-out's sector. It is outside data, checked by its user.
struct CdToc {
    int firstTrack = 1;
    std::vector<CdTrack> tracks;
    int leadOut = 0;
};

// One CD drive or disc image. Status and the table may be asked from one thread
// while another reads sound.
class CdDrive {
public:
    virtual ~CdDrive() = default;

    // Nothing when the status cannot be read.
    virtual std::optional<CdStatus> status() = 0;
    virtual std::optional<CdToc> toc() = 0;
    // Reads count sectors from sector on as interleaved 16-bit stereo samples,
    // CdTime::kSamplesPerSector a sector; false when they cannot be read.
    virtual bool readAudio(int sector, int count, std::int16_t* samples) = 0;
    virtual bool eject() = 0;
    virtual bool closeTray() = 0;
};

}  // namespace platform
