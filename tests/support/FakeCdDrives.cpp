#include "support/FakeCdDrives.h"

#include <algorithm>

#include "platform/cd/CdTime.h"

using platform::CdStatus;

namespace zktest {

namespace {

class FakeCdDrive : public platform::CdDrive {
public:
    explicit FakeCdDrive(FakeCdDrives::Drive& drive) : drive_(drive) {}

    std::optional<CdStatus> status() override {
        if (drive_.failStatus || drive_.statusReads == 0) return std::nullopt;
        if (drive_.statusReads > 0) --drive_.statusReads;
        return drive_.status;
    }
    std::optional<platform::CdToc> toc() override {
        if (drive_.tocReads == 0) return std::nullopt;
        if (drive_.tocReads > 0) --drive_.tocReads;
        if (drive_.toc) return drive_.toc;
        platform::CdToc toc;
        toc.firstTrack = drive_.firstTrack;
        for (const CdImageTrack& track : drive_.tracks) {
            toc.tracks.push_back({toc.leadOut, track.audio});
            toc.leadOut += track.sectors;
        }
        return toc;
    }
    bool readAudio(int sector, int count, std::int16_t* samples) override {
        if (drive_.failReadsFrom >= 0 && sector + count > drive_.failReadsFrom) return false;
        for (int i = 0; i < count; ++i) {
            std::fill_n(samples + i * platform::CdTime::kSamplesPerSector,
                        platform::CdTime::kSamplesPerSector, CdImage::Sample(sector + i));
        }
        return true;
    }
    bool eject() override { return moveTray(CdStatus::TrayOpen); }
    bool closeTray() override {
        return moveTray(drive_.tracks.empty() ? CdStatus::NoDisc : CdStatus::DiscIn);
    }

private:
    bool moveTray(CdStatus to) {
        if (drive_.failTray) return false;
        drive_.status = to;
        return true;
    }

    FakeCdDrives::Drive& drive_;
};

}  // namespace

std::optional<std::vector<std::string>> FakeCdDrives::list() {
    if (failList) return std::nullopt;
    std::vector<std::string> names;
    for (const auto& [name, drive] : drives) names.push_back(name);
    return names;
}

std::unique_ptr<platform::CdDrive> FakeCdDrives::open(const std::string& name) {
    const auto found = name.empty() ? drives.begin() : drives.find(name);
    if (found == drives.end()) return nullptr;
    return std::make_unique<FakeCdDrive>(found->second);
}

}  // namespace zktest
