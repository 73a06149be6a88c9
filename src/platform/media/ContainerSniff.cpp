#include "platform/media/ContainerSniff.h"

namespace platform {

using namespace std::string_view_literals;

const char* SniffedDemuxer(std::string_view leading) {
    if (leading.starts_with("\x1A\x45\xDF\xA3"sv)) return "matroska";
    if (leading.starts_with("RIFF"sv) && leading.size() >= 12 && leading.substr(8, 4) == "AVI "sv) {
        return "avi";
    }
    if (leading.starts_with("\x00\x00\x01\xBA"sv)) return "mpeg";
    return nullptr;
}

}  // namespace platform
