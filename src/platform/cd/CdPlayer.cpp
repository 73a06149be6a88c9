#include "platform/cd/CdPlayer.h"

#include <cstdio>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioStream.h"
#include "platform/cd/CdReader.h"

namespace platform {

namespace {

constexpr std::size_t kMaxTracks = 99;

bool Plausible(const CdToc& toc) {
    const std::size_t count = toc.tracks.size();
    if (count == 0 || count > kMaxTracks || toc.firstTrack < 1 ||
        toc.firstTrack + count - 1 > kMaxTracks || toc.tracks[0].start < 0) {
        return false;
    }
    for (std::size_t i = 1; i < count; ++i) {
        if (toc.tracks[i].start <= toc.tracks[i - 1].start) return false;
    }
    return toc.leadOut > toc.tracks.back().start;
}

// The index of the track a sector lies in; -1 before the first.
int TrackIndexOf(const CdToc& toc, int sector) {
    int index = -1;
    for (std::size_t i = 0; i < toc.tracks.size() && toc.tracks[i].start <= sector; ++i) {
        index = static_cast<int>(i);
    }
    return index;
}

int TrackEnd(const CdToc& toc, std::size_t index) {
    return index + 1 < toc.tracks.size() ? toc.tracks[index + 1].start : toc.leadOut;
}

// The index of a track by its number, when the disc has it.
std::optional<std::size_t> TrackIndex(const CdToc& toc, int track) {
    const int index = track - toc.firstTrack;
    if (index < 0 || static_cast<std::size_t>(index) >= toc.tracks.size()) return std::nullopt;
    return static_cast<std::size_t>(index);
}

int DigitSum(int number) {
    int sum = 0;
    for (; number > 0; number /= 10) sum += number % 10;
    return sum;
}

}  // namespace

CdPlayer::CdPlayer(std::unique_ptr<CdDrive> drive, std::shared_ptr<AudioEngine> engine)
    : drive_(std::move(drive)), engine_(std::move(engine)) {}

CdPlayer::~CdPlayer() { stop(); }

bool CdPlayer::setTimeFormat(std::uint32_t format) {
    if (format != CdTime::kFormatMsf && format != CdTime::kFormatTmsf) return false;
    format_ = format;
    return true;
}

const CdToc* CdPlayer::disc() {
    if (drive_->status() != CdStatus::DiscIn) return nullptr;
    toc_ = drive_->toc();
    return toc_ && Plausible(*toc_) ? &*toc_ : nullptr;
}

std::optional<int> CdPlayer::trackCount() {
    const CdToc* toc = disc();
    if (toc == nullptr) return std::nullopt;
    return static_cast<int>(toc->tracks.size());
}

std::optional<int> CdPlayer::firstTrack() {
    const CdToc* toc = disc();
    if (toc == nullptr) return std::nullopt;
    return toc->firstTrack;
}

std::optional<int> CdPlayer::trackType(int track) {
    const CdToc* toc = disc();
    const auto index = toc ? TrackIndex(*toc, track) : std::nullopt;
    if (!index) return std::nullopt;
    return toc->tracks[*index].audio ? 0 : 1;
}

std::optional<std::uint32_t> CdPlayer::length(std::optional<int> track) {
    const CdToc* toc = disc();
    if (toc == nullptr) return std::nullopt;
    if (!track) return CdTime::SectorsToMsf(toc->leadOut - toc->tracks[0].start);
    const auto index = TrackIndex(*toc, *track);
    if (!index) return std::nullopt;
    return CdTime::SectorsToMsf(TrackEnd(*toc, *index) - toc->tracks[*index].start);
}

std::optional<CdMode> CdPlayer::mode() {
    if (reader_ && !stream_->drained()) return CdMode::Playing;
    const std::optional<CdStatus> status = drive_->status();
    if (!status) return std::nullopt;
    switch (*status) {
        case CdStatus::DiscIn:
            return CdMode::Stopped;
        case CdStatus::TrayOpen:
            return CdMode::Open;
        case CdStatus::NoDisc:
        case CdStatus::NotReady:
            break;
    }
    return CdMode::NotReady;
}

std::optional<bool> CdPlayer::mediaPresent() {
    const std::optional<CdStatus> status = drive_->status();
    if (!status) return std::nullopt;
    return *status == CdStatus::DiscIn;
}

int CdPlayer::playedTo() const {
    return playStart_ + static_cast<int>(stream_->consumed() / CdTime::kFramesPerSector);
}

int CdPlayer::currentSector(const CdToc& toc) const {
    if (reader_) return playedTo();
    return held_.value_or(toc.tracks[0].start);
}

std::optional<std::uint32_t> CdPlayer::position() {
    const CdToc* toc = disc();
    if (toc == nullptr) return std::nullopt;
    return encode(*toc, currentSector(*toc));
}

std::uint32_t CdPlayer::encode(const CdToc& toc, int sector) const {
    if (format_ == CdTime::kFormatMsf) return CdTime::SectorsToMsf(sector + CdTime::kLeadIn);
    const int index = std::max(TrackIndexOf(toc, sector), 0);
    const std::uint32_t offset = CdTime::SectorsToMsf(sector - toc.tracks[index].start);
    return static_cast<std::uint32_t>(toc.firstTrack + index) | offset << 8;
}

std::optional<int> CdPlayer::decode(const CdToc& toc, std::uint32_t packed) const {
    if (format_ == CdTime::kFormatMsf) return CdTime::MsfToSectors(packed) - CdTime::kLeadIn;
    const auto index = TrackIndex(toc, static_cast<int>(packed & 0xFF));
    const int offset = CdTime::MsfToSectors(packed >> 8);
    if (!index || offset >= TrackEnd(toc, *index) - toc.tracks[*index].start) return std::nullopt;
    return toc.tracks[*index].start + offset;
}

bool CdPlayer::play(std::optional<std::uint32_t> from) {
    const CdToc* toc = disc();
    if (toc == nullptr || !engine_) return false;
    const std::optional<int> start = from ? decode(*toc, *from) : currentSector(*toc);
    const int index = start ? TrackIndexOf(*toc, *start) : -1;
    if (index < 0 || *start >= toc->leadOut || !toc->tracks[index].audio) return false;
    std::size_t last = static_cast<std::size_t>(index);
    while (last + 1 < toc->tracks.size() && toc->tracks[last + 1].audio) ++last;
    stop();
    stream_ = std::make_shared<AudioStream>();
    engine_->addStream(stream_);
    playStart_ = *start;
    reader_ = std::make_unique<CdReader>(*drive_, stream_, *start, TrackEnd(*toc, last));
    stream_->setArmed(true);
    return true;
}

// The stream leaves the mix before the position is taken, so the mix cannot take
// a frame more after it; the next play has a stream of its own.
void CdPlayer::stop() {
    if (!reader_) return;
    reader_.reset();
    stream_->setArmed(false);
    engine_->removeStream(*stream_);
    held_ = playedTo();
    stream_.reset();
}

bool CdPlayer::setDoor(bool open) {
    stop();
    return open ? drive_->eject() : drive_->closeTray();
}

std::optional<std::string> CdPlayer::identity() {
    const CdToc* toc = disc();
    if (toc == nullptr) return std::nullopt;
    const auto seconds = [](int sector) {
        return (sector + CdTime::kLeadIn) / CdTime::kSectorsPerSecond;
    };
    int sum = 0;
    for (const CdTrack& track : toc->tracks) sum += DigitSum(seconds(track.start));
    const auto id =
        static_cast<std::uint32_t>(sum % 0xFF) << 24 |
        static_cast<std::uint32_t>(seconds(toc->leadOut) - seconds(toc->tracks[0].start)) << 8 |
        static_cast<std::uint32_t>(toc->tracks.size());
    char text[16];
    std::snprintf(text, sizeof text, "%08x", id);
    return text;
}

}  // namespace platform
