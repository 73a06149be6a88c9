#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// One local media file opened for decoding, with no thread of its own: the best
// video and the best audio stream, each with a decoder. The content decides the
// format, never the extension.
class MediaFile {
public:
    // Larger pictures are refused at open: nothing in the game area needs them and
    // a hostile header could otherwise ask for gigabytes of scaler buffers.
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

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
