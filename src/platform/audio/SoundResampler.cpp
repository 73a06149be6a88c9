#include "platform/audio/SoundResampler.h"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include "platform/audio/AudioFormat.h"

namespace platform {

namespace {

// Input goes to the converter in pieces of about this many output frames, so a
// hostile sample rate cannot make one call produce an unbounded block.
constexpr long long kPieceFrames = 4096;
// Above the rates real recordings use.
constexpr int kHighestInputRate = 768000;

}  // namespace

void SoundResampler::Freer::operator()(SwrContext* context) const { swr_free(&context); }

SoundResampler::SoundResampler() = default;
SoundResampler::~SoundResampler() = default;

bool SoundResampler::accept(const AVFrame& frame) {
    if (swr_) {
        return frame.format == inFormat_ && frame.sample_rate == inRate_ &&
               frame.ch_layout.nb_channels == inChannels_;
    }
    if (frame.sample_rate <= 0 || frame.sample_rate > kHighestInputRate) return false;
    if (frame.ch_layout.nb_channels <= 0 || frame.format < 0) return false;
    AVChannelLayout in{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&in, frame.ch_layout.nb_channels);
    } else {
        av_channel_layout_copy(&in, &frame.ch_layout);
    }
    // Mono is converted as mono and doubled: a mono-to-stereo matrix would lower it.
    outChannels_ = frame.ch_layout.nb_channels == 1 ? 1 : kMixChannels;
    AVChannelLayout out{};
    av_channel_layout_default(&out, outChannels_);
    SwrContext* resampler = nullptr;
    const int made = swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_FLT, kMixRate, &in,
                                         static_cast<AVSampleFormat>(frame.format),
                                         frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    std::unique_ptr<SwrContext, Freer> owned(resampler);
    if (made < 0 || swr_init(resampler) < 0) return false;
    swr_ = std::move(owned);
    inFormat_ = frame.format;
    inRate_ = frame.sample_rate;
    inChannels_ = frame.ch_layout.nb_channels;
    return true;
}

bool SoundResampler::convert(const AVFrame& frame, std::vector<float>& out) {
    if (!accept(frame)) return false;
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const int channels = frame.ch_layout.nb_channels;
    const std::size_t stride =
        static_cast<std::size_t>(av_get_bytes_per_sample(format)) * (planar ? 1 : channels);
    const int piece = static_cast<int>(
        std::max(1LL, kPieceFrames * frame.sample_rate / static_cast<long long>(kMixRate)));
    std::vector<const std::uint8_t*> planes(planar ? channels : 1);
    for (int offset = 0; offset < frame.nb_samples; offset += piece) {
        for (std::size_t p = 0; p < planes.size(); ++p) {
            planes[p] = frame.extended_data[p] + stride * static_cast<std::size_t>(offset);
        }
        resample(planes.data(), std::min(piece, frame.nb_samples - offset), out);
    }
    return true;
}

void SoundResampler::flush(std::vector<float>& out) {
    if (!swr_) return;
    while (resample(nullptr, 0, out) > 0) {
    }
}

void SoundResampler::reset() { swr_.reset(); }

int SoundResampler::resample(const std::uint8_t** in, int count, std::vector<float>& out) {
    const int capacity = swr_get_out_samples(swr_.get(), count);
    if (capacity <= 0) return 0;
    scratch_.resize(static_cast<std::size_t>(capacity) * outChannels_);
    auto* target = reinterpret_cast<std::uint8_t*>(scratch_.data());
    const int made = swr_convert(swr_.get(), &target, capacity, in, count);
    for (int i = 0; i < made; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * outChannels_;
        out.push_back(scratch_[at]);
        out.push_back(scratch_[at + outChannels_ - 1]);
    }
    return made;
}

}  // namespace platform
