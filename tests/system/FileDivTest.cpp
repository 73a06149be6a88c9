#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "common/CombinedFileWriter.h"
#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/FileDiv.h"

using zktest::FileExists;
using zktest::Hex;
using zktest::ReadFileBytes;
using zktest::Sjis;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

const std::string kMembers = "hello" + Hex("00 0D 0A");

// The same two members with the list inside the archive and beside it.
void WriteFixtures() {
    WriteFileBytes("a.dat",
                   "FILECMB-DATA-LIST-IN\na.txt 54 59\nB.bin 59 62\nLIST-END\n" + kMembers);
    WriteFileBytes("x.dat", "FILECMB-DATA-LIST-OUT\n" + kMembers);
    WriteFileBytes("x.lst", "x.dat\na.txt 22 27\nB.bin 27 30\nLIST-END\n");
}

// The console lines of a call, each ended by a line feed.
std::string Console(const zktest::TestKit& kit) {
    std::string text;
    for (const std::string& line : kit.consoleLines()) text += line + "\n";
    return text;
}

std::string U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

using Names = std::set<std::string>;
using Lines = std::vector<std::string>;

Names Entries(const std::string& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A LIST-OUT archive of members "m0", "m1", ..., one byte each.
void WriteNumberedArchive(const std::string& path, int count) {
    std::vector<zktools::CombinedMember> members;
    for (int i = 0; i < count; ++i) {
        members.push_back(zktools::MemberFromBytes("m" + std::to_string(i), "x"));
    }
    std::string error;
    ASSERT_TRUE(zktools::WriteCombinedFile(path, members, zktools::ListPlace::InListFile, error))
        << error;
}

}  // namespace

TEST(FileDiv, ExtractsFromBothListPlacesAndFromTinyArchives) {
    zktest::TestKit kit;
    WriteFixtures();
    // No CR LF anywhere: the header is found in a file shorter than a raw line.
    WriteFileBytes("t.dat", "FILECMB-DATA-LIST-IN\na.txt 42 47\nLIST-END\nhello");
    for (const char* archive : {"a.dat", "x.dat"}) {
        SCOPED_TRACE(archive);
        fs::remove_all("out");
        fs::create_directory("out");
        // A lookup in another letter case writes the caller's spelling, the name it opens.
        EXPECT_EQ(FileDiv(archive, "out/", "b.BIN"), 1);
        EXPECT_EQ(ReadFileBytes("out/b.BIN"), Hex("00 0D 0A"));
        EXPECT_EQ(FileDiv(archive, "out/", nullptr), 1);
        EXPECT_EQ(Entries("out"), (Names{"B.bin", "a.txt", "b.BIN"}));
        EXPECT_EQ(ReadFileBytes("out/a.txt"), "hello");
    }
    EXPECT_EQ(FileDiv("t.dat", "out/", "a.txt"), 1);
    EXPECT_EQ(Console(kit), "");
}

TEST(FileDiv, ReportsEachFailureWithItsResultAndLines) {
    zktest::TestKit kit;
    WriteFixtures();
    fs::create_directory("sub.d");
    ASSERT_EQ(mkfifo("sub.d/fifo.dat", 0600), 0);
    WriteFileBytes("cr.dat", "FILECMB-DATA-LIST-IN\r\nLIST-END\n");
    WriteFileBytes("short.dat", "FILECMB-DATA");
    WriteFileBytes("sub.d/noext", "FILECMB-DATA-LIST-OUT\n");
    WriteFileBytes("noend.dat", "FILECMB-DATA-LIST-IN\na.txt 0 5\n");
    WriteFileBytes("e.dat", "FILECMB-DATA-LIST-OUT\n");
    WriteFileBytes("e.lst", "");
    WriteFileBytes("range.dat", "FILECMB-DATA-LIST-IN\nfar 0 99\nnone 5 5\nback 5 4\nLIST-END\n");
    WriteFileBytes("full.dat", "FILECMB-DATA-LIST-IN\nfull 0 5\nLIST-END\n");
    fs::create_directory("elsewhere");
    fs::create_directory_symlink(fs::absolute("elsewhere"), "link");
    // Where the output could not be written, a line of its own says which file and why.
    const auto notWritten = [](const std::string& path, int error) {
        return Lines{"Error: <FileDiv> " + path + " の書き込みに失敗しました (" +
                     std::strerror(error) + ")"};
    };
    const std::string notOpened = U(u8"Error: 復号ファイルを書き込みオープンできない\n");

    const struct {
        const char *archive, *outDir, *name;
        int result;
        std::string lines;
        Lines debug = {};
    } cases[] = {
        {"cr.dat", "", nullptr, -2,
         U(u8"Error: 結合ファイルではありません\nError: 結合ファイルではない\n")},
        {"short.dat", "", nullptr, -2,
         U(u8"Error: 結合ファイルではない\nError: 結合ファイルではない\n")},
        {"missing.dat", "", nullptr, -2,
         U(u8"Error: 結合ファイルが読み込みオープンできない\nError: 結合ファイルではない\n")},
        // A FIFO in an archive's place is refused, never waited on.
        {"sub.d/fifo.dat", "", nullptr, -2,
         U(u8"Error: 結合ファイルが読み込みオープンできない\nError: 結合ファイルではない\n")},
        // The "." of a folder is no extension of the archive's name.
        {"sub.d/noext", "", nullptr, -2, U(u8"パスから拡張子が検出されなかった\n")},
        {"e.dat", "", nullptr, -1, U(u8"Error: 結合ファイルでは無い\n")},
        {"noend.dat", "", nullptr, -1, U(u8"Error: ファイルの終端: 結合ファイルでは無い\n")},
        {"a.dat", "missing/", "a.txt", -3, notOpened, notWritten("missing/a.txt", ENOENT)},
        {"a.dat", "link/", "a.txt", -3, notOpened, notWritten("link/a.txt", ENOTDIR)},
        {"full.dat", "/dev/", "full", -1, U(u8"Error: 書き込みエラー発生\n"),
         notWritten("/dev/full", ENOSPC)},
        {"a.dat", "", "none.txt", 0, U(u8"Error: 該当ファイル無し\n")},
        {"a.dat", "", "../a.txt", 0, U(u8"Error: 不正なファイル名です\n")},
        {"range.dat", "", "far", -1, U(u8"Error: 読み込み終了位置が不正\n")},
        {"range.dat", "", "back", -1, U(u8"Error: 読み込み開始位置と終了位置の指定が不正\n")},
        {"range.dat", "", "none", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + " " + (c.name ? c.name : "(all)"));
        kit.log.clear();
        EXPECT_EQ(FileDiv(c.archive, c.outDir, c.name), c.result);
        EXPECT_EQ(Console(kit), c.lines);
        EXPECT_EQ(kit.debugLines(), c.debug);
    }
    fs::remove("x.lst");
    kit.log.clear();
    EXPECT_EQ(FileDiv("x.dat", "", "a.txt"), -1);
    EXPECT_EQ(Console(kit), U(u8"Error: リストを読み込みオープンできない\n"));
    // A bad range leaves the output it opened empty; an empty range is an empty file.
    EXPECT_EQ(ReadFileBytes("far") + ReadFileBytes("none"), "");
    EXPECT_FALSE(FileExists("a.txt"));
    EXPECT_TRUE(fs::is_empty("elsewhere"));
}

TEST(FileDiv, SkipsHostileListLinesAndFindsLaterMembers) {
    zktest::TestKit kit;
    fs::create_directories("work/out");
    // Lines of 511 bytes through the line feed, the most a list line holds, and 512.
    const auto sized = [](const std::string& start, std::size_t bytes) {
        return start + std::string(bytes - start.size() - 1, ' ') + "\n";
    };
    WriteFileBytes("work/h.dat", "FILECMB-DATA-LIST-IN\n../x 0 5\na/b 0 5\n.. 0 5\n" +
                                     std::string(300, 'n') + " 0 5\n\nshort 1\nsign -1 5\n" +
                                     "big 0 1234567890\nlong 0 5 " + std::string(600, 'x') +
                                     "\nok.txt 0 5\ncr.txt 0 5\r\ndec.txt 010 012 more words\n" +
                                     Sjis(u8"表.txt") + " 13 17\n" + sized("w511 0 1", 511) +
                                     sized("w512 0 1", 512) + std::string("nul.txt 2 4\0x\n", 14) +
                                     "LIST-END\n");

    EXPECT_EQ(FileDiv("work/h.dat", "work/out/", nullptr), 1);
    std::string skipped;
    for (int line : {2, 3, 4, 5, 6, 7, 8, 9, 10, 16}) {
        skipped += U(u8"Error: リストの") + std::to_string(line) + U(u8"行目が不正です\n");
    }
    EXPECT_EQ(Console(kit), skipped);
    EXPECT_EQ(Entries("work"), (Names{"h.dat", "out"}));
    EXPECT_EQ(Entries("work/out"),
              (Names{"cr.txt", "dec.txt", "nul.txt", "ok.txt", "w511", Sjis(u8"表.txt")}));
    EXPECT_EQ(ReadFileBytes("work/out/nul.txt"), "LE");  // a NUL ends the line
    EXPECT_EQ(ReadFileBytes("work/out/ok.txt"), "FILEC");
    EXPECT_EQ(ReadFileBytes("work/out/dec.txt"), "TA");  // 010 is ten, not eight
    EXPECT_EQ(ReadFileBytes("work/out/" + Sjis(u8"表.txt")), "LIST");
}

TEST(FileDiv, TableHoldsTheLastListUpToItsLimit) {
    zktest::TestKit kit;
    fs::create_directory("out");
    WriteFixtures();
    WriteNumberedArchive("full.dat", 4096);
    WriteNumberedArchive("over.dat", 4096);
    std::string overList = ReadFileBytes("over.lst");
    overList.insert(overList.size() - 9, "m4096 22 23\nm4097 22 23\nm4098 22 23\nm4099 22 23\n");
    WriteFileBytes("over.lst", overList);

    // A complete list of exactly the table's size is no overflow.
    EXPECT_EQ(FileDiv("full.dat", "out/", nullptr), 1);
    EXPECT_TRUE(FileExists("out/m4095"));
    EXPECT_EQ(Console(kit), "");

    EXPECT_EQ(FileDiv("over.dat", "out/", "M4095"), 1);
    EXPECT_EQ(FileDiv("over.dat", "out/", "m4096"), 0);
    EXPECT_EQ(FileDiv("over.dat", "out/", nullptr), 0);
    EXPECT_EQ(Console(kit), U(u8"Error: リスト最大数をオーバー\nError: リスト最大数をオーバー\n"));

    // Each read replaces the whole table.
    kit.log.clear();
    EXPECT_EQ(FileDiv("a.dat", "out/", "m100"), 0);
    EXPECT_EQ(Console(kit), U(u8"Error: 該当ファイル無し\n"));
}

TEST(FileDiv, ReadsMembersAndDeletesTheFilesOfAFolder) {
    zktest::TestKit kit;
    WriteFixtures();
    WriteFileBytes("empty.dat", "");
    const auto header = ReadCombinedMember("a.dat", 13, 20);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(std::string(header->begin(), header->end()), "LIST-IN");
    WriteFileBytes("one.dat", "z");
    const auto one = ReadCombinedMember("one.dat", 0, 1);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(std::string(one->begin(), one->end()), "z");
    EXPECT_FALSE(ReadCombinedMember("missing.dat", 0, 1));
    EXPECT_FALSE(ReadCombinedMember("empty.dat", 0, 0));
    EXPECT_EQ(Console(kit), U(u8"Error: ファイルを読み込みオープンできない\n"
                              u8"Error: ファイルサイズが得られない\n"));

    fs::create_directories("d/sub");
    for (const char* file : {"d/a.txt", "d/b.txt", "d/busy", "da.txt", "keep"}) {
        WriteFileBytes(file, "x");
    }
    kit.files.markInUse("d/busy");
    EXPECT_EQ(DeleteFilesInDir(nullptr, nullptr), 0);
    EXPECT_EQ(DeleteFilesInDir("missing", nullptr), 0);
    EXPECT_EQ(DeleteFilesInDir("", "keep"), 1);
    EXPECT_EQ(DeleteFilesInDir("d/", "b.txt"), 1);
    EXPECT_EQ(DeleteFilesInDir("d/", "b.txt"), 0);
    // Without a trailing separator the files deleted are still those inside the folder.
    EXPECT_EQ(DeleteFilesInDir("d", nullptr), 1);
    EXPECT_EQ(Entries("d"), (Names{"busy", "sub"}));
    EXPECT_EQ(Entries("."),
              (Names{"a.dat", "d", "da.txt", "empty.dat", "one.dat", "x.dat", "x.lst"}));
}
