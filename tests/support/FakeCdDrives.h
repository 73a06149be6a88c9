#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/cd/CdDrives.h"
#include "platform/core/Services.h"
#include "support/CdImage.h"

namespace zktest {

// Scripted CD drives installed for the fake's lifetime. Each drive holds a disc of
// tracks laid end to end from sector 0, numbered from its first track, with
// CdImage's samples, a status and a door; switches make the listing, a status (at once or
// after some reads), the table after some reads, a tray or the reads from a sector on fail.
class FakeCdDrives : public platform::CdDrives {
public:
    struct Drive {
        std::vector<CdImageTrack> tracks;
        int firstTrack = 1;
        platform::CdStatus status = platform::CdStatus::DiscIn;
        // The table reported instead of the tracks' own, when set.
        std::optional<platform::CdToc> toc{};
        bool failStatus = false;
        int statusReads = -1;  // the status reads that succeed before every later one fails; -1 all
        int tocReads = -1;     // the table reads that succeed before every later one fails; -1 all
        bool failTray = false;
        int failReadsFrom = -1;  // every read at or after this sector fails
    };

    std::optional<std::vector<std::string>> list() override;
    std::unique_ptr<platform::CdDrive> open(const std::string& name) override;

    // The drives by name; "" opens the first.
    std::map<std::string, Drive> drives;
    bool failList = false;

private:
    platform::ScopedService<platform::CdDrives> scope_{*this};
};

}  // namespace zktest
