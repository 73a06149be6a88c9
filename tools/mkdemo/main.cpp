// mkdemo [--source DIR] OUTDIR: generates the demo game's five archives, its movie
// and its system save into OUTDIR/dat/, touching nothing else in OUTDIR.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "mkdemo/DemoBuilder.h"

#ifndef ZK_DEMO_SOURCE_DIR
#error "ZK_DEMO_SOURCE_DIR must name the repository's demo/ folder"
#endif

namespace {

int Usage(const char* problem) {
    std::fprintf(stderr, "mkdemo: %s\nusage: mkdemo [--source DIR] OUTDIR\n", problem);
    return 2;
}

int Refused(const std::string& text) {
    std::fprintf(stderr, "mkdemo: %s\n", text.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    std::string sourceDir = ZK_DEMO_SOURCE_DIR;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--source") {
        sourceDir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        return Usage("expected an optional --source DIR and one OUTDIR");
    }
    std::vector<mkdemo::SourceProblem> problems;
    const auto archives = mkdemo::DemoBuilder::Build(sourceDir, problems);
    if (!archives) {
        for (const mkdemo::SourceProblem& problem : problems) Refused(problem.Format());
        return 1;
    }
    std::string error;
    if (!mkdemo::DemoBuilder::Write(args[0], *archives, error)) return Refused(error);
    for (const mkdemo::DemoArchive& archive : *archives) {
        std::printf("%s: %zu members, %llu bytes\n", archive.name.c_str(), archive.members.size(),
                    static_cast<unsigned long long>(archive.Bytes()));
    }
    std::error_code ignored;
    const auto movieBytes = std::filesystem::file_size(
        std::filesystem::path(args[0]) / "dat" / mkdemo::DemoBuilder::kMovieName, ignored);
    std::printf("%s: %llu bytes\n", mkdemo::DemoBuilder::kMovieName,
                static_cast<unsigned long long>(movieBytes));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::printf("mkdemo: done in %.1f s\n", elapsed.count());
    return 0;
}
