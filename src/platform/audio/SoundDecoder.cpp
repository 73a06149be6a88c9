#include "platform/audio/SoundDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "platform/audio/PcmWave.h"
#include "platform/audio/SoundResampler.h"
#include "platform/core/HResult.h"
#include "platform/media/ContainerSniff.h"
#include "platform/media/FfmpegLog.h"

namespace platform {

namespace {

// FFmpeg's WAVE reader hands out PCM in packets of this many bytes, a whole number
// of sample frames for every layout read without it.
constexpr std::size_t kWavePacketBytes = 4096;

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
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
        if (std::optional<PcmWave> wave = PcmWave::Load(path, maxFileBytes())) {
            decodeWave(*wave);
        } else {
            const std::int32_t opened = open(path);
            if (opened != S_OK) return opened;
            demux();
        }
        if (!tooLong_) flushResampler();
        if (tooLong_ || samples_.empty()) return E_FAIL;
        sound = std::make_shared<const DecodedSound>(DecodedSound{std::move(samples_), path});
        return S_OK;
    }

private:
    // A plain PCM file is held whole while it decodes, so no more of it than the
    // longest sound's own buffer; a larger one is left to FFmpeg, which reads as it
    // decodes.
    std::size_t maxFileBytes() const { return maxFrames_ * kMixChannels * sizeof(std::int16_t); }

    // The samples go to the converter in the pieces FFmpeg's WAVE reader hands out, so
    // that both ways convert in the very same steps.
    void decodeWave(PcmWave& wave) {
        frame_->format = wave.bytesPerSample() == 1 ? AV_SAMPLE_FMT_U8 : AV_SAMPLE_FMT_S16;
        frame_->sample_rate = wave.sampleRate();
        frame_->ch_layout.order = AV_CHANNEL_ORDER_UNSPEC;
        frame_->ch_layout.nb_channels = wave.channels();
        const std::size_t frameBytes =
            static_cast<std::size_t>(wave.channels()) * wave.bytesPerSample();
        const std::span<std::uint8_t> samples = wave.samples();
        reserveFor(samples.size() / frameBytes, wave.sampleRate());
        for (std::size_t at = 0; !tooLong_ && at < samples.size(); at += kWavePacketBytes) {
            const std::size_t bytes = std::min(kWavePacketBytes, samples.size() - at);
            frame_->data[0] = samples.data() + at;
            frame_->extended_data = frame_->data;
            frame_->nb_samples = static_cast<int>(bytes / frameBytes);
            convertFrame();
        }
    }

    // The converted length is known ahead, so the sound is kept in one buffer rather
    // than in ever larger copies of it; the converter's few frames of delay fit in
    // the margin. A sound past the limit is refused as it grows, never reserved for.
    void reserveFor(std::size_t frames, int rate) {
        constexpr double kMarginFrames = 256;
        const double converted =
            static_cast<double>(frames) * kMixRate / static_cast<double>(rate) + kMarginFrames;
        if (converted <= static_cast<double>(maxFrames_)) {
            samples_.reserve(static_cast<std::size_t>(converted) * kMixChannels);
        }
    }

    void demux() {
        std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        while (!tooLong_ && av_read_frame(format_.get(), packet.get()) >= 0) {
            if (packet->stream_index == stream_) decodePacket(packet.get());
            av_packet_unref(packet.get());
        }
        if (!tooLong_) decodePacket(nullptr);
    }

    std::int32_t open(const std::string& path) {
        return OpenSniffed(path,
                           [&](const AVInputFormat* demuxer) { return openAs(path, demuxer); });
    }

    // A refused try leaves nothing behind for the next.
    std::int32_t openAs(const std::string& path, const AVInputFormat* demuxer) {
        codec_.reset();
        format_.reset();
        stream_ = -1;
        AVDictionary* options = nullptr;
        av_dict_set(&options, "protocol_whitelist", "file", 0);
        AVFormatContext* format = nullptr;
        // The "file:" prefix keeps a name with a colon from being read as a protocol.
        const int opened =
            avformat_open_input(&format, ("file:" + path).c_str(), demuxer, &options);
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
            convertFrame();
            av_frame_unref(frame_.get());
        }
    }

    void convertFrame() {
        resampler_.convert(*frame_, converted_);
        append();
    }

    void flushResampler() {
        resampler_.flush(converted_);
        append();
    }

    // The buffer grows with what is decoded, never with what a header claims. Kept
    // as 16-bit, rounded and clipped as the converter's own 16-bit output would be.
    void append() {
        const std::size_t frames = converted_.size() / kMixChannels;
        const std::size_t have = samples_.size() / kMixChannels;
        if (frames > maxFrames_ - have) tooLong_ = true;
        if (!tooLong_) {
            for (const float sample : converted_) {
                samples_.push_back(static_cast<std::int16_t>(
                    std::clamp(std::lrint(sample * 32768.0f), -32768L, 32767L)));
            }
        }
        converted_.clear();
    }

    std::size_t maxFrames_;
    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    std::unique_ptr<AVCodecContext, CodecFreer> codec_;
    std::unique_ptr<AVFrame, FrameFreer> frame_{av_frame_alloc()};
    SoundResampler resampler_;
    int stream_ = -1;
    std::vector<float> converted_;
    std::vector<std::int16_t> samples_;
    bool tooLong_ = false;
};

}  // namespace

SoundDecoder::SoundDecoder(std::size_t maxFrames) : maxFrames_(maxFrames) { RouteFfmpegLog(); }

std::int32_t SoundDecoder::decode(const std::string& path, SoundHandle& sound) const {
    return Decoding(maxFrames_).run(path, sound);
}

}  // namespace platform
