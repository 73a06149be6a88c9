#include <cstring>
#include <string>
#include <string_view>

#include "game/GAMEMAIN.h"
#include "game/SaveFileIO.h"
#include "game/SystemSaveFile.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"

namespace {

constexpr const char* kSavePath = "sav/sav00.sav";
constexpr const char* kBackupPath = "sav/sav00.sav.bak";

// The longest file the game can write (512 names of 259 bytes) is under 140 KiB.
constexpr std::uint64_t kMaxSaveBytes = 1024 * 1024;

bool SameName(std::string_view a, std::string_view b) {
    return platform::SjisEqualsIgnoreCase(a, b);
}

}  // namespace

SystemSaveValues GAMEMAIN::SaveValues() {
    return SystemSaveValues{dwCGFlg, dwReplayFlg, nGameClearFlg, nClothesFlg, AutoSkipFileData};
}

std::uint32_t GAMEMAIN::AddAutoSkipFileList(const char* szName, std::int32_t nPos) {
    // A name the reader would drop, or that fills no record, is never stored.
    const std::string_view name = szName != nullptr ? szName : "";
    if (name.empty() || name.size() >= AUTO_SKIP_FILE_DATA::kNameSize) {
        platform::LogWarn("GAMEMAIN::AddAutoSkipFileList", u8"ファイル名が不正です");
        return 0;
    }
    // Every negative position means read to the end; only -1 is kept in the file.
    const std::int32_t position = nPos < 0 ? -1 : nPos;
    for (AUTO_SKIP_FILE_DATA& entry : AutoSkipFileData) {
        if (SameName(entry.szFileName, name)) {
            if (entry.nPosition >= 0 && (position < 0 || position > entry.nPosition)) {
                entry.nPosition = position;
            }
            return 1;
        }
        if (entry.szFileName[0] == '\0') {
            platform::SjisCopyTruncated(entry.szFileName, sizeof entry.szFileName, name);
            entry.nPosition = position;
            return 1;
        }
    }
    platform::LogWarn("GAMEMAIN::AddAutoSkipFileList",
                      u8"バッファオーバーでオートスキップファイルリストに加えられませんでした");
    return 0;
}

std::int32_t GAMEMAIN::CheckAutoSkipFileList(const char* szName, std::int32_t* pnPos) {
    if (szName == nullptr) {
        platform::LogError("GAMEMAIN::CheckAutoSkipFileList", u8"引数として不正な値が渡されました");
        return -1;
    }
    for (const AUTO_SKIP_FILE_DATA& entry : AutoSkipFileData) {
        const std::string_view stored = entry.szFileName;
        const std::string_view word = stored.substr(0, stored.find(' '));
        if (word.empty()) return 0;
        if (SameName(word, szName)) {
            if (pnPos != nullptr) *pnPos = entry.nPosition;
            return 1;
        }
    }
    return 0;
}

std::int32_t GAMEMAIN::SaveIntegratedData() {
    // Before the boot has read the file, defaults must not replace it.
    if (nIntegratedState == INTEGRATED_STATE::NotRead) return 1;
    if (nIntegratedState == INTEGRATED_STATE::Withheld) {
        platform::LogError("GAMEMAIN::SaveIntegratedData",
                           u8"起動時に読み込めなかったため sav/sav00.sav には書き込みません");
        return 0;
    }
    if (ScrFileData.szFileName[0] != '\0') {
        AddAutoSkipFileList(ScrFileData.szFileName, ScrFileData.nLine);
    }
    std::string error;
    if (!WriteSaveFile(kSavePath, WriteSystemSave(SaveValues()), error)) {
        platform::LogError(
            "GAMEMAIN::SaveIntegratedData",
            u8"sav/sav00.sav の書き込みに失敗しました (%s)。以前のファイルはそのままです",
            platform::Utf8Arg(error));
        return 0;
    }
    return 1;
}

void GAMEMAIN::LoadIntegratedData() {
    std::string bytes;
    int error = 0;
    const SaveReadResult read = ReadSaveFile(kSavePath, kMaxSaveBytes, bytes, error);
    if (read == SaveReadResult::Unreadable) {
        platform::LogError("GAMEMAIN::LoadIntegratedData",
                           u8"sav/sav00.sav を読み込めません (%s)。今回は書き込みません",
                           platform::Utf8Arg(std::strerror(error)));
        nIntegratedState = INTEGRATED_STATE::Withheld;
        return;
    }
    nIntegratedState = INTEGRATED_STATE::Loaded;
    if (read == SaveReadResult::Missing) {
        for (std::uint32_t& word : dwCGFlg) word = 0;
        for (std::uint32_t& word : dwReplayFlg) word = 0;
        nGameClearFlg = 0;
        for (std::int32_t& flag : nClothesFlg) flag = 0;
        for (AUTO_SKIP_FILE_DATA& entry : AutoSkipFileData) entry.Clear();
        return;
    }
    const SystemSaveDamage damage = ReadSystemSave(bytes, SaveValues());
    if (damage.count == 0) return;
    const std::u8string_view what = damage.firstWhat;
    platform::LogError("GAMEMAIN::LoadIntegratedData",
                       u8"sav/sav00.sav が壊れています (%d件、最初は%d行目: %s)。"
                       u8"元のファイルを sav/sav00.sav.bak に保存しました",
                       damage.count, damage.firstLine,
                       platform::Utf8Arg(std::string_view(
                           reinterpret_cast<const char*>(what.data()), what.size())));
    std::string backupError;
    if (!WriteSaveFile(kBackupPath, bytes, backupError)) {
        platform::LogError("GAMEMAIN::LoadIntegratedData",
                           u8"壊れた sav/sav00.sav を保存できません。今回は書き込みません");
        nIntegratedState = INTEGRATED_STATE::Withheld;
    }
}
