// The first byte chooses what the rest is: a combined file with its list inside
// (even) or the list file of a fixed combined file (odd). The reader must answer
// with one of its results and write nothing outside its output folder.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "system/DataName.h"
#include "system/FileDiv.h"

using zkfuzz::Require;

namespace {

namespace fs = std::filesystem;

const fs::path kWork = "fuzz_combined_list.work";
const fs::path kOut = kWork / "out";
const std::string kOutDir = kOut.string() + "/";
const std::string kListIn = (kWork / "in.dat").string();
const std::string kListOut = (kWork / "out.dat").string();

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

void Divide(const std::string& archive, const char* name) {
    const int result = FileDiv(archive.c_str(), kOutDir.c_str(), name);
    Require(result >= -3 && result <= 1, "unknown result");
}

// Every row read names a file inside the output folder, and nothing else appeared.
void RequireNothingEscaped() {
    for (const DIV_FILE_DATA& row : DivFileData) {
        if (row.szFileName[0] == '\0') break;
        Require(IsDataName(row.szFileName), "a row names a file outside the output folder");
    }
    const std::set<std::string> expected{"in.dat", "out.dat", "out.lst", "out"};
    for (const auto& entry : fs::directory_iterator(kWork)) {
        Require(expected.count(entry.path().filename().string()) != 0,
                "a file appeared beside the output folder");
    }
    for (const auto& entry : fs::directory_iterator(kOut)) {
        Require(entry.is_regular_file(), "something other than a file appeared in the output");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::QuietLog quiet;
    if (size == 0) return 0;
    fs::create_directories(kOut);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool listInside = data[0] % 2 == 0;
    const std::string archive = listInside ? kListIn : kListOut;
    if (listInside) {
        WriteFile(kListIn, rest);
    } else {
        WriteFile(kListOut, std::string_view("FILECMB-DATA-LIST-OUT\nhello\0\r\n0123456789", 40));
        WriteFile((kWork / "out.lst").string(), rest);
    }

    Divide(archive, nullptr);
    RequireNothingEscaped();
    const std::string firstName = DivFileData[0].szFileName;
    Divide(archive, "A.TXT");
    if (!firstName.empty()) Divide(archive, firstName.c_str());
    RequireNothingEscaped();

    for (const auto& entry : fs::directory_iterator(kWork)) fs::remove_all(entry.path());
    return 0;
}
