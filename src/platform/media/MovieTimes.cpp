#include "platform/media/MovieTimes.h"

#include <cinttypes>
#include <cstdlib>

namespace platform {

MovieTimes& MovieTimes::instance() {
    static MovieTimes times;
    return times;
}

MovieTimes::MovieTimes() {
    const char* path = std::getenv("ZK_MOVIE_TIMES");
    if (path != nullptr && *path != '\0') file_.reset(std::fopen(path, "w"));
}

void MovieTimes::pictureShown(std::int64_t due, std::int64_t clock) {
    if (!file_) return;
    std::fprintf(file_.get(), "%" PRId64 " %" PRId64 "\n", due, clock);
    std::fflush(file_.get());
}

}  // namespace platform
