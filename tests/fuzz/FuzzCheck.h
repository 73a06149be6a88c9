#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/core/LogSink.h"
#include "platform/core/Services.h"
#include "platform/files/MemoryStream.h"

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

// The result of read over a stream of the bytes.
template <class Reader>
auto ReadFromMemory(std::string_view bytes, Reader read) {
    const platform::MemoryStream stream(bytes);
    Require(stream.get() != nullptr, "the memory stream did not open");
    return read(stream.get());
}

}  // namespace zkfuzz
