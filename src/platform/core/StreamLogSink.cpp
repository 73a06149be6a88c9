#include "platform/core/StreamLogSink.h"

#include <cstdio>

namespace platform {

void StreamLogSink::write(LogChannel channel, std::string_view line) {
    std::FILE* stream = channel == LogChannel::Debug ? stderr : stdout;
    std::lock_guard lock(mutex_);
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace platform
