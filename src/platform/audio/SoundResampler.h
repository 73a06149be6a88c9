#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct AVFrame;
struct SwrContext;

namespace platform {

// Converts decoded sound frames into the mix format as interleaved stereo float.
// Mono keeps its level on both sides. The converter is set up from the first frame;
// a later frame in another layout is dropped as damaged.
class SoundResampler {
public:
    SoundResampler();
    ~SoundResampler();
    SoundResampler(const SoundResampler&) = delete;
    SoundResampler& operator=(const SoundResampler&) = delete;

    // Appends the frame's sound to out; false when the frame was dropped.
    bool convert(const AVFrame& frame, std::vector<float>& out);
    // Appends what the converter still holds.
    void flush(std::vector<float>& out);
    // Forgets what the converter holds, as after a seek.
    void reset();

private:
    bool accept(const AVFrame& frame);
    int resample(const std::uint8_t** in, int count, std::vector<float>& out);

    struct Freer {
        void operator()(SwrContext* context) const;
    };
    std::unique_ptr<SwrContext, Freer> swr_;
    int inFormat_ = -1;
    int inRate_ = 0;
    int inChannels_ = 0;
    int outChannels_ = 2;
    std::vector<float> scratch_;
};

}  // namespace platform
