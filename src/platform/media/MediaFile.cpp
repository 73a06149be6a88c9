#include "platform/media/MediaFile.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

#include "platform/audio/AudioFormat.h"
#include "platform/audio/SoundResampler.h"
#include "platform/core/HResult.h"
#include "platform/media/ContainerSniff.h"
#include "platform/media/FfmpegLog.h"
#include "platform/media/FfmpegLogHold.h"

namespace platform {

namespace {

constexpr AVRational kMediaTime{1, 10000000};
// Used when a file names no frame rate.
constexpr std::int64_t kDefaultFrameInterval = 400000;
// Packets and bytes read ahead at most to find a file's first time.
constexpr std::size_t kFirstTimePackets = 64;
constexpr std::size_t kFirstTimeBytes = 1u << 20;

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

// A Matroska header gives each stream's codec, size and rate and the file's length:
// all that playing needs but the file's first time. Looking further would decode a
// first picture through decoders opened with option lookups that touch megabytes of
// the library for nothing.
bool HeaderSuffices(const AVFormatContext& format) {
    if (std::string_view(format.iformat->name) != "matroska,webm") return false;
    return std::all_of(format.streams, format.streams + format.nb_streams, [](const AVStream* s) {
        const AVCodecParameters& p = *s->codecpar;
        switch (p.codec_type) {
            case AVMEDIA_TYPE_VIDEO:
                return p.codec_id != AV_CODEC_ID_NONE && p.width > 0 && p.height > 0;
            case AVMEDIA_TYPE_AUDIO:
                return p.codec_id != AV_CODEC_ID_NONE && p.sample_rate > 0 &&
                       p.ch_layout.nb_channels > 0;
            default:
                return true;
        }
    });
}

// A decoder for the stream, or nothing when FFmpeg has none that opens.
CodecPtr OpenDecoder(const AVStream& stream) {
    const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
    if (decoder == nullptr) return nullptr;
    CodecPtr codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), stream.codecpar) < 0) return nullptr;
    codec->thread_count = 1;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return nullptr;
    return codec;
}

}  // namespace

void MediaPacket::Freer::operator()(AVPacket* packet) const { av_packet_free(&packet); }

MediaPacket::MediaPacket() : packet_(av_packet_alloc()) {}
MediaPacket::~MediaPacket() = default;
MediaPacket::MediaPacket(MediaPacket&&) noexcept = default;
MediaPacket& MediaPacket::operator=(MediaPacket&&) noexcept = default;

std::size_t MediaPacket::bytes() const {
    return packet_ && packet_->size > 0 ? static_cast<std::size_t>(packet_->size) : 0;
}

struct MediaFile::State {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    int videoStream = -1;
    int audioStream = -1;
    CodecPtr video;
    CodecPtr audio;
    std::unique_ptr<AVFrame, FrameFreer> frame{av_frame_alloc()};
    SoundResampler resampler;
    std::int64_t interval = kDefaultFrameInterval;
    std::int64_t lastPictureTime = -1;
    // Decoded sound and pictures before this time are dropped after a seek.
    std::int64_t skipUntil = 0;
    // The container's first time, in AV_TIME_BASE units: an MPEG program stream's
    // starts about half a second in. Times here count from it.
    std::int64_t origin = 0;
    // Packets read ahead to find the first time, given out before any other.
    std::deque<PacketPtr> readAhead;

    bool nextPacket(AVPacket& into) {
        if (readAhead.empty()) return av_read_frame(format.get(), &into) >= 0;
        av_packet_move_ref(&into, readAhead.front().get());
        readAhead.pop_front();
        return true;
    }

    // The earliest time among the used streams' first packets, as the container's
    // own reckoning would give it once it has read them.
    std::int64_t firstTime() {
        std::int64_t first = AV_NOPTS_VALUE;
        std::size_t bytes = 0;
        while (readAhead.size() < kFirstTimePackets && bytes < kFirstTimeBytes) {
            PacketPtr packet(av_packet_alloc());
            if (!packet || av_read_frame(format.get(), packet.get()) < 0) break;
            // Only the used streams' packets come: the others are discarded.
            if (packet->pts != AV_NOPTS_VALUE) {
                const std::int64_t time = av_rescale_q(
                    packet->pts, format->streams[packet->stream_index]->time_base, AV_TIME_BASE_Q);
                first = first == AV_NOPTS_VALUE ? time : std::min(first, time);
            }
            bytes += static_cast<std::size_t>(std::max(packet->size, 0));
            readAhead.push_back(std::move(packet));
            if (first != AV_NOPTS_VALUE && seenEveryUsedStream()) break;
        }
        return first == AV_NOPTS_VALUE ? 0 : first;
    }

    bool seenEveryUsedStream() const {
        for (const int stream : {videoStream, audioStream}) {
            if (stream >= 0 &&
                std::none_of(readAhead.begin(), readAhead.end(),
                             [stream](const PacketPtr& p) { return p->stream_index == stream; })) {
                return false;
            }
        }
        return true;
    }

    // The best stream of the kind with a decoder that opens; -1 when there is none.
    int openBest(AVMediaType type, CodecPtr& codec) {
        const int best = av_find_best_stream(format.get(), type, -1, -1, nullptr, 0);
        if (best < 0) return -1;
        codec = OpenDecoder(*format->streams[best]);
        return codec ? best : -1;
    }

    std::int64_t toMediaTime(std::int64_t value, int stream) const {
        return av_rescale_q(value, format->streams[stream]->time_base, kMediaTime);
    }

    // A timestamp of the stream as a time from the container's start.
    std::int64_t stampTime(std::int64_t stamp, int stream) const {
        return toMediaTime(stamp, stream) - av_rescale_q(origin, AV_TIME_BASE_Q, kMediaTime);
    }

    // The frame's time from its best-effort timestamp, else one interval on.
    std::int64_t pictureTime() {
        const std::int64_t stamp = frame->best_effort_timestamp;
        lastPictureTime = stamp != AV_NOPTS_VALUE ? stampTime(stamp, videoStream)
                          : lastPictureTime < 0   ? 0
                                                  : lastPictureTime + interval;
        return lastPictureTime;
    }

    // The frame's time when it is to be queued: none before a seek's target, nor
    // without a size and format to convert from.
    std::optional<std::int64_t> keptPictureTime() {
        const std::int64_t time = pictureTime();
        if (time + interval <= skipUntil || frame->width <= 0 || frame->height <= 0 ||
            frame->format < 0) {
            return std::nullopt;
        }
        return time;
    }

    void convertSound(std::vector<float>& out) {
        const std::int64_t stamp = frame->best_effort_timestamp;
        if (skipUntil > 0 && stamp != AV_NOPTS_VALUE && frame->sample_rate > 0) {
            const std::int64_t end =
                stampTime(stamp, audioStream) +
                av_rescale(frame->nb_samples, kMediaTime.den, frame->sample_rate);
            if (end <= skipUntil) return;
        }
        resampler.convert(*frame, out);
    }
};

MediaFile::MediaFile() { RouteFfmpegLog(); }
MediaFile::~MediaFile() = default;

std::int32_t MediaFile::open(const std::string& path) {
    state_.reset();
    path_ = path;
    return OpenSniffed(path, [this](const AVInputFormat* demuxer) { return openAs(demuxer); });
}

std::int32_t MediaFile::openAs(const AVInputFormat* demuxer) {
    auto state = std::make_unique<State>();
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext* format = nullptr;
    // The "file:" prefix keeps a name with a colon from being read as a protocol.
    const int opened = avformat_open_input(&format, ("file:" + path_).c_str(), demuxer, &options);
    av_dict_free(&options);
    if (opened < 0) return opened == AVERROR(ENOENT) ? E_FILE_NOT_FOUND : E_FAIL;
    state->format.reset(format);
    const bool headerSuffices = HeaderSuffices(*format);
    if (!headerSuffices && avformat_find_stream_info(format, nullptr) < 0) return E_FAIL;
    state->videoStream = state->openBest(AVMEDIA_TYPE_VIDEO, state->video);
    state->audioStream = state->openBest(AVMEDIA_TYPE_AUDIO, state->audio);
    if (state->videoStream < 0 && state->audioStream < 0) return E_FAIL;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const int index = static_cast<int>(i);
        const bool used = index == state->videoStream || index == state->audioStream;
        format->streams[i]->discard = used ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    if (headerSuffices) {
        state->origin = state->firstTime();
    } else if (format->start_time != AV_NOPTS_VALUE) {
        state->origin = format->start_time;
    }
    if (state->video) {
        const int width = state->video->width;
        const int height = state->video->height;
        if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
            return E_FAIL;
        }
        const AVRational rate =
            av_guess_frame_rate(format, format->streams[state->videoStream], nullptr);
        if (rate.num > 0 && rate.den > 0) {
            state->interval =
                std::max<std::int64_t>(1, av_rescale(kMediaTime.den, rate.den, rate.num));
        }
    }
    state_ = std::move(state);
    return S_OK;
}

bool MediaFile::isOpen() const { return state_ != nullptr; }
bool MediaFile::hasVideo() const { return state_ && state_->video; }
bool MediaFile::hasAudio() const { return state_ && state_->audio; }
int MediaFile::videoWidth() const { return hasVideo() ? state_->video->width : 0; }
int MediaFile::videoHeight() const { return hasVideo() ? state_->video->height : 0; }
std::int64_t MediaFile::frameInterval() const {
    return state_ ? state_->interval : kDefaultFrameInterval;
}

std::optional<std::int64_t> MediaFile::duration() const {
    if (!state_) return std::nullopt;
    const AVFormatContext& format = *state_->format;
    if (format.duration != AV_NOPTS_VALUE && format.duration > 0) {
        return av_rescale_q(format.duration, AV_TIME_BASE_Q, kMediaTime);
    }
    std::int64_t longest = -1;
    for (const int index : {state_->videoStream, state_->audioStream}) {
        if (index < 0) continue;
        const AVStream& stream = *format.streams[index];
        if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0) continue;
        longest = std::max(longest, state_->toMediaTime(stream.duration, index));
    }
    if (longest < 0) return std::nullopt;
    return longest;
}

bool MediaFile::readPacket(MediaPacket& packet) {
    if (!state_) return false;
    for (;;) {
        av_packet_unref(packet.packet_.get());
        if (!state_->nextPacket(*packet.packet_)) return false;
        const int stream = packet.packet_->stream_index;
        if (stream != state_->videoStream && stream != state_->audioStream) continue;
        packet.video_ = stream == state_->videoStream;
        packet.duration_ = packet.packet_->duration > 0
                               ? state_->toMediaTime(packet.packet_->duration, stream)
                               : 0;
        const std::int64_t stamp = packet.packet_->pts;
        packet.end_ =
            stamp != AV_NOPTS_VALUE ? state_->stampTime(stamp, stream) + packet.duration_ : -1;
        return true;
    }
}

void MediaFile::decodePictures(const MediaPacket* packet, std::vector<MediaFrame>& out) {
    if (!hasVideo() || (packet != nullptr && !packet->isVideo())) return;
    AVCodecContext* codec = state_->video.get();
    if (avcodec_send_packet(codec, packet != nullptr ? packet->packet_.get() : nullptr) < 0) return;
    while (avcodec_receive_frame(codec, state_->frame.get()) >= 0) {
        if (const std::optional<std::int64_t> time = state_->keptPictureTime()) {
            // A new reference to the decoder's buffers, not a copy of the picture.
            MediaFrame picture;
            picture.frame_.reset(av_frame_clone(state_->frame.get()));
            picture.time_ = *time;
            if (picture.frame_) out.push_back(std::move(picture));
        }
        av_frame_unref(state_->frame.get());
    }
}

void MediaFile::decodeSound(const MediaPacket* packet, std::vector<float>& out) {
    if (!hasAudio() || (packet != nullptr && packet->isVideo())) return;
    AVCodecContext* codec = state_->audio.get();
    if (avcodec_send_packet(codec, packet != nullptr ? packet->packet_.get() : nullptr) >= 0) {
        while (avcodec_receive_frame(codec, state_->frame.get()) >= 0) {
            state_->convertSound(out);
            av_frame_unref(state_->frame.get());
        }
    }
    if (packet == nullptr) state_->resampler.flush(out);
}

bool MediaFile::seek(std::int64_t position) {
    if (!state_) return false;
    const std::int64_t target = av_rescale_q(position, kMediaTime, AV_TIME_BASE_Q) + state_->origin;
    if (av_seek_frame(state_->format.get(), -1, target, AVSEEK_FLAG_BACKWARD) < 0) {
        const std::string path = path_;
        if (open(path) != S_OK) return false;
    }
    state_->readAhead.clear();
    for (AVCodecContext* codec : {state_->video.get(), state_->audio.get()}) {
        if (codec != nullptr) avcodec_flush_buffers(codec);
    }
    state_->resampler.reset();
    state_->lastPictureTime = -1;
    state_->skipUntil = position;
    return true;
}

}  // namespace platform
