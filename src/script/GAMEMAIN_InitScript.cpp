#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/text/Cp932.h"
#include "platform/text/SjisText.h"
#include "platform/window/MessageBox.h"
#include "script/ScriptLine.h"
#include "script/ScriptNumber.h"
#include "sound/ZKSND.h"
#include "system/DataName.h"
#include "system/FileDiv.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr const char* kInitFile = "Init.spt";
constexpr std::size_t kInitWords = 11;
// No game registers more of one kind; a larger count is refused, not allocated.
constexpr std::int32_t kMaxRows = 4096;

bool SameWord(std::string_view a, std::string_view b) {
    return platform::SjisEqualsIgnoreCase(a, b);
}

// Word i of a line, empty when the line has fewer words.
std::string_view Word(const SplitWords& words, std::size_t i) {
    return i < words.words.size() ? words.words[i].text : std::string_view();
}

std::string WordText(const SplitWords& words, std::size_t i) { return std::string(Word(words, i)); }

std::int32_t Number(const SplitWords& words, std::size_t i) { return ScriptNumber(Word(words, i)); }

// The kind of a #REG_DATA line counted in the first pass; kRegKindCount for others.
std::size_t RegKind(std::string_view word) {
    for (std::size_t k = 0; k < kRegKindCount; ++k) {
        if (SameWord(word, kRegKindWords[k])) return k;
    }
    return kRegKindCount;
}

std::string Cp932(std::u8string_view utf8) { return platform::utf8ToCp932(utf8).value_or(""); }

void ShowBox(std::u8string_view caption, const std::string& text) {
    platform::service<platform::MessageBox>().show(Cp932(caption), text);
}

void ShowLineBox(std::u8string_view caption, std::int32_t line, std::u8string_view text) {
    ShowBox(caption, std::to_string(line) + Cp932(text));
}

// The box for a start-up that reached no line whose own box would explain it.
void ShowInitFailureBox() {
    ShowBox(u8"Error", Cp932(u8"初期設定ファイル Init.spt を読み込めませんでした"));
}

struct InitFile {
    std::FILE* fp = nullptr;
    ZKSYSTEM* system = nullptr;
    ~InitFile() {
        if (fp == nullptr) return;
        std::fclose(fp);
        system->RemoveFile("tmp/", kInitFile, 0);
    }
};

// Extracts Init.spt into tmp/; the result of FileDiv folded to 1, 0 or -1, logged under tag.
std::int32_t ExtractInitFile(const char* tag) {
    const int result = FileDiv("dat/Scenario.dat", "tmp/", kInitFile);
    if (result == 1) return 1;
    if (result == -2) {
        platform::LogError(tag, u8"指定ファイルは非結合ファイルです");
    } else if (result == 0) {
        platform::LogError(tag, u8"取り出すファイルに該当ファイルが存在しません");
    } else {
        platform::LogError(tag, u8"呼び出したFileDivが失敗しました");
    }
    return result == 0 ? 0 : -1;
}

// Extracts and opens Init.spt for one pass: 1 when open, otherwise the pass's
// result after its log line (under tag) and the start-up box.
std::int32_t OpenInitFile(InitFile& file, ZKSYSTEM* system, const char* tag) {
    const std::int32_t extracted = ExtractInitFile(tag);
    if (extracted != 1) {
        ShowInitFailureBox();
        return extracted;
    }
    char path[ZKSYSTEM::kPathSize] = {};
    system->MakeTmpPath(kInitFile, path);
    file.system = system;
    file.fp = std::fopen(path, "rb");
    if (file.fp != nullptr) return 1;
    platform::LogError(tag, u8"初期設定ファイルのオープンに失敗しました");
    ShowInitFailureBox();
    return 0;
}

// A read failure ends a pass: its log line and the start-up box; 0 to return.
std::int32_t InitReadFailed(const char* tag) {
    platform::LogError(tag, u8"CodeFileReadOneLineでエラーが発生しました");
    ShowInitFailureBox();
    return 0;
}

}  // namespace

namespace {

std::int32_t InitScrRegFile(GAMEMAIN& game, const SplitWords& words, REG_KIND nKind) {
    static constexpr const char* kTag = "GAMEMAIN::InitScrExe";
    static constexpr const char8_t* kNotFound[] = {
        u8"[#REG_DATA] TEX登録データ内に同名ファイルパスが見つかりません",
        u8"[#REG_DATA] SURF登録データ内に同名ファイルパスが見つかりません",
        u8"[#REG_DATA] WAVE登録データ内に同名ファイルパスが見つかりません"};
    static constexpr const char8_t* kNoRoom[] = {
        u8"[#REG_DATA] テクスチャを登録する空領域が見つかりません",
        u8"[#REG_DATA] サーフェスを登録する空領域が見つかりません",
        u8"[#REG_DATA] WAVEを登録する空領域が見つかりません"};
    const std::string path = WordText(words, 3);
    if (path.size() >= GRAPHIC_FILE_DATA::kPathSize) {
        platform::LogError(kTag, u8"[#REG_DATA] パスが259バイトを超えています");
        return -1;
    }
    // An empty path would match a slot that holds no file.
    std::int32_t slot = -1;
    if (!path.empty() && nKind == REG_TEX) slot = game.pSprite->SearchTexture(path.c_str());
    if (!path.empty() && nKind == REG_SURF) slot = game.pSprite->SearchSurface(path.c_str());
    for (std::uint32_t i = 0; !path.empty() && nKind == REG_WAVE && i < game.pSnd->DAGetDataNum();
         ++i) {
        char name[ZKSYSTEM::kPathSize] = {};
        game.pSnd->DAGetWAVEPath(static_cast<int>(i), name, sizeof name);
        if (SameWord(name, path)) {
            slot = static_cast<std::int32_t>(i);
            break;
        }
    }
    if (slot < 0) {
        platform::LogWarn(kTag, kNotFound[nKind]);
        return 1;
    }
    const std::int32_t counts[] = {game.nTextureNum, game.nSurfaceNum, game.nWaveNum};
    for (std::int32_t i = 0; i < counts[nKind]; ++i) {
        GRAPHIC_FILE_DATA& row = game.FileTable(nKind)[i];
        if (row.szName[0] != '\0') continue;
        platform::SjisCopyTruncated(row.szName, GRAPHIC_FILE_DATA::kNameSize, Word(words, 1));
        platform::SjisCopyTruncated(row.szFilePath, GRAPHIC_FILE_DATA::kPathSize, path);
        row.nIndex = slot;
        if (nKind != REG_WAVE) row.dwFlag = SameWord(path, "FALSE") ? 0 : 1;
        return 0;
    }
    platform::LogWarn(kTag, kNoRoom[nKind]);
    return 1;
}

std::int32_t InitScrRegClothes(GAMEMAIN& game, const SplitWords& words) {
    static constexpr const char* kTag = "GAMEMAIN::InitScrExe";
    const std::int32_t n = Number(words, 1);
    const std::int32_t parts = Number(words, 3);
    const std::int32_t face = Number(words, 4);
    const std::string_view scenario = Word(words, 6);
    if (n < 1 || n > CLT_SLC_DATA::kClothesCount) {
        platform::LogError(kTag, u8"[#REG_DATA] 衣装ナンバーが不正です");
        return -1;
    }
    if (face < 1 || face > 3) {
        platform::LogError(kTag, u8"[#REG_DATA] 衣装の顔ナンバーが不正です");
        return -1;
    }
    if (parts < 0 || parts > 29) {
        platform::LogError(kTag, u8"[#REG_DATA] 衣装のフラグナンバーが不正です");
        return -1;
    }
    if (!IsDataName(scenario)) {
        platform::LogError(kTag, u8"[#REG_DATA] 衣装のスクリプトパスが不正です");
        return -1;
    }
    CLOTHES_DATA& clothes = game.ClothesSelectData.ClothesData[n - 1];
    clothes.nPartsNum = static_cast<std::uint32_t>(parts);
    clothes.nFace = static_cast<std::uint32_t>(face - 1);
    platform::SjisCopyTruncated(clothes.szDescription, CLOTHES_DATA::kDescriptionSize,
                                Word(words, 5));
    platform::SjisCopyTruncated(clothes.szScenario, CLOTHES_DATA::kScenarioSize, scenario);
    return 0;
}

std::int32_t InitScrRegData(GAMEMAIN& game, const SplitWords& words) {
    static constexpr const char* kTag = "GAMEMAIN::InitScrExe";
    const std::string_view kindWord = Word(words, 2);
    if (SameWord(kindWord, "CLOTHES")) return InitScrRegClothes(game, words);
    const std::size_t kind = RegKind(kindWord);
    if (kind == kRegKindCount) return 1;
    // IDs and paths go into fixed buffers whole or not at all.
    if (Word(words, 1).size() >= GRAPHIC_FILE_DATA::kNameSize) {
        platform::LogError(kTag, u8"[#REG_DATA] IDが99バイトを超えています");
        return -1;
    }
    if (kind <= REG_WAVE) return InitScrRegFile(game, words, static_cast<REG_KIND>(kind));
    if (kind == REG_VAR) {
        for (std::int32_t i = 0; i < game.nVarNum; ++i) {
            VAR_DATA& row = game.pVarData[i];
            if (row.szName[0] != '\0') continue;
            platform::SjisCopyTruncated(row.szName, VAR_DATA::kNameSize, Word(words, 1));
            row.nValue = Number(words, 3);
            return 0;
        }
        platform::LogWarn(kTag, u8"[#REG_DATA] 変数を登録する空領域が見つかりません");
        return 1;
    }
    for (std::int32_t i = 0; i < game.nCharNum; ++i) {
        ZKCHAR& chara = game.pCharData[i];
        if (chara.szID[0] != '\0') continue;
        if (chara.CreateCharData(game.pSprite, game.pSnd, game.pSystem, WordText(words, 1).c_str(),
                                 Number(words, 3), Number(words, 4)) == 0) {
            platform::LogError(kTag,
                               u8"[#REG_DATA] 呼び出したZKCHARA::CreateCharDataが失敗しました");
            return -1;
        }
        return 0;
    }
    return 1;
}

ZKCHAR* InitScrFindChara(GAMEMAIN& game, const SplitWords& words, const char* szLabel) {
    std::int32_t index = -1;
    if (game.IDSerch(WordText(words, 1).c_str(), REG_CHAR, &index) == 0) {
        platform::LogError("GAMEMAIN::InitScrExe", u8"%s 同名キャラIDが見つかりませんでした",
                           platform::Utf8Arg(szLabel));
        return nullptr;
    }
    return &game.pCharData[index];
}

std::int32_t InitScrCharaPicture(GAMEMAIN& game, const SplitWords& words, bool bFace) {
    static constexpr const char* kTag = "GAMEMAIN::InitScrExe";
    const char* label = bFace ? "[#CHARA_SET_FACE]" : "[#CHARA_SET_BODY]";
    ZKCHAR* chara = InitScrFindChara(game, words, label);
    if (chara == nullptr) return -1;
    const std::string surfaceID = WordText(words, 3);
    const GRAPHIC_FILE_DATA* surface = game.FindFileRow(surfaceID.c_str(), REG_SURF);
    const GRAPHIC_FILE_DATA* texture =
        surface != nullptr ? game.FindFileRow(WordText(words, 4).c_str(), REG_TEX) : nullptr;
    if (texture == nullptr) {
        platform::LogError(kTag,
                           bFace ? u8"%s 顔と同名IDが見つかりませんでした"
                                 : u8"%s 体と同名IDが見つかりませんでした",
                           platform::Utf8Arg(label));
        return -1;
    }
    const std::int32_t n = ScriptSum(Number(words, 2), -1);
    const std::int32_t surfaceSlot = surface->nIndex;
    const std::int32_t textureSlot = texture->nIndex;
    int set = 0;
    if (bFace) {
        const std::string_view pattern = Word(words, 9);
        const std::int32_t type = SameWord(pattern, "LOOP")         ? 0
                                  : SameWord(pattern, "REPETITION") ? 1
                                                                    : -1;
        if (type < 0) {
            platform::LogError(kTag, u8"定義されていないアニメーションパターンです");
            return -1;
        }
        const std::int32_t eyes = Number(words, 7);
        set = chara->SetFaceData(n, Number(words, 5), Number(words, 6), surfaceID.c_str(),
                                 surfaceSlot, textureSlot, eyes < 1 ? -1 : eyes,
                                 eyes < 1 ? 0 : Number(words, 8), type);
    } else {
        set = chara->SetBodyData(n, Number(words, 5), Number(words, 6), Number(words, 7),
                                 Number(words, 8), surfaceID.c_str(), surfaceSlot, textureSlot);
    }
    if (set == 0) {
        platform::LogError(kTag, u8"%s 設定に失敗しました", platform::Utf8Arg(label));
        return -1;
    }
    return 0;
}

std::int32_t InitScrCharaEye(GAMEMAIN& game, const SplitWords& words) {
    ZKCHAR* chara = InitScrFindChara(game, words, "[#CHARA_SET_EYE]");
    if (chara == nullptr) return -1;
    const std::int32_t x = Number(words, 4);
    const platform::Rect rect{x, 0, ScriptSum(x, Number(words, 5)), Number(words, 6)};
    if (chara->SetEyeData(ScriptSum(Number(words, 2), -1), ScriptSum(Number(words, 3), -1), &rect,
                          static_cast<std::uint32_t>(Number(words, 7))) == 0) {
        platform::LogError("GAMEMAIN::InitScrExe", u8"[#CHARA_SET_EYE] 設定に失敗しました");
        return -1;
    }
    return 0;
}

}  // namespace

void GAMEMAIN::ClearScriptTables() {
    pTextureData.reset();
    pSurfaceData.reset();
    pWaveData.reset();
    pVarData.reset();
    pCharData.reset();
    nTextureNum = nSurfaceNum = nWaveNum = nVarNum = nCharNum = 0;
}

std::int32_t GAMEMAIN::InitScrObjCount() {
    static constexpr const char* kTag = "GAMEMAIN::InitScrObjCount";
    InitFile file;
    const std::int32_t opened = OpenInitFile(file, pSystem, kTag);
    if (opened != 1) return opened;
    ClearScriptTables();
    std::int32_t counts[kRegKindCount] = {};
    std::int32_t lineNo = 0;
    ScriptLine line;
    for (;;) {
        ReadScriptLine(file.fp, kInitWords, line);
        if (line.kind == SCRIPT_LINE_KIND::EndOfFile) break;
        if (line.kind == SCRIPT_LINE_KIND::ReadError) return InitReadFailed(kTag);
        ++lineNo;
        if (line.kind == SCRIPT_LINE_KIND::TooLong) {
            platform::LogError(kTag, u8"行が510バイトを超えています");
            ShowLineBox(u8"Error", lineNo, u8"行目でエラーが発生しました");
            return 0;
        }
        if (line.kind != SCRIPT_LINE_KIND::Words || !SameWord(Word(line.words, 0), "#REG_DATA")) {
            continue;
        }
        const std::size_t kind = RegKind(Word(line.words, 2));
        if (kind < kRegKindCount && counts[kind] <= kMaxRows) ++counts[kind];
    }
    platform::LogMessage(kTag, u8"INITファイルの終端です");
    for (const std::int32_t count : counts) {
        if (count > kMaxRows) {
            platform::LogError(kTag, u8"登録数が上限4096を超えています");
            ShowInitFailureBox();
            return 0;
        }
    }
    const auto rows = [&](std::size_t kind) { return static_cast<std::size_t>(counts[kind]); };
    if (counts[REG_TEX] > 0) pTextureData = std::make_unique<GRAPHIC_FILE_DATA[]>(rows(REG_TEX));
    if (counts[REG_SURF] > 0) pSurfaceData = std::make_unique<GRAPHIC_FILE_DATA[]>(rows(REG_SURF));
    if (counts[REG_WAVE] > 0) pWaveData = std::make_unique<GRAPHIC_FILE_DATA[]>(rows(REG_WAVE));
    if (counts[REG_VAR] > 0) pVarData = std::make_unique<VAR_DATA[]>(rows(REG_VAR));
    if (counts[REG_CHAR] > 0) pCharData = std::make_unique<ZKCHAR[]>(rows(REG_CHAR));
    nTextureNum = counts[REG_TEX];
    nSurfaceNum = counts[REG_SURF];
    nWaveNum = counts[REG_WAVE];
    nVarNum = counts[REG_VAR];
    nCharNum = counts[REG_CHAR];
    platform::LogMessage(kTag, u8"TEX:%d SURF:%d WAVE:%d 変数:%d Character:%d を確保しました",
                         nTextureNum, nSurfaceNum, nWaveNum, nVarNum, nCharNum);
    return 1;
}

std::int32_t GAMEMAIN::InitScrMain() {
    static constexpr const char* kTag = "GAMEMAIN::InitScrMain";
    if (!IsInitialized(kTag)) return 0;
    const std::int32_t counted = InitScrObjCount();
    if (counted != 1) {
        platform::LogError(kTag, u8"呼び出したGAMEMAIN::InitScrObjCountが失敗しました");
        return counted;
    }
    InitFile file;
    const std::int32_t opened = OpenInitFile(file, pSystem, kTag);
    if (opened != 1) return opened;
    std::int32_t lineNo = 0;
    ScriptLine line;
    for (;;) {
        ReadScriptLine(file.fp, 1, line);
        if (line.kind == SCRIPT_LINE_KIND::EndOfFile) {
            if (line.unterminatedTail) {
                platform::LogWarn(kTag, u8"最終行に改行がないため実行されません");
            }
            break;
        }
        if (line.kind == SCRIPT_LINE_KIND::ReadError) return InitReadFailed(kTag);
        ++lineNo;
        if (line.kind == SCRIPT_LINE_KIND::Header) {
            if (line.headerHidesCommand) {
                platform::LogWarn(kTag, u8"1行目はヘッダーと同じ行にあるため実行されません");
            }
            continue;
        }
        const std::int32_t result =
            line.kind == SCRIPT_LINE_KIND::TooLong ? -1 : InitScrExe(line.text);
        if (result == -1) {
            ShowLineBox(u8"Error", lineNo, u8"行目でエラーが発生しました");
            platform::LogError(kTag, u8"呼び出したGAMEMAIN::InitScrExeが失敗しました");
            return 0;
        }
        if (result == 1) {
            ShowLineBox(u8"Warning", lineNo, u8"行目で警告が発生しました");
            platform::LogWarn(kTag, u8"呼び出したGAMEMAIN::InitScrExeで警告を発しています");
        }
    }
    platform::LogMessage(kTag, u8"INITファイルの終端です");
    if (IDSerch("DAY", REG_VAR, &nDayVarIndex) == 0) {
        platform::LogWarn(kTag, u8"日付変数が見つかりませんでした");
    }
    return 1;
}

std::int32_t GAMEMAIN::InitScrExe(const char* szLine) {
    const SplitWords words =
        SplitLine(szLine != nullptr ? szLine : "", kInitWords, ScriptLine::kRawSize);
    const std::string_view command = Word(words, 0);
    if (command.empty() || command.starts_with("//")) return 0;
    if (SameWord(command, "#REG_DATA")) return InitScrRegData(*this, words);
    if (SameWord(command, "#CHARA_SET_BODY")) return InitScrCharaPicture(*this, words, false);
    if (SameWord(command, "#CHARA_SET_FACE")) return InitScrCharaPicture(*this, words, true);
    if (SameWord(command, "#CHARA_SET_EYE")) return InitScrCharaEye(*this, words);
    platform::LogWarn("GAMEMAIN::InitScrExe", u8"定義されていない命令です");
    return 1;
}
