// zkencode [-n] SRC DST: writes SRC as a coded file DST.
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/files/SameFile.h"
#include "system/ZKCODE.h"

namespace {

int UsageError(const char* problem) {
    std::fprintf(stderr,
                 "zkencode: %s\n"
                 "usage: zkencode [-n] SRC DST\n"
                 "  -n  keep CR LF pairs plain (mode NLINE-NO-ENCODE, for scripts)\n",
                 problem);
    return 2;
}

bool IsOption(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

}  // namespace

int main(int argc, char** argv) {
    unsigned int flags = 0;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (!IsOption(argv[i])) {
            files.push_back(argv[i]);
        } else if (std::string_view(argv[i]) == "-n") {
            flags |= kZKEncodeKeepLineBreaks;
        } else {
            return UsageError("unknown option");
        }
    }
    if (files.size() != 2) return UsageError("expected SRC and DST");
    const char* src = files[0];
    const char* dst = files[1];
    // Opening DST for writing would empty SRC before it is read.
    if (platform::IsSameFile(src, dst)) return UsageError("SRC and DST are the same file");
    return ZKEncode(src, dst, flags) == 0 ? 0 : 1;
}
