// zkdecode SRC DST: writes the plain bytes of the coded file SRC to DST.
#include <cstdio>

#include "platform/files/SameFile.h"
#include "system/ZKCODE.h"

namespace {

int UsageError(const char* problem) {
    std::fprintf(stderr, "zkdecode: %s\nusage: zkdecode SRC DST\n", problem);
    return 2;
}

bool IsOption(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return UsageError("expected SRC and DST");
    if (IsOption(argv[1]) || IsOption(argv[2])) return UsageError("unknown option");
    // Opening DST for writing would empty SRC before it is read.
    if (platform::IsSameFile(argv[1], argv[2])) return UsageError("SRC and DST are the same file");
    return ZKDecode(argv[1], argv[2]) == 0 ? 0 : 1;
}
