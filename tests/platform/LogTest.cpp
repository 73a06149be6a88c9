#include <gtest/gtest.h>

#include <thread>

#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "support/Bytes.h"
#include "support/CaptureLogSink.h"

using namespace platform;

TEST(Log, WritesTheEngineLineForms) {
    CaptureLogSink sink;
    ScopedService<LogSink> scope(sink);

    LogError("ZKSYSTEM::RenameFile", u8"変更元ファイルが存在しません\n");
    LogWarn("ZKSYTEM::MakeDirectory", "no line feed");
    LogMessage("ZKSPRITE::Initialize", u8"%sを%d回 %u %04X%%\n", Utf8Arg("x"), -3, -1, 0xAB);
    LogError("ZKSYSTEM::RemoveFile", u8"ファイル %s が削除出来ません\n",
             GameArg(zktest::Sjis(u8"tmp/表.gpc")));
    LogPlain(LogChannel::Console, u8"Error: 該当ファイル無し\n");
    LogError("X::Y", "%s and %d", 5);  // a missing argument never reads past the list

    const std::vector<std::string> debug = {
        "Error: <ZKSYSTEM::RenameFile> 変更元ファイルが存在しません",
        "Warn: <ZKSYTEM::MakeDirectory> no line feed",
        "Message: <ZKSPRITE::Initialize> xを-3回 4294967295 00AB%",
        "Error: <ZKSYSTEM::RemoveFile> ファイル tmp/表.gpc が削除出来ません",
        "Error: <X::Y> 5 and (?)",
    };
    EXPECT_EQ(sink.debugLines(), debug);
    EXPECT_EQ(sink.consoleLines(), std::vector<std::string>{"Error: 該当ファイル無し"});
}

TEST(Log, ConversionsWidthsAndStrayPercents) {
    const struct {
        const char* text;
        LogArg arg;
        std::string line;
    } cases[] = {
        {"[%5d]", LogArg(42), "[   42]"},
        {"[%05d]", LogArg(-42), "[-0042]"},
        {"[%10d]", LogArg(7), "[         7]"},
        {"[%3u]", LogArg(7), "[  7]"},
        {"[%03u]", LogArg(7), "[007]"},
        {"[%u|%d]", LogArg(-1), "[4294967295|(?)]"},
        {"[%x]", LogArg(255), "[ff]"},
        {"[%08x]", LogArg(-1), "[ffffffff]"},
        {"[%4X]", LogArg(171), "[  AB]"},
        {"[%d]", Utf8Arg("text"), "[text]"},
        {"[%s]", LogArg(12), "[12]"},
        {"100%", LogArg(1), "100%"},
        {"%q%d", LogArg(1), "%q1"},
        {"%%d", LogArg(1), "%d"},
        {"at %12", LogArg(1), "at %12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatLogText(c.text, std::span(&c.arg, 1)), c.line) << c.text;
    }
}

TEST(Log, LinesFromManyThreadsStayWhole) {
    CaptureLogSink sink;
    ScopedService<LogSink> scope(sink);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 100; ++i) LogMessage("T::Run", "%d-%d", t, i);
        });
    }
    for (auto& thread : threads) thread.join();
    const auto lines = sink.debugLines();
    ASSERT_EQ(lines.size(), 400u);
    for (const auto& line : lines) EXPECT_EQ(line.rfind("Message: <T::Run> ", 0), 0u) << line;
}
