#pragma once

#include <cstdint>
#include <memory>

struct AVFrame;

namespace platform {

// One decoded picture in the decoder's own format, at its time in 100 ns. It holds
// a reference to the decoder's buffers rather than a copy, so pictures queued ahead
// cost no conversion and little memory; only the one shown is ever converted.
class MediaFrame {
public:
    MediaFrame();
    ~MediaFrame();
    MediaFrame(MediaFrame&&) noexcept;
    MediaFrame& operator=(MediaFrame&&) noexcept;

    std::int64_t time() const { return time_; }

private:
    friend class MediaFile;
    friend class PictureConverter;
    struct Freer {
        void operator()(AVFrame* frame) const;
    };
    std::unique_ptr<AVFrame, Freer> frame_;
    std::int64_t time_ = 0;
};

}  // namespace platform
