#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/files/FolderWalk.h"
#include "platform/files/PosixFiles.h"
#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/FolderSweep.h"

using zktest::FileExists;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

// A walk that cannot step into, or cannot list, the folders named, as when a folder
// is swapped or locked between its listing and the step into it.
class RefusingWalk : public platform::FolderWalk {
public:
    RefusingWalk(std::unique_ptr<platform::FolderWalk> walk, std::set<std::string> noEntry,
                 std::set<std::string> noList)
        : walk_(std::move(walk)), noEntry_(std::move(noEntry)), noList_(std::move(noList)) {}

    const std::string& path() const override { return walk_->path(); }
    int list(std::vector<platform::FolderEntry>& entries) override {
        return noList_.count(path()) != 0 ? EACCES : walk_->list(entries);
    }
    int enter(const std::string& name) override {
        return noEntry_.count(name) != 0 ? EACCES : walk_->enter(name);
    }
    int leave() override { return walk_->leave(); }
    int removeFile(const std::string& name) override { return walk_->removeFile(name); }
    int removeFolder(const std::string& name) override { return walk_->removeFolder(name); }

private:
    std::unique_ptr<platform::FolderWalk> walk_;
    std::set<std::string> noEntry_;
    std::set<std::string> noList_;
};

}  // namespace

TEST(FolderSweep, AFolderThatCannotBeEnteredOrListedIsRemovedOnlyWhenEmpty) {
    const std::string kept = "Error: <ZKSYSTEM::RemoveFile> ディレクトリ tmp/x が削除出来ません";
    const struct {
        const char* what;
        std::set<std::string> noEntry, noList;
        const char* empty;  // a folder made empty, which goes all the same
        std::vector<std::string> lines;
    } cases[] = {
        {"not entered", {"x"}, {}, nullptr, {"cannot list", kept}},
        {"not listed", {}, {"tmp/x/"}, nullptr, {"cannot list", kept}},
        {"empty, not entered", {"x"}, {}, "tmp/x/y", {"cannot list"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        zktest::TestKit kit;
        fs::create_directories("tmp/x");
        WriteFileBytes("tmp/x/y", "x");
        if (c.empty != nullptr) fs::remove(c.empty);
        platform::PosixFiles files;
        std::unique_ptr<platform::FolderWalk> posix;
        ASSERT_EQ(files.walkFolder("tmp/", posix), 0);
        RefusingWalk walk(std::move(posix), c.noEntry, c.noList);
        std::vector<platform::FolderEntry> entries;
        ASSERT_EQ(walk.list(entries), 0);
        std::vector<std::string> lines;
        FolderSweep(walk, true, [&] { lines.push_back("cannot list"); }).run(entries);
        for (const std::string& line : kit.debugLines()) lines.push_back(line);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(FileExists("tmp/x"), c.empty == nullptr);
    }
}
