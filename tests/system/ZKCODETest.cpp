#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/ZKCODE.h"

using zktest::Hex;
using zktest::ReadFileBytes;
using zktest::WriteFileBytes;

namespace {

using Lines = std::vector<std::string>;

const std::string kKeepHeader = "ZKCODE NLINE-NO-ENCODE\n";
const std::string kAllHeader = "ZKCODE NLINE-ENCODE\n";

// Random bytes drawn mostly from the ones the codec treats specially.
std::string RandomBytes(std::mt19937& random, std::size_t size) {
    const char special[] = {'\x0D', '\x0A', '\xF2', '\xF5', '\x00', '\xFF'};
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned pick = random() % 256;
        bytes += pick < 128 ? special[pick % sizeof special] : static_cast<char>(pick);
    }
    return bytes;
}

std::string WithoutStoredLineBreak(std::string bytes) {
    for (std::size_t at; (at = bytes.find("\xF2\xF5")) != std::string::npos;) bytes[at + 1] = 'x';
    return bytes;
}

// Reads a coded file line by line as the script reader does: 512-byte raw lines,
// each decoded into 512 bytes. Header lines show as "<header>".
Lines DecodeLines(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    Lines lines;
    char raw[512], out[512];
    while (CodeFileReadOneLine(file, raw, sizeof raw) == 0) {
        lines.push_back(CodeLineDecode(raw, sizeof raw, out) == 1 ? "<header>" : out);
    }
    std::fclose(file);
    return lines;
}

// Encodes plain in the mode and decodes it back; the coded bytes.
std::string RoundTrip(const std::string& plain, unsigned flags) {
    WriteFileBytes("p.bin", plain);
    EXPECT_EQ(ZKEncode("p.bin", "c.zk", flags), 0);
    EXPECT_EQ(ZKDecode("c.zk", "back.bin"), 0);
    EXPECT_EQ(ReadFileBytes("back.bin"), plain) << "flags " << flags;
    return ReadFileBytes("c.zk");
}

}  // namespace

TEST(ZKCODE, GoldenAndRandomBytesMakeTheRoundTripInBothModes) {
    zktest::TestKit kit;
    const struct {
        unsigned flags;
        std::string plain, coded;
    } golden[] = {
        {1, "AB\r\n", kKeepHeader + Hex("BE BD 0D 0A")},
        {0, "AB\r\n", kAllHeader + Hex("BE BD F2 F5")},
        {1, "\r\r\n\n", kKeepHeader + Hex("F2 0D 0A F5")},
        {1, "", kKeepHeader},
        {0, "", kAllHeader},
    };
    for (const auto& c : golden) EXPECT_EQ(RoundTrip(c.plain, c.flags), c.coded);
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        const std::string any = RandomBytes(random, random() % 300);
        RoundTrip(any, 0);
        RoundTrip(WithoutStoredLineBreak(any), 1);
    }
    EXPECT_EQ(kit.debugLines(), Lines{});
}

TEST(ZKCODE, RefusesBytesThatWouldReadBackAsALineBreak) {
    zktest::TestKit kit;
    WriteFileBytes("p.bin", Hex("41 F2 F5 42"));
    WriteFileBytes("c.zk", "older coded file");
    EXPECT_EQ(ZKEncode("p.bin", "c.zk", 1), -1);
    EXPECT_EQ(ReadFileBytes("c.zk"), "older coded file");
    EXPECT_EQ(kit.debugLines(),
              Lines{"Error: <ZKEncode> 改行と区別できないバイト列 F2 F5 が含まれています"});

    EXPECT_EQ(ZKEncode("p.bin", "c.zk", 0), 0);  // nothing stays plain in this mode
}

TEST(ZKCODE, FailuresGiveTheirLineAndMinusOne) {
    const std::string enc = "Error: <ZKEncode> ", dec = "Error: <ZKDecode> ";
    const std::string notCoded = dec + "ZKCodeで暗号化されたファイルではありません";
    // The decoder writes into the extraction folder, so its lines say which file and why.
    const std::string noFolder =
        dec + "no/out の書き込みに失敗しました (" + std::strerror(ENOENT) + ")";
    const std::string full =
        dec + "/dev/full の書き込みに失敗しました (" + std::strerror(ENOSPC) + ")";
    const struct {
        bool decode;
        // The source is written to "src" unless empty; "<dir>" makes a folder.
        std::string source, dst;
        Lines lines;
    } cases[] = {
        {false, "", "out", {enc + "読込先ファイルオープンに失敗"}},
        {false, "<dir>", "out", {enc + "読込先ファイルの読み込みに失敗"}},
        {false, "x", "no/out", {enc + "書込先ファイルオープンに失敗"}},
        {false, "x", "/dev/full", {enc + "書込先ファイルの書き込みに失敗"}},
        {true, "", "out", {dec + "読込ファイルが開けません"}},
        {true, kAllHeader, "no/out", {dec + "書込ファイルが開けません", noFolder}},
        {true, "hello", "out", {notCoded}},
        {true, "\n", "out", {notCoded}},
        {true, "ZKCODE NLINE\n\xBE", "out", {dec + "ヘッダーが不正です"}},
        {true, "ZKCODE", "out", {dec + "ヘッダーが不正です"}},
        {true, kAllHeader + "\xBE", "/dev/full", {dec + "書込ファイルの書き込みに失敗", full}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.front());
        zktest::TestKit kit;
        if (c.source == "<dir>") {
            std::filesystem::create_directory("src");
        } else if (!c.source.empty()) {
            WriteFileBytes("src", c.source);
        }
        if (c.dst == "out") WriteFileBytes("out", "kept");
        const char* dst = c.dst.c_str();
        EXPECT_EQ(c.decode ? ZKDecode("src", dst) : ZKEncode("src", dst, 0), -1);
        EXPECT_EQ(kit.debugLines(), c.lines);
        if (c.dst != "out") continue;
        // A source that cannot be used leaves the destination alone; a decoded
        // destination is opened before the header is checked and is left empty.
        const bool headerChecked = c.decode && !c.source.empty();
        EXPECT_EQ(ReadFileBytes("out"), headerChecked ? "" : "kept");
    }
}

// A read that fails once the header is in: the coded data comes through a pipe
// whose reader is interrupted (no restart) while it waits for more.
TEST(ZKCODE, AReadFailureAfterTheHeaderGivesItsLine) {
    zktest::TestKit kit;
    ASSERT_EQ(mkfifo("src", 0600), 0);
    struct sigaction interrupt {
    }, before{};
    interrupt.sa_handler = [](int) {};
    ASSERT_EQ(sigaction(SIGUSR1, &interrupt, &before), 0);
    const pthread_t reader = pthread_self();
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const int fd = open("src", O_WRONLY);
        const std::string coded = kAllHeader + "\xBE";
        EXPECT_EQ(write(fd, coded.data(), coded.size()), static_cast<ssize_t>(coded.size()));
        int unread = 1;
        while (!done && ioctl(fd, FIONREAD, &unread) == 0 && unread > 0) std::this_thread::yield();
        while (!done) {
            pthread_kill(reader, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        close(fd);
    });
    EXPECT_EQ(ZKDecode("src", "out"), -1);
    done = true;
    writer.join();
    sigaction(SIGUSR1, &before, nullptr);
    EXPECT_EQ(kit.debugLines(), Lines{"Error: <ZKDecode> 読込ファイルの読み込みに失敗"});
    EXPECT_EQ(ReadFileBytes("out"), "");
}

TEST(CodeFileReadOneLine, ReadsHeaderWithFirstLineThenEachLine) {
    zktest::TestKit kit;
    WriteFileBytes("p.txt", "AB\r\nCD\r\n\r\nlast");
    ASSERT_EQ(ZKEncode("p.txt", "c.zk", 1), 0);
    // The header ends in a lone line feed, so the first raw line runs on to the
    // first CR LF and the first plain line is skipped with the header.
    EXPECT_EQ(DecodeLines("c.zk"), (Lines{"<header>", "CD", ""}));
    EXPECT_EQ(kit.debugLines(), Lines{});
}

TEST(CodeFileReadOneLine, LongLineContinuesAndUnterminatedLastLineIsEndOfFile) {
    zktest::TestKit kit;
    const std::string line(600, '\xBE');  // plain 'A'
    WriteFileBytes("c.zk", line + "\r\n" + Hex("BD BC 0D"));
    std::FILE* file = std::fopen("c.zk", "rb");
    // Exactly 512 bytes on the heap, so that a read of byte 512 is caught.
    std::vector<char> raw(512), out(512);
    ASSERT_EQ(CodeFileReadOneLine(file, raw.data(), 512), 0);
    EXPECT_EQ(std::string(raw.data(), 512), line.substr(0, 512));
    EXPECT_EQ(CodeLineDecode(raw.data(), 512, out.data()), 0);
    EXPECT_EQ(std::string(out.data()), std::string(511, 'A'));

    ASSERT_EQ(CodeFileReadOneLine(file, raw.data(), 512), 0);
    EXPECT_EQ(std::string(raw.data()), line.substr(512) + "\r\n");
    EXPECT_EQ(CodeFileReadOneLine(file, raw.data(), 512), -1);
    EXPECT_EQ(std::string(raw.data()), Hex("BD BC 0D"));
    EXPECT_TRUE(std::feof(file));
    std::fclose(file);
}

TEST(CodeFileReadOneLine, RefusesMissingStreamOrBuffer) {
    zktest::TestKit kit;
    char raw[8] = "xxxxxxx";
    EXPECT_EQ(CodeFileReadOneLine(nullptr, raw, sizeof raw), -1);
    EXPECT_EQ(std::string(raw), "");
    std::FILE* file = std::fopen("c.zk", "wb+");
    EXPECT_EQ(CodeFileReadOneLine(file, raw, 0), -1);
    EXPECT_EQ(CodeFileReadOneLine(file, nullptr, 8), -1);
    std::fclose(file);
    EXPECT_EQ(kit.debugLines(),
              (Lines{"Error: <CodeFileReadOneLine> ファイルポインタが設定されていません",
                     "Error: <CodeFileReadOneLine> 読込バッファが不正です",
                     "Error: <CodeFileReadOneLine> 読込バッファが不正です"}));
}

TEST(CodeLineDecode, StopsAtStoredZeroAndLineBreak) {
    const struct {
        std::string raw, decoded;
        int result;
    } cases[] = {
        {Hex("BE 00 BD 0D 0A"), "A", 0},  // plain 0xFF is stored as 0x00
        {Hex("BE BD 0D 0A BC"), "AB", 0},
        {Hex("BE 0D BD 0A"), Hex("41 F2 42 F5"), 0},
        {"ZKCODE NLINE-NO-ENCODE\n" + Hex("BE 0D 0A"), "untouched", 1},
        {"  ZKCODE\t", "untouched", 1},
        {"ZKCODEX", Hex("A5 B4 BC B0 BB BA A7"), 0},
    };
    for (const auto& c : cases) {
        std::vector<char> raw(512, '\0');
        std::copy(c.raw.begin(), c.raw.end(), raw.begin());
        char out[512] = "untouched";
        EXPECT_EQ(CodeLineDecode(raw.data(), 512, out), c.result) << c.raw;
        EXPECT_EQ(std::string(out), c.decoded) << c.raw;
    }
}
