// The cursor.txt reader on arbitrary bytes: it names one of the three pointers or
// reports the file invalid, and never reads outside its line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/CursorSetting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    if (stream == nullptr) std::abort();
    const int kind = ReadCursorKind(stream);
    std::fclose(stream);
    if (kind < -1 || kind > 2) {
        std::fprintf(stderr, "fuzz_cursor_setting: kind %d\n", kind);
        std::abort();
    }
    return 0;
}
