#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// A read-only C stream over its own copy of some bytes, closed with the object, so
// that a reader written for files runs over data already in memory.
class MemoryStream {
public:
    explicit MemoryStream(std::string_view bytes);
    // The stream points into the object's own bytes.
    MemoryStream(MemoryStream&&) = delete;
    MemoryStream& operator=(MemoryStream&&) = delete;

    // Null when the stream could not be opened.
    std::FILE* get() const { return stream_.get(); }

private:
    struct Closer {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    std::string bytes_;
    std::unique_ptr<std::FILE, Closer> stream_;
};

}  // namespace platform
