#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

namespace platform {

// The times a benchmark needs to tell how late the movie's pictures come. Only when
// the environment names a file in ZK_MOVIE_TIMES (read once, at the first picture),
// each picture handed to the screen writes a line there: its own time and the movie
// clock's at the hand-over, in 100 ns. A normal run writes nothing.
class MovieTimes {
public:
    static MovieTimes& instance();

    void pictureShown(std::int64_t due, std::int64_t clock);

private:
    MovieTimes();

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace platform
