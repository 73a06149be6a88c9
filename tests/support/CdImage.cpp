#include "support/CdImage.h"

#include <cstdio>

#include "platform/cd/CdTime.h"
#include "support/Bytes.h"

namespace zktest {

std::string CdImage::Write(const std::string& stem, const std::vector<CdImageTrack>& tracks,
                           int firstTrack) {
    std::string sheet = "FILE \"" + stem + ".bin\" BINARY\n";
    std::string bin;
    int sector = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const int seconds = sector / platform::CdTime::kSectorsPerSecond;
        char entry[96];
        std::snprintf(entry, sizeof entry, "  TRACK %02zu %s\n    INDEX 01 %02d:%02d:%02d\n",
                      i + firstTrack, tracks[i].audio ? "AUDIO" : "MODE1/2352", seconds / 60,
                      seconds % 60, sector % platform::CdTime::kSectorsPerSecond);
        sheet += entry;
        for (int end = sector + tracks[i].sectors; sector < end; ++sector) {
            const auto sample = static_cast<std::uint16_t>(Sample(sector));
            const char bytes[2] = {static_cast<char>(sample & 0xFF),
                                   static_cast<char>(sample >> 8)};
            for (int s = 0; s < platform::CdTime::kSamplesPerSector; ++s) bin.append(bytes, 2);
        }
    }
    WriteFileBytes(stem + ".bin", bin);
    WriteFileBytes(stem + ".cue", sheet);
    return stem + ".cue";
}

}  // namespace zktest
