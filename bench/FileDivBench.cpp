#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/CombinedFileWriter.h"
#include "system/FileDiv.h"

namespace {

// Built by appending: at -O3, g++ 12 warns falsely about "literal" + std::string.
std::string MemberName(const char* head, int number, const char* extension) {
    std::string name(head);
    name += std::to_string(number);
    name += extension;
    return name;
}

// A combined file of 4096 small members in a private temporary folder, removed afterwards.
class FullArchive {
public:
    FullArchive()
        : dir_(std::filesystem::temp_directory_path() /
               ("zk-filediv-bench-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(dir_ / "out");
        std::vector<zktools::CombinedMember> members;
        for (int i = 0; i < DIV_FILE_MAX; ++i) {
            members.push_back(
                zktools::MemberFromBytes(MemberName("Y", 10000 + i, ".gpc"), "member"));
        }
        std::string error;
        if (!zktools::WriteCombinedFile(path(), members, zktools::ListPlace::InArchive, error)) {
            throw std::runtime_error(error);
        }
    }
    ~FullArchive() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string path() const { return (dir_ / "Img.dat").string(); }
    std::string outDir() const { return (dir_ / "out").string() + "/"; }

private:
    std::filesystem::path dir_;
};

// Every load reads the whole list again, so this is the cost of each member load.
void FileDivLastOfFullArchive(benchmark::State& state) {
    const FullArchive archive;
    const std::string path = archive.path();
    const std::string outDir = archive.outDir();
    const std::string last = MemberName("y", 10000 + DIV_FILE_MAX - 1, ".GPC");
    for (auto _ : state) {
        if (FileDiv(path.c_str(), outDir.c_str(), last.c_str()) != 1) {
            state.SkipWithError("the last member was not extracted");
            break;
        }
    }
}
BENCHMARK(FileDivLastOfFullArchive)->Unit(benchmark::kMicrosecond);

}  // namespace
