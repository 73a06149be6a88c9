// The cursor.txt reader on arbitrary bytes: it names one of the three pointers or
// reports the file invalid, and never reads outside its line.
#include <cstdint>

#include "FuzzCheck.h"
#include "shell/CursorSetting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int kind =
        zkfuzz::ReadFromMemory({reinterpret_cast<const char*>(data), size}, ReadCursorKind);
    zkfuzz::Require(kind >= -1 && kind <= 2, "a kind other than -1 to 2");
    return 0;
}
