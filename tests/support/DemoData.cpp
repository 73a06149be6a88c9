#include "support/DemoData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/CodedScriptWriter.h"
#include "common/CombinedFileWriter.h"
#include "support/Bytes.h"
#include "support/TempWorkDir.h"
#include "system/FileDiv.h"
#include "system/ZKCODE.h"

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

void DemoData::WriteVariant(const std::string& archive,
                            const std::map<std::string, std::string>& replaced,
                            const std::string& path) {
    auto demo = Members(Archive(archive));
    for (const auto& [name, bytes] : replaced) demo[name] = bytes;
    std::vector<zktools::CombinedMember> members;
    for (auto& [name, bytes] : demo) {
        if (!bytes.empty()) members.push_back(zktools::MemberFromBytes(name, bytes));
    }
    // Init.spt leads the scripts, as in the generated archive.
    std::stable_partition(members.begin(), members.end(),
                          [](const auto& member) { return member.name == "Init.spt"; });
    std::filesystem::remove(path);
    std::string error;
    EXPECT_TRUE(zktools::WriteCombinedFile(path, members, zktools::ListPlace::InArchive, error))
        << error;
}

std::string DemoData::PlainScript(const std::string& name) {
    TempWorkDir dir;
    WriteFileBytes("coded.spt", Members(Archive("Scenario.dat"))[name]);
    EXPECT_EQ(ZKDecode("coded.spt", "plain.txt"), 0) << name;
    return ReadFileBytes("plain.txt");
}

std::string DemoData::CodedScript(const std::string& plain) {
    std::string error;
    const auto coded = zktools::EncodeScript(plain, error);
    EXPECT_TRUE(coded) << error;
    return coded.value_or("");
}

}  // namespace zktest
