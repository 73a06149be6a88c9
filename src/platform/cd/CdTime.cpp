#include "platform/cd/CdTime.h"

namespace platform {

std::uint32_t CdTime::PackMsf(int minute, int second, int frame) {
    return static_cast<std::uint32_t>(minute & 0xFF) |
           static_cast<std::uint32_t>(second & 0xFF) << 8 |
           static_cast<std::uint32_t>(frame & 0xFF) << 16;
}

std::uint32_t CdTime::PackTmsf(int track, int minute, int second, int frame) {
    return static_cast<std::uint32_t>(track & 0xFF) | PackMsf(minute, second, frame) << 8;
}

std::uint32_t CdTime::SectorsToMsf(int sectors) {
    const int seconds = sectors / kSectorsPerSecond;
    return PackMsf(seconds / 60, seconds % 60, sectors % kSectorsPerSecond);
}

int CdTime::MsfToSectors(std::uint32_t msf) {
    const auto part = [&](int shift) { return static_cast<int>((msf >> shift) & 0xFF); };
    return (part(0) * 60 + part(8)) * kSectorsPerSecond + part(16);
}

}  // namespace platform
