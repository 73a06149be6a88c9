#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iterator>

#include "platform/files/FolderWalk.h"
#include "platform/files/PosixFiles.h"
#include "support/Bytes.h"
#include "support/TempWorkDir.h"

using namespace platform;

namespace {

// The files this process holds open, so a test can show a walk leaves none behind.
std::ptrdiff_t OpenFileCount() {
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return std::distance(begin(entries), end(entries));
}

}  // namespace
using zktest::FileExists;
using zktest::WriteFileBytes;

TEST(PosixFiles, ErrorNumbersTheEngineDecidesOn) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    WriteFileBytes("file", "x");
    EXPECT_EQ(files.makeFolder("d"), 0);
    EXPECT_EQ(files.makeFolder("d"), EEXIST);
    EXPECT_EQ(files.makeFolder("missing/d"), ENOENT);
    EXPECT_EQ(files.makeFolder("file/d"), ENOTDIR);
    EXPECT_EQ(files.rename("nothing", "x"), ENOENT);
    EXPECT_EQ(files.rename("file", "d"), EISDIR);
    EXPECT_EQ(files.removeFile("nothing"), ENOENT);
    EXPECT_EQ(files.removeFolder("nothing"), ENOENT);
    EXPECT_EQ(files.removeFile(""), ENOENT);
    EXPECT_EQ(files.makeFolder(""), ENOENT);
}

TEST(PosixFiles, AFileToReadIsARegularFileWithinItsCapOrNoStreamAtAll) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    WriteFileBytes("two", "xy");
    std::filesystem::create_symlink("two", "link");
    std::filesystem::create_directory("folder");
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    const struct {
        const char* path;
        std::uint64_t cap;
        int error;
    } cases[] = {
        {"two", 2, 0},
        {"link", 2, 0},
        {"two", 1, EFBIG},
        {"missing", 9, ENOENT},
        {"folder", 9, EISDIR},
        {"fifo", 9, ENOTSUP},
        {"/dev/null", 9, ENOTSUP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " cap " + std::to_string(c.cap));
        // A stream left over from an earlier use must not survive a refusal.
        std::FILE* stream = stderr;
        EXPECT_EQ(files.openRegularFile(c.path, c.cap, stream), c.error);
        if (c.error != 0) {
            EXPECT_EQ(stream, nullptr);
            continue;
        }
        ASSERT_NE(stream, nullptr);
        char bytes[4] = {};
        EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, stream), 2u);
        EXPECT_STREQ(bytes, "xy");
        std::fclose(stream);
    }
}

// Links are followed: a link to a file is one, a link to a folder or a dangling
// link is not.
TEST(PosixFiles, ARegularFileIsAFileOrALinkToOneAndNothingElse) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    WriteFileBytes("empty", "");
    std::filesystem::create_directory("folder");
    std::filesystem::create_symlink("empty", "to-file");
    std::filesystem::create_symlink("folder", "to-folder");
    std::filesystem::create_symlink("missing", "dangling");
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    const struct {
        const char* path;
        bool regular;
    } cases[] = {
        {"empty", true},     {"to-file", true}, {"folder", false},    {"to-folder", false},
        {"dangling", false}, {"fifo", false},   {"/dev/null", false}, {"missing", false},
    };
    for (const auto& c : cases) EXPECT_EQ(files.isRegularFile(c.path), c.regular) << c.path;
}

TEST(PosixFiles, ListingReportsLinksAsFilesAndSkipsDots) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    std::filesystem::create_directories("outside/inner");
    std::filesystem::create_directories("tmp/sub");
    WriteFileBytes("tmp/a.gpc", "a");
    std::filesystem::create_directory_symlink("../outside", "tmp/link");

    std::vector<FolderEntry> entries;
    ASSERT_EQ(files.listFolder("tmp", entries), 0);
    std::vector<std::pair<std::string, bool>> listed;
    for (const auto& e : entries) listed.emplace_back(e.name, e.isFolder);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (decltype(listed){{"a.gpc", false}, {"link", false}, {"sub", true}}));

    EXPECT_EQ(files.listFolder("nothing", entries), ENOENT);
    EXPECT_TRUE(entries.empty());
}

TEST(PosixFiles, NothingIsReachedThroughALinkInThePlayersFolder) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    namespace fs = std::filesystem;
    fs::create_directories("outside/sub");
    WriteFileBytes("outside/f", "kept");
    WriteFileBytes("x", "x");
    fs::create_directory_symlink(fs::absolute("outside"), "tmp");
    std::vector<FolderEntry> entries;
    std::FILE* stream = nullptr;
    const std::function<int()> calls[] = {
        [&] { return files.removeFile("tmp/f"); },
        [&] { return files.removeFolder("tmp/sub"); },
        [&] { return files.listFolder("tmp/", entries); },
        [&] { return files.makeFolder("tmp/new"); },
        [&] { return files.setHidden("tmp"); },
        [&] { return files.rename("x", "tmp/x"); },
        [&] { return files.createFile("tmp/f", stream); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_NE(calls[i](), 0) << i;
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(zktest::ReadFileBytes("outside/f"), "kept");
    EXPECT_TRUE(fs::is_directory("outside/sub"));
    EXPECT_FALSE(FileExists("outside/new") || FileExists("outside/x"));

    // A link or a FIFO where a file is created is replaced, not written through.
    fs::remove("tmp");
    fs::create_directory("tmp");
    fs::create_symlink(fs::absolute("outside/f"), "tmp/f");
    ASSERT_EQ(mkfifo("tmp/fifo", 0600), 0);
    for (const char* path : {"tmp/f", "tmp/fifo"}) {
        ASSERT_EQ(files.createFile(path, stream), 0) << path;
        std::fputs("new", stream);
        std::fclose(stream);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << path;
        EXPECT_EQ(zktest::ReadFileBytes(path), "new");
    }
    EXPECT_EQ(zktest::ReadFileBytes("outside/f"), "kept");
}

TEST(PosixFiles, HiddenAttributeOnlyForExistingFolders) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    std::filesystem::create_directory("d");
    WriteFileBytes("f", "x");
    EXPECT_EQ(files.setHidden("d"), 0);
    EXPECT_NE(files.setHidden("f"), 0);
    EXPECT_NE(files.setHidden("nothing"), 0);
}

TEST(PosixFiles, AWalkStepsOneFolderAtATimeAndActsNowhereElse) {
    zktest::TempWorkDir dir;
    PosixFiles files;
    namespace fs = std::filesystem;
    fs::create_directories("tmp/a/b");
    WriteFileBytes("tmp/a/f", "x");
    fs::create_directory("outside");
    WriteFileBytes("outside/f", "kept");
    fs::create_directory_symlink(fs::absolute("outside"), "tmp/link");

    const std::ptrdiff_t openBefore = OpenFileCount();
    std::unique_ptr<FolderWalk> walk;
    EXPECT_NE(files.walkFolder("tmp/link", walk), 0);
    EXPECT_EQ(walk, nullptr);
    ASSERT_EQ(files.walkFolder("tmp", walk), 0);
    EXPECT_EQ(walk->path(), "tmp/");
    EXPECT_NE(walk->enter("link"), 0);
    EXPECT_EQ(walk->leave(), EINVAL);  // never above the folder it started from
    ASSERT_EQ(walk->enter("a"), 0);
    EXPECT_EQ(walk->path(), "tmp/a/");
    std::vector<FolderEntry> entries;
    ASSERT_EQ(walk->list(entries), 0);
    std::vector<std::pair<std::string, bool>> listed;
    for (const auto& e : entries) listed.emplace_back(e.name, e.isFolder);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (decltype(listed){{"b", true}, {"f", false}}));
    ASSERT_EQ(walk->enter("b"), 0);
    EXPECT_EQ(walk->leave(), 0);
    EXPECT_EQ(walk->removeFolder("b"), 0);
    EXPECT_EQ(walk->removeFile("f"), 0);
    EXPECT_TRUE(fs::is_empty("tmp/a"));

    // Moved away meanwhile, the folder's way back leads elsewhere: the walk stops.
    WriteFileBytes("tmp/f", "x");
    fs::rename("tmp/a", "outside/a");
    EXPECT_EQ(walk->leave(), ESTALE);
    EXPECT_EQ(walk->path(), "tmp/");
    EXPECT_NE(walk->removeFile("f"), 0);
    EXPECT_NE(walk->list(entries), 0);
    EXPECT_NE(walk->enter("a"), 0);
    EXPECT_EQ(zktest::ReadFileBytes("outside/f"), "kept");
    EXPECT_TRUE(FileExists("tmp/f"));
    walk.reset();
    EXPECT_EQ(OpenFileCount(), openBefore);
}
