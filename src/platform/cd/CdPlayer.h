#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/cd/CdDrive.h"
#include "platform/cd/CdTime.h"

namespace platform {

class AudioEngine;
class AudioStream;
class CdReader;

enum class CdMode { Playing, Stopped, Open, NotReady };

// The CD audio device over one drive: positions in the format set (MSF at first),
// the disc's table, plays into the audio engine's mix and the tray. A disc whose
// table is implausible cannot be read. A play runs from its sector to the end of
// the run of audio tracks it starts in; its position follows the frames the mix has
// taken. Mode and position are worked out when asked; nothing needs pumping.
class CdPlayer {
public:
    // The sound plays through engine, shared with its owner; without one the table
    // reads but nothing plays.
    CdPlayer(std::unique_ptr<CdDrive> drive, std::shared_ptr<AudioEngine> engine);
    ~CdPlayer();
    CdPlayer(const CdPlayer&) = delete;
    CdPlayer& operator=(const CdPlayer&) = delete;

    // Only CdTime::kFormatMsf and kFormatTmsf are taken.
    bool setTimeFormat(std::uint32_t format);
    std::uint32_t timeFormat() const { return format_; }

    std::optional<int> trackCount();
    // The disc's number of its first track; the others follow it.
    std::optional<int> firstTrack();
    // 0 for an audio track, 1 for any other.
    std::optional<int> trackType(int track);
    // The track's length, or the whole disc's without one, as packed MSF.
    std::optional<std::uint32_t> length(std::optional<int> track);
    // Nothing when the drive's status cannot be read.
    std::optional<CdMode> mode();
    std::optional<bool> mediaPresent();
    // Packed in the current format.
    std::optional<std::uint32_t> position();
    // From a packed position in the current format, or on from the position.
    bool play(std::optional<std::uint32_t> from);
    // Stops the play, holding its position.
    void stop();
    bool setDoor(bool open);
    // The disc's CDDB identifier, eight lower-case hex digits.
    std::optional<std::string> identity();

private:
    // The table while a disc is in and its table is plausible; null otherwise.
    const CdToc* disc();
    // The sector after the last one the mix has taken of the play.
    int playedTo() const;
    int currentSector(const CdToc& toc) const;
    std::optional<int> decode(const CdToc& toc, std::uint32_t packed) const;
    std::uint32_t encode(const CdToc& toc, int sector) const;

    std::unique_ptr<CdDrive> drive_;
    std::shared_ptr<AudioEngine> engine_;
    std::uint32_t format_ = CdTime::kFormatMsf;
    std::optional<CdToc> toc_;
    std::shared_ptr<AudioStream> stream_;
    std::unique_ptr<CdReader> reader_;
    int playStart_ = 0;
    std::optional<int> held_;
};

}  // namespace platform
