// The first byte chooses what the rest is: a combined file with its list inside
// (even) or the list file of a fixed combined file (odd). The reader must answer
// with one of its results and write nothing outside its output folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "platform/LogSink.h"
#include "platform/Services.h"
#include "system/DataName.h"
#include "system/FileDiv.h"

namespace {

namespace fs = std::filesystem;

const fs::path kWork = "fuzz_combined_list.work";
const fs::path kOut = kWork / "out";
const std::string kOutDir = kOut.string() + "/";
const std::string kListIn = (kWork / "in.dat").string();
const std::string kListOut = (kWork / "out.dat").string();
const std::string kListFile = (kWork / "out.lst").string();

class QuietSink : public platform::LogSink {
public:
    void write(platform::LogChannel, std::string_view) override {}
};

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_combined_list: %s\n", what);
    std::abort();
}

void CheckResult(int result) { Check(result >= -3 && result <= 1, "unknown result"); }

// Every row read names a file inside the output folder, and nothing else appeared.
void CheckNothingEscaped() {
    for (const DIV_FILE_DATA& row : DivFileData) {
        if (row.szFileName[0] == '\0') break;
        Check(IsDataName(row.szFileName), "a row names a file outside the output folder");
    }
    const std::set<std::string> expected{"in.dat", "out.dat", "out.lst", "out"};
    for (const auto& entry : fs::directory_iterator(kWork)) {
        Check(expected.count(entry.path().filename().string()) != 0,
              "a file appeared beside the output folder");
    }
    for (const auto& entry : fs::directory_iterator(kOut)) {
        Check(entry.is_regular_file(), "something other than a file appeared in the output");
    }
}

void Empty(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietSink sink;
    static platform::ScopedService<platform::LogSink> quiet(sink);
    if (size == 0) return 0;
    fs::create_directories(kOut);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string archive = kListIn;
    if (data[0] % 2 == 0) {
        WriteFile(kListIn, rest);
    } else {
        archive = kListOut;
        WriteFile(kListOut, std::string_view("FILECMB-DATA-LIST-OUT\nhello\0\r\n0123456789", 40));
        WriteFile(kListFile, rest);
    }

    CheckResult(FileDiv(archive.c_str(), kOutDir.c_str(), nullptr));
    CheckNothingEscaped();
    const std::string firstName = DivFileData[0].szFileName;
    CheckResult(FileDiv(archive.c_str(), kOutDir.c_str(), "A.TXT"));
    if (!firstName.empty())
        CheckResult(FileDiv(archive.c_str(), kOutDir.c_str(), firstName.c_str()));
    CheckNothingEscaped();

    Empty(kWork);
    return 0;
}
