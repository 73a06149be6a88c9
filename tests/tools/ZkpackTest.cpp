#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/Bytes.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"

using zktest::Hex;
using zktest::ReadFileBytes;
using zktest::RunTool;
using zktest::WriteFileBytes;
using Args = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

const std::string kMembers = "hello" + Hex("00 0D 0A");

void WriteSources() {
    WriteFileBytes("a.txt", "hello");
    WriteFileBytes("B.bin", Hex("00 0D 0A"));
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace

TEST(Zkpack, PacksTheListInsideOrBesideTheArchive) {
    zktest::TempWorkDir dir;
    WriteSources();
    const struct {
        Args args;
        std::string archive;
        std::string bytes;
    } cases[] = {
        {{"pack", "a.dat", "a.txt", "B.bin"},
         "a.dat",
         "FILECMB-DATA-LIST-IN\na.txt 54 59\nB.bin 59 62\nLIST-END\n" + kMembers},
        {{"pack", "--list-out", "x.dat", "a.txt", "B.bin"},
         "x.dat",
         "FILECMB-DATA-LIST-OUT\n" + kMembers},
        // The list's own length moves the offsets it holds.
        {{"pack", "t.dat", "a.txt"}, "t.dat", "FILECMB-DATA-LIST-IN\na.txt 42 47\nLIST-END\nhello"},
    };
    for (const auto& c : cases) {
        const auto run = RunTool("zkpack", c.args);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        EXPECT_EQ(ReadFileBytes(c.archive), c.bytes);
    }
    EXPECT_EQ(ReadFileBytes("x.lst"), "x.dat\na.txt 22 27\nB.bin 27 30\nLIST-END\n");
    EXPECT_EQ(Entries("."),
              (std::set<std::string>{"B.bin", "a.dat", "a.txt", "t.dat", "x.dat", "x.lst"}));
}

TEST(Zkpack, RefusalsAndUsageErrorsWriteNothingAndKeepAnOldArchive) {
    zktest::TempWorkDir dir;
    WriteSources();
    fs::create_directories("d1");
    fs::create_directories("d2");
    for (const char* name : {"d1/A.TXT", "d2/a.txt", "a b.txt", "x..y", "a\\b", "LIST-END"}) {
        WriteFileBytes(name, "x");
    }
    // Sparse: the offsets are refused before any byte is read.
    WriteFileBytes("huge.bin", "");
    fs::resize_file("huge.bin", 999999999);
    fs::create_directory("m");
    Args many{"pack", "old.dat"};
    for (int i = 0; i <= 4096; ++i) {
        many.push_back("m/" + std::to_string(i));
        WriteFileBytes(many.back(), "");
    }
    const auto before = Entries(".");
    WriteFileBytes("old.dat", "old archive");

    const struct {
        Args args;
        int status;
    } cases[] = {
        {{"pack", "old.dat", "a.txt", "missing.txt"}, 1},
        {{"pack", "old.dat", "d1"}, 1},
        {{"pack", "old.dat", "a b.txt"}, 1},
        {{"pack", "old.dat", "x..y"}, 1},
        {{"pack", "old.dat", "a\\b"}, 1},
        {{"pack", "old.dat", "LIST-END"}, 1},
        {{"pack", "old.dat", "d1/A.TXT", "d2/a.txt"}, 1},
        {{"pack", "old.dat", "huge.bin"}, 1},
        {{"pack", "--list-out", "old", "a.txt"}, 1},
        {{"pack", "--list-out", "old.lst", "a.txt"}, 1},
        {many, 1},
        {{}, 2},
        {{"unpack", "old.dat", "a.txt"}, 2},
        {{"pack", "old.dat"}, 2},
        {{"pack", "--bogus", "old.dat", "a.txt"}, 2},
        {{"extract", "old.dat"}, 2},
        {{"extract", "old.dat", "", "a.txt"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.size() > 2 ? c.args[2] : "");
        const auto run = RunTool("zkpack", c.args);
        EXPECT_EQ(run.exitStatus, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
        ASSERT_EQ(fs::file_size("old.dat"), 11u);  // a gigabyte would not be read back
        EXPECT_EQ(ReadFileBytes("old.dat"), "old archive");
        auto after = Entries(".");
        after.erase("old.dat");
        EXPECT_EQ(after, before);
    }
}

TEST(Zkpack, ExtractPrintsTheReadersLinesAndItsResult) {
    zktest::TempWorkDir dir;
    WriteSources();
    ASSERT_EQ(RunTool("zkpack", {"pack", "a.dat", "a.txt", "B.bin"}).exitStatus, 0);
    WriteFileBytes("cr.dat", "FILECMB-DATA-LIST-IN\r\nLIST-END\n");
    WriteFileBytes("evil.dat", "FILECMB-DATA-LIST-IN\n../evil 0 5\nok.txt 0 5\nLIST-END\n");
    fs::create_directory("out");

    // Every result reaches the exit status the same way; the reader's own tests have the rest.
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        {{"a.dat", "out", "b.BIN"}, "result 1\n"},
        {{"a.dat", "out/"}, "result 1\n"},
        {{"a.dat", "out", "none.txt"}, U(u8"Error: 該当ファイル無し\nresult 0\n")},
        {{"cr.dat", "out"},
         U(u8"Error: 結合ファイルではありません\nError: 結合ファイルではない\nresult -2\n")},
        {{"evil.dat", "out"}, U(u8"Error: リストの2行目が不正です\nresult 1\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        Args args{"extract"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = RunTool("zkpack", args);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitStatus, c.out.ends_with("result 1\n") ? 0 : 1);
    }
    EXPECT_EQ(Entries("out"), (std::set<std::string>{"B.bin", "a.txt", "b.BIN", "ok.txt"}));
    EXPECT_EQ(ReadFileBytes("out/b.BIN"), Hex("00 0D 0A"));
    EXPECT_EQ(ReadFileBytes("out/ok.txt"), "FILEC");
    EXPECT_EQ(Entries("."),
              (std::set<std::string>{"B.bin", "a.dat", "a.txt", "cr.dat", "evil.dat", "out"}));
}
