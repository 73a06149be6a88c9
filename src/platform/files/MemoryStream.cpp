#include "platform/files/MemoryStream.h"

namespace platform {

MemoryStream::MemoryStream(std::string_view bytes)
    : bytes_(bytes), stream_(fmemopen(bytes_.data(), bytes_.size(), "rb")) {}

}  // namespace platform
