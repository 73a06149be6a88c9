#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/AtomicFileWriter.h"

using zktest::FileExists;
using zktest::ReadFileBytes;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

TEST(AtomicFileWriter, FilesAppearWholeAndOnlyOnceAllAreComplete) {
    zktest::TestKit kit;
    WriteFileBytes("a.bin", "old");
    AtomicFileWriter first("a.bin");
    AtomicFileWriter second("b.bin");
    EXPECT_EQ(first.tempPath(), "a.bin.tmp");
    ASSERT_TRUE(first.write("new ") && second.write("") && second.write("b"));
    std::fputs("bytes", first.stream());
    ASSERT_TRUE(first.finish() && second.finish());
    EXPECT_EQ(ReadFileBytes("a.bin"), "old");
    EXPECT_FALSE(FileExists("b.bin"));
    ASSERT_TRUE(first.commit() && second.commit());
    EXPECT_TRUE(first.commit());  // once committed, it stays so
    EXPECT_EQ(ReadFileBytes("a.bin"), "new bytes");
    EXPECT_EQ(ReadFileBytes("b.bin"), "b");
    EXPECT_FALSE(FileExists("a.bin.tmp") || FileExists("b.bin.tmp"));
}

TEST(AtomicFileWriter, FailureOrAbandonKeepsTheOldTargetAndLeavesNoTemporaryFile) {
    zktest::TestKit kit;
    // A folder at the temporary path is made by the system save and settings tests.
    const struct {
        const char* what;
        void (*during)();   // while the writer is open
        std::string error;  // the errno text of a failed commit; empty: never committed
    } cases[] = {
        {"the folder removed before the commit", [] { fs::remove_all("f"); },
         std::strerror(ENOENT)},
        {"destroyed without a commit", [] {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::create_directory("f");
        WriteFileBytes("f/t.bin", "old");
        {
            AtomicFileWriter writer("f/t.bin");
            writer.write("new");
            c.during();
            if (!c.error.empty()) {
                EXPECT_FALSE(writer.commit());
                EXPECT_EQ(writer.error(), c.error);
            }
        }
        if (FileExists("f")) {
            EXPECT_EQ(ReadFileBytes("f/t.bin"), "old");
        }
        EXPECT_FALSE(FileExists("f/t.bin.tmp"));
        fs::remove_all("f");
    }
    AtomicFileWriter abandoned("t.bin");
    abandoned.write("x");
    abandoned.abandon();
    EXPECT_FALSE(abandoned.commit());
    EXPECT_FALSE(FileExists("t.bin.tmp") || FileExists("t.bin"));
}
