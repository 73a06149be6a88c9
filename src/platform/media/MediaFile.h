#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media/MediaFrame.h"

struct AVInputFormat;
struct AVPacket;

namespace platform {

// One picture converted for the screen as 0x00RRGGBB words, rows of width, at its time in 100 ns.
struct MediaPicture {
    std::int64_t time = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The size a picture is scaled to, and the top-left part of it that is kept.
struct MediaPictureSize {
    int width = 0;
    int height = 0;
    int keptWidth = 0;
    int keptHeight = 0;
};

// A compressed packet of the video or the audio stream, as read from the file.
class MediaPacket {
public:
    MediaPacket();
    ~MediaPacket();
    MediaPacket(MediaPacket&&) noexcept;
    MediaPacket& operator=(MediaPacket&&) noexcept;

    bool isVideo() const { return video_; }
    std::size_t bytes() const;
    // Its length in 100 ns, 0 when the file does not say.
    std::int64_t duration() const { return duration_; }
    // Where it ends in the stream in 100 ns, -1 when the file does not say.
    std::int64_t end() const { return end_; }

private:
    friend class MediaFile;
    struct Freer {
        void operator()(AVPacket* packet) const;
    };
    std::unique_ptr<AVPacket, Freer> packet_;
    bool video_ = false;
    std::int64_t duration_ = 0;
    std::int64_t end_ = -1;
};

// One local media file opened for decoding, with no thread of its own: the best
// video and the best audio stream, each with a decoder. The content decides the
// format, never the extension.
class MediaFile {
public:
    // Larger pictures are refused at open and by the converter: nothing in the game
    // area needs them and a hostile header could otherwise ask for gigabytes.
    static constexpr int kLargestSide = 4096;

    MediaFile();
    ~MediaFile();
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    // S_OK; E_FILE_NOT_FOUND for a missing file; E_FAIL for a file that is no media,
    // has no stream with a decoder, or a picture larger than kLargestSide.
    std::int32_t open(const std::string& path);
    bool isOpen() const;

    bool hasVideo() const;
    bool hasAudio() const;
    // The coded picture size found at open; 0 x 0 without video.
    int videoWidth() const;
    int videoHeight() const;
    // In 100 ns units: the container's duration, else the longest stream's.
    std::optional<std::int64_t> duration() const;
    // The time between two pictures in 100 ns.
    std::int64_t frameInterval() const;

    // The next packet of either stream; false at the end of the file, and on a read
    // error, which ends the file as well.
    bool readPacket(MediaPacket& packet);
    // Appends the pictures a video packet completes, as the decoder gives them; a
    // null packet drains the decoder at the end. A damaged packet is skipped.
    void decodePictures(const MediaPacket* packet, std::vector<MediaFrame>& out);
    // Appends the sound an audio packet completes as 44 100 Hz interleaved stereo
    // float; a null packet drains the decoder and the converter.
    void decodeSound(const MediaPacket* packet, std::vector<float>& out);
    // Moves to position (100 ns), reopening the file when the demuxer cannot seek;
    // false when even the start cannot be reached. Sound and pictures before the
    // position are dropped as they are decoded.
    bool seek(std::int64_t position);

private:
    // Opens path_ with demuxer, or by probing when it is null.
    std::int32_t openAs(const AVInputFormat* demuxer);

    struct State;
    std::unique_ptr<State> state_;
    std::string path_;
};

}  // namespace platform
