#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Bytes.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"

using zktest::Hex;
using zktest::ReadFileBytes;
using zktest::RunTool;
using zktest::WriteFileBytes;

TEST(CodecTools, EncodeInBothModesAndDecodeBack) {
    zktest::TempWorkDir dir;
    WriteFileBytes("p.txt", Hex("41 42 0D 0A"));
    const struct {
        std::vector<std::string> args;
        std::string coded;
    } cases[] = {
        {{"-n", "p.txt", "c.zk"}, "ZKCODE NLINE-NO-ENCODE\n" + Hex("BE BD 0D 0A")},
        {{"p.txt", "e.zk"}, "ZKCODE NLINE-ENCODE\n" + Hex("BE BD F2 F5")},
    };
    for (const auto& c : cases) {
        const auto encode = RunTool("zkencode", c.args);
        EXPECT_EQ(encode.exitStatus, 0) << encode.err;
        EXPECT_EQ(encode.out + encode.err, "");
        const std::string& coded = c.args.back();
        EXPECT_EQ(ReadFileBytes(coded), c.coded);

        const auto decode = RunTool("zkdecode", {coded, "back.txt"});
        EXPECT_EQ(decode.exitStatus, 0) << decode.err;
        EXPECT_EQ(decode.out + decode.err, "");
        EXPECT_EQ(ReadFileBytes("back.txt"), Hex("41 42 0D 0A"));
    }
}

TEST(CodecTools, FailuresExitOneWithTheirLine) {
    zktest::TempWorkDir dir;
    WriteFileBytes("f.bin", Hex("F2 F5"));
    WriteFileBytes("c.zk", "older coded file");
    const auto refused = RunTool("zkencode", {"-n", "f.bin", "c.zk"});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "Error: <ZKEncode> 改行と区別できないバイト列 F2 F5 が含まれています\n");
    EXPECT_EQ(ReadFileBytes("c.zk"), "older coded file");

    WriteFileBytes("h.txt", "hello");
    const auto notCoded = RunTool("zkdecode", {"h.txt", "out.txt"});
    EXPECT_EQ(notCoded.exitStatus, 1);
    EXPECT_EQ(notCoded.out, "");
    EXPECT_EQ(notCoded.err, "Error: <ZKDecode> ZKCodeで暗号化されたファイルではありません\n");
    EXPECT_EQ(ReadFileBytes("out.txt"), "");
}

TEST(CodecTools, UsageErrorsExitTwoAndWriteNothing) {
    zktest::TempWorkDir dir;
    WriteFileBytes("p.txt", "plain");
    WriteFileBytes("c.zk", "ZKCODE NLINE-ENCODE\n\xBE");
    std::filesystem::create_hard_link("p.txt", "hard.txt");
    std::filesystem::create_symlink("c.zk", "soft.zk");
    // A link names the same file as its target, which no comparison of names sees.
    const struct {
        const char* tool;
        std::vector<std::string> args;
    } cases[] = {
        {"zkencode", {}},
        {"zkencode", {"-n", "p.txt"}},
        {"zkencode", {"p.txt", "new.zk", "extra"}},
        {"zkencode", {"-x", "p.txt", "new.zk"}},
        {"zkencode", {"-n", "p.txt", "./hard.txt"}},
        {"zkdecode", {"c.zk"}},
        {"zkdecode", {"-n", "c.zk"}},
        {"zkdecode", {"c.zk", "soft.zk"}},
    };
    for (const auto& c : cases) {
        const auto run = RunTool(c.tool, c.args);
        std::string what = c.tool;
        for (const std::string& arg : c.args) what += " " + arg;
        EXPECT_EQ(run.exitStatus, 2) << what;
        EXPECT_EQ(run.out, "") << what;
        EXPECT_NE(run.err.find(std::string("usage: ") + c.tool), std::string::npos) << what;
    }
    EXPECT_EQ(ReadFileBytes("p.txt"), "plain");
    EXPECT_EQ(ReadFileBytes("c.zk"), "ZKCODE NLINE-ENCODE\n\xBE");
    EXPECT_FALSE(zktest::FileExists("new.zk"));
    EXPECT_FALSE(zktest::FileExists("new.txt"));
}
