#include "support/DemoData.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/Bytes.h"
#include "system/FileDiv.h"

namespace zktest {

std::string DemoData::Dir() { return ZK_DEMO_DIR; }

std::string DemoData::SourceDir() { return ZK_DEMO_SOURCE_DIR; }

std::map<std::string, std::string> DemoData::Members(const std::string& archivePath) {
    namespace fs = std::filesystem;
    const fs::path out =
        fs::temp_directory_path() /
        ("zkdemo-members-" + std::to_string(reinterpret_cast<std::uintptr_t>(&out)));
    fs::remove_all(out);
    fs::create_directories(out);
    std::map<std::string, std::string> members;
    if (FileDiv(archivePath.c_str(), (out.string() + "/").c_str(), nullptr) == 1) {
        for (const auto& entry : fs::directory_iterator(out)) {
            members[entry.path().filename().string()] = ReadFileBytes(entry.path().string());
        }
    } else {
        ADD_FAILURE() << "cannot extract " << archivePath;
    }
    fs::remove_all(out);
    return members;
}

}  // namespace zktest
