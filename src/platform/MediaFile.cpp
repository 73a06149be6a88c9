#include "platform/MediaFile.h"

#include <algorithm>
#include <cerrno>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

#include "platform/FfmpegLog.h"
#include "platform/HResult.h"

namespace platform {

namespace {

constexpr AVRational kMediaTime{1, 10000000};

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};

using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;

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

struct MediaFile::State {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    int videoStream = -1;
    int audioStream = -1;
    CodecPtr video;
    CodecPtr audio;

    // The best stream of the kind with a decoder that opens; -1 when there is none.
    int openBest(AVMediaType type, CodecPtr& codec) {
        const int best = av_find_best_stream(format.get(), type, -1, -1, nullptr, 0);
        if (best < 0) return -1;
        codec = OpenDecoder(*format->streams[best]);
        return codec ? best : -1;
    }
};

MediaFile::MediaFile() { RouteFfmpegLog(); }
MediaFile::~MediaFile() = default;

std::int32_t MediaFile::open(const std::string& path) {
    state_.reset();
    auto state = std::make_unique<State>();
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext* format = nullptr;
    // The "file:" prefix keeps a name with a colon from being read as a protocol.
    const int opened = avformat_open_input(&format, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) return opened == AVERROR(ENOENT) ? E_FILE_NOT_FOUND : E_FAIL;
    state->format.reset(format);
    if (avformat_find_stream_info(format, nullptr) < 0) return E_FAIL;
    state->videoStream = state->openBest(AVMEDIA_TYPE_VIDEO, state->video);
    state->audioStream = state->openBest(AVMEDIA_TYPE_AUDIO, state->audio);
    if (state->videoStream < 0 && state->audioStream < 0) return E_FAIL;
    if (state->video &&
        (state->video->width <= 0 || state->video->height <= 0 ||
         state->video->width > kLargestSide || state->video->height > kLargestSide)) {
        return E_FAIL;
    }
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const int index = static_cast<int>(i);
        const bool used = index == state->videoStream || index == state->audioStream;
        format->streams[i]->discard = used ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    state_ = std::move(state);
    return S_OK;
}

bool MediaFile::isOpen() const { return state_ != nullptr; }
bool MediaFile::hasVideo() const { return state_ && state_->video; }
bool MediaFile::hasAudio() const { return state_ && state_->audio; }
int MediaFile::videoWidth() const { return hasVideo() ? state_->video->width : 0; }
int MediaFile::videoHeight() const { return hasVideo() ? state_->video->height : 0; }

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
        longest = std::max(longest, av_rescale_q(stream.duration, stream.time_base, kMediaTime));
    }
    if (longest < 0) return std::nullopt;
    return longest;
}

}  // namespace platform
