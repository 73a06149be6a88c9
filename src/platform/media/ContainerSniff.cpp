#include "platform/media/ContainerSniff.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <fstream>

#include "platform/core/HResult.h"
#include "platform/media/FfmpegLogHold.h"

namespace platform {

using namespace std::string_view_literals;

namespace {

std::string LeadingBytes(const std::string& path) {
    std::string bytes(kSniffedBytes, '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

}  // namespace

const char* SniffedDemuxer(std::string_view leading) {
    if (leading.starts_with("\x1A\x45\xDF\xA3"sv)) return "matroska";
    if (leading.starts_with("RIFF"sv) && leading.size() >= 12 && leading.substr(8, 4) == "AVI "sv) {
        return "avi";
    }
    if (leading.starts_with("RIFF"sv) && leading.size() >= 12 && leading.substr(8, 4) == "WAVE"sv) {
        return "wav";
    }
    if (leading.starts_with("\x00\x00\x01\xBA"sv)) return "mpeg";
    return nullptr;
}

std::int32_t OpenSniffed(const std::string& path,
                         const std::function<std::int32_t(const AVInputFormat*)>& openAs) {
    const char* sniffed = SniffedDemuxer(LeadingBytes(path));
    if (const AVInputFormat* named = sniffed ? av_find_input_format(sniffed) : nullptr) {
        FfmpegLogHold hold;
        if (openAs(named) == S_OK) {
            hold.release();
            return S_OK;
        }
    }
    return openAs(nullptr);
}

}  // namespace platform
