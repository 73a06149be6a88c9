#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/LogSink.h"
#include "platform/core/Services.h"

namespace zkfuzz {

// A broken promise aborts, so that libFuzzer keeps the input that broke it.
inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// Hostile input makes error lines by the thousand; printing them would only slow the run.
struct QuietLog : platform::LogSink {
    void write(platform::LogChannel, std::string_view) override {}
    platform::ScopedService<platform::LogSink> scope{*this};
};

// The result of read over a stream of the bytes, which must not be empty (fmemopen
// refuses an empty buffer).
template <class Reader>
auto ReadFromMemory(std::string_view bytes, Reader read) {
    std::string copy(bytes);
    std::FILE* stream = fmemopen(copy.data(), copy.size(), "rb");
    Require(stream != nullptr, "fmemopen failed");
    const auto result = read(stream);
    std::fclose(stream);
    return result;
}

}  // namespace zkfuzz
