#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/ScrCmdWords.h"
#include "script/ScriptCommands.h"
#include "support/ScriptKit.h"

namespace {

using Lines = std::vector<std::string>;

// A word is found in any letter case and given back in the table's spelling; a
// near miss, a prefix or the empty word is none of the 68.
TEST(ScrCmdWords, FindsTheTablesSpellingInAnyLetterCase) {
    // Each word finds itself first (no two differ only in letter case) and has its
    // handler.
    for (const char* szWord : ScrCmdWords) {
        EXPECT_EQ(FindScrCmdWord(szWord), szWord) << szWord;
        EXPECT_NE(FindScrProc(szWord), nullptr) << szWord;
    }
    const struct {
        const char* word;
        const char* found;
    } cases[] = {{"#msgdisp", "#MsgDisp"},     {"#LOADDATA", "#LoadData"},
                 {"#StopVoice", "#StopVoice"}, {"#SelectWait", "#SelectWait"},
                 {"#MsgDis", nullptr},         {"#MsgDispX", nullptr},
                 {"MsgDisp", nullptr},         {"", nullptr}};
    for (const auto& c : cases) {
        const char* found = FindScrCmdWord(c.word);
        EXPECT_EQ(found == nullptr ? std::string("(none)") : std::string(found),
                  c.found == nullptr ? std::string("(none)") : std::string(c.found))
            << c.word;
        EXPECT_EQ(IsScrCommandWord(c.word), c.found != nullptr) << c.word;
    }
}

// Each block end built today is dispatched from the command table in any letter
// case: it frees its slot without a line, and the script reads on to its end.
TEST(ScriptCommands, EveryBlockEndRunsFromTheTableAndFreesItsSlot) {
    for (const char8_t* word :
         {u8"#SELECTEND 1", u8"#endif 2", u8"#love_jadge_end 3", u8"#RandomEnd 4"}) {
        zktest::ScriptKit k;
        ASSERT_TRUE(k.OpenScript({u8"// header", word}));
        EXPECT_EQ(k.game->ScrMain(), 0);
        EXPECT_EQ(k.game->ScrMain(), 0);
        for (const SCR_CMD_DATA& slot : k.game->ScrFileData.Cmd) EXPECT_TRUE(slot.IsFree());
        EXPECT_EQ(k.lines(), Lines{}) << reinterpret_cast<const char*>(word);
    }
}

// A word written in another letter case is the table's word: its handler runs and
// the dispatch is seen under the table's spelling.
TEST(ScriptCommands, AWordInAnotherCaseRunsAsTheTablesWord) {
    zktest::ScriptKit k;
    std::vector<std::string> seen;
    k.game->SetScrObserver([&](const char* szWord) { seen.emplace_back(szWord); });
    ASSERT_TRUE(k.OpenScript({u8"// header", u8"#mosaicEnd a b"}));
    k.game->nMosaicDispFlg = 1;
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_EQ(k.lines(), Lines{});
    EXPECT_EQ(seen, Lines{"#MosaicEnd"});
    EXPECT_EQ(k.game->nMosaicDispFlg, 0);
}

}  // namespace
