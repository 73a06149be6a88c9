#include "platform/SoundDecoder.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include "platform/FfmpegLog.h"
#include "platform/HResult.h"

namespace platform {

namespace {

// Input is fed to the resampler in pieces that give about this many frames, so a
// hostile sample rate cannot make one call produce an unbounded block.
constexpr long long kPieceFrames = 4096;

// Above the rates real recordings use; the resampler's set-up for a header claiming
// a rate in the gigahertz would take seconds and gigabytes.
constexpr int kHighestInputRate = 768000;

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct ResamplerFreer {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

class Decoding {
public:
    explicit Decoding(std::size_t maxFrames) : maxFrames_(maxFrames) {}

    std::int32_t run(const std::string& path, SoundHandle& sound) {
        const std::int32_t opened = open(path);
        if (opened != S_OK) return opened;
        std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        while (!tooLong_ && av_read_frame(format_.get(), packet.get()) >= 0) {
            if (packet->stream_index == stream_) decodePacket(packet.get());
            av_packet_unref(packet.get());
        }
        if (!tooLong_) decodePacket(nullptr);
        if (!tooLong_) flushResampler();
        if (tooLong_ || samples_.empty()) return E_FAIL;
        sound = std::make_shared<const DecodedSound>(DecodedSound{std::move(samples_)});
        return S_OK;
    }

private:
    std::int32_t open(const std::string& path) {
        AVDictionary* options = nullptr;
        av_dict_set(&options, "protocol_whitelist", "file", 0);
        AVFormatContext* format = nullptr;
        // The "file:" prefix keeps a name with a colon from being read as a protocol.
        const int opened =
            avformat_open_input(&format, ("file:" + path).c_str(), nullptr, &options);
        av_dict_free(&options);
        if (opened < 0) return opened == AVERROR(ENOENT) ? E_FILE_NOT_FOUND : E_FAIL;
        format_.reset(format);
        if (avformat_find_stream_info(format, nullptr) < 0) return E_FAIL;
        return openFirstAudioStream();
    }

    std::int32_t openFirstAudioStream() {
        for (unsigned i = 0; i < format_->nb_streams; ++i) {
            AVStream* stream = format_->streams[i];
            const bool audio = stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
            if (audio && stream_ < 0) stream_ = static_cast<int>(i);
            stream->discard = static_cast<int>(i) == stream_ ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
        }
        if (stream_ < 0) return E_FAIL;
        const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
        const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
        if (decoder == nullptr) return E_FAIL;
        codec_.reset(avcodec_alloc_context3(decoder));
        if (!codec_ || avcodec_parameters_to_context(codec_.get(), parameters) < 0 ||
            avcodec_open2(codec_.get(), decoder, nullptr) < 0) {
            return E_FAIL;
        }
        return S_OK;
    }

    // A null packet drains the decoder at the end. A packet the decoder refuses is
    // damaged and skipped; decoding goes on with the next one.
    void decodePacket(const AVPacket* packet) {
        if (avcodec_send_packet(codec_.get(), packet) < 0) return;
        while (!tooLong_ && avcodec_receive_frame(codec_.get(), frame_.get()) >= 0) {
            convert(*frame_);
            av_frame_unref(frame_.get());
        }
    }

    void convert(const AVFrame& frame) {
        if (!acceptResamplerFor(frame)) return;
        const auto format = static_cast<AVSampleFormat>(frame.format);
        const bool planar = av_sample_fmt_is_planar(format) != 0;
        const int channels = frame.ch_layout.nb_channels;
        const std::size_t stride =
            static_cast<std::size_t>(av_get_bytes_per_sample(format)) * (planar ? 1 : channels);
        const int piece = static_cast<int>(
            std::max(1LL, kPieceFrames * frame.sample_rate / static_cast<long long>(kMixRate)));
        std::vector<const std::uint8_t*> planes(planar ? channels : 1);
        for (int offset = 0; offset < frame.nb_samples && !tooLong_; offset += piece) {
            for (std::size_t p = 0; p < planes.size(); ++p) {
                planes[p] = frame.extended_data[p] + stride * static_cast<std::size_t>(offset);
            }
            resample(planes.data(), std::min(piece, frame.nb_samples - offset));
        }
    }

    // The resampler is set up from the first frame. A later frame in another layout
    // would be misread by it, so such a frame is dropped as damaged.
    bool acceptResamplerFor(const AVFrame& frame) {
        if (swr_) {
            return frame.format == inFormat_ && frame.sample_rate == inRate_ &&
                   frame.ch_layout.nb_channels == inChannels_;
        }
        if (frame.sample_rate <= 0 || frame.sample_rate > kHighestInputRate) return false;
        if (frame.ch_layout.nb_channels <= 0) return false;
        AVChannelLayout in{};
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&in, frame.ch_layout.nb_channels);
        } else {
            av_channel_layout_copy(&in, &frame.ch_layout);
        }
        // Mono is resampled as mono and doubled, so it keeps its level on both sides
        // instead of the -3 dB a mono-to-stereo matrix would give.
        outChannels_ = frame.ch_layout.nb_channels == 1 ? 1 : kMixChannels;
        AVChannelLayout out{};
        av_channel_layout_default(&out, outChannels_);
        SwrContext* resampler = nullptr;
        const int made = swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_S16, kMixRate, &in,
                                             static_cast<AVSampleFormat>(frame.format),
                                             frame.sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        std::unique_ptr<SwrContext, ResamplerFreer> owned(resampler);
        if (made < 0 || swr_init(resampler) < 0) return false;
        swr_ = std::move(owned);
        inFormat_ = frame.format;
        inRate_ = frame.sample_rate;
        inChannels_ = frame.ch_layout.nb_channels;
        return true;
    }

    // A null input flushes what the resampler still holds.
    int resample(const std::uint8_t** in, int count) {
        const int capacity = swr_get_out_samples(swr_.get(), count);
        if (capacity <= 0) return 0;
        scratch_.resize(static_cast<std::size_t>(capacity) * outChannels_);
        auto* out = reinterpret_cast<std::uint8_t*>(scratch_.data());
        const int made = swr_convert(swr_.get(), &out, capacity, in, count);
        if (made > 0) append(static_cast<std::size_t>(made));
        return made;
    }

    void flushResampler() {
        if (!swr_) return;
        while (!tooLong_ && resample(nullptr, 0) > 0) {
        }
    }

    // The buffer grows with what is decoded, never with what a header claims.
    void append(std::size_t frames) {
        const std::size_t have = samples_.size() / kMixChannels;
        if (frames > maxFrames_ - have) {
            tooLong_ = true;
            return;
        }
        if (outChannels_ == kMixChannels) {
            samples_.insert(samples_.end(), scratch_.begin(),
                            scratch_.begin() + static_cast<std::ptrdiff_t>(frames * kMixChannels));
            return;
        }
        for (std::size_t i = 0; i < frames; ++i) {
            samples_.push_back(scratch_[i]);
            samples_.push_back(scratch_[i]);
        }
    }

    std::size_t maxFrames_;
    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    std::unique_ptr<AVCodecContext, CodecFreer> codec_;
    std::unique_ptr<SwrContext, ResamplerFreer> swr_;
    std::unique_ptr<AVFrame, FrameFreer> frame_{av_frame_alloc()};
    int stream_ = -1;
    int inFormat_ = -1;
    int inRate_ = 0;
    int inChannels_ = 0;
    int outChannels_ = kMixChannels;
    std::vector<std::int16_t> scratch_;
    std::vector<std::int16_t> samples_;
    bool tooLong_ = false;
};

}  // namespace

SoundDecoder::SoundDecoder(std::size_t maxFrames) : maxFrames_(maxFrames) { RouteFfmpegLog(); }

std::int32_t SoundDecoder::decode(const std::string& path, SoundHandle& sound) const {
    return Decoding(maxFrames_).run(path, sound);
}

}  // namespace platform
