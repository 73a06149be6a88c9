// zkpack pack [--list-out] ARCHIVE FILE...: builds a combined file.
// zkpack extract ARCHIVE OUTDIR [NAME]: extracts one member, or all, with the
// engine's own reader.
#include <cstdio>
#include <string>
#include <vector>

#include "common/CombinedFileWriter.h"
#include "platform/core/Log.h"
#include "system/FileDiv.h"

namespace {

int UsageError(const char* problem) {
    std::fprintf(stderr,
                 "zkpack: %s\n"
                 "usage: zkpack pack [--list-out] ARCHIVE FILE...\n"
                 "       zkpack extract ARCHIVE OUTDIR [NAME]\n"
                 "  --list-out  put the member list in ARCHIVE's .lst file\n",
                 problem);
    return 2;
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

int Refused(const std::string& reason) {
    std::fprintf(stderr, "zkpack: %s\n", reason.c_str());
    return 1;
}

int Pack(std::vector<std::string> args) {
    auto place = zktools::ListPlace::InArchive;
    if (!args.empty() && args.front() == "--list-out") {
        place = zktools::ListPlace::InListFile;
        args.erase(args.begin());
    }
    if (!args.empty() && IsOption(args.front())) return UsageError("unknown option");
    if (args.size() < 2) return UsageError("expected ARCHIVE and at least one FILE");
    std::string error;
    std::vector<zktools::CombinedMember> members;
    for (auto file = args.begin() + 1; file != args.end(); ++file) {
        auto member = zktools::MemberFromFile(*file, error);
        if (!member) return Refused(error);
        members.push_back(std::move(*member));
    }
    if (!zktools::WriteCombinedFile(args.front(), members, place, error)) return Refused(error);
    return 0;
}

int Extract(const std::vector<std::string>& args) {
    if (!args.empty() && IsOption(args.front())) return UsageError("unknown option");
    if (args.size() != 2 && args.size() != 3) {
        return UsageError("expected ARCHIVE, OUTDIR and an optional NAME");
    }
    if (args[1].empty()) return UsageError("OUTDIR is empty");
    std::string outDir = args[1];
    if (outDir.back() != '/') outDir += '/';
    const char* name = args.size() == 3 ? args[2].c_str() : nullptr;
    const int result = FileDiv(args[0].c_str(), outDir.c_str(), name);
    platform::LogPlain(platform::LogChannel::Console, "result %d", result);
    return result == 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return UsageError("expected a command");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "pack") return Pack(args);
    if (command == "extract") return Extract(args);
    return UsageError("unknown command");
}
