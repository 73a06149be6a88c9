#pragma once

#include <cstdint>

namespace platform {

// CD addresses. A sector is 1/75 s of sound, 588 stereo frames of 16-bit samples.
// Absolute MSF times count the 150 sectors of lead-in before sector 0; packed, MSF
// is m | s << 8 | f << 16 and TMSF t | m << 8 | s << 16 | f << 24.
class CdTime {
public:
    // The time formats a CD device is asked for, by their MCI values.
    static constexpr std::uint32_t kFormatMsf = 2;
    static constexpr std::uint32_t kFormatTmsf = 10;
    static constexpr int kSectorsPerSecond = 75;
    static constexpr int kLeadIn = 150;
    static constexpr int kFramesPerSector = 588;
    static constexpr int kSamplesPerSector = kFramesPerSector * 2;

    static std::uint32_t PackMsf(int minute, int second, int frame);
    static std::uint32_t PackTmsf(int track, int minute, int second, int frame);
    // A sector count as minutes, seconds and frames, packed as MSF; the minutes
    // keep their low eight bits.
    static std::uint32_t SectorsToMsf(int sectors);
    // The sectors of a packed MSF time.
    static int MsfToSectors(std::uint32_t msf);
};

}  // namespace platform
