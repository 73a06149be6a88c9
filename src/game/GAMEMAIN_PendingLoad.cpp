#include <string>

#include "game/GAMEMAIN.h"
#include "platform/core/Log.h"
#include "script/ScriptLine.h"

namespace {

// Every message-window status a load grants.
constexpr std::int32_t kAllStatus = 65535;

// The script is opened afresh and read up to the restored line with the
// interpreter's own line reader, so both count the same lines; opening keeps the
// restored line number and command slots.
bool ResumeScript(GAMEMAIN& game, const char* szTag) {
    const std::string name = game.ScrFileData.szFileName;
    const std::int32_t nLine = game.ScrFileData.nLine;
    if (game.ScrOpenResult(szTag, game.ScrFileLoad(name.c_str())) != 1) return false;
    game.nScrSkipEnableFlg =
        game.CheckAutoSkipFileList(name.c_str(), &game.nScrSkipLine) == 1 ? 1 : 0;
    if (!SkipScriptLines(game.ScrFileData.fp, nLine)) {
        platform::LogWarn(szTag, u8"再開位置がスクリプトの終端を越えています");
    }
    return true;
}

// The costume select comes back over the restored costumes and order map. It opens
// no script: the chosen costume's scenario reads its own read limit when it opens.
bool ResumeClothesSelect(GAMEMAIN& game, const char* szTag) {
    if (game.ClothesSelectData.Initialize(&game.Context, game.nClothesFlg) == 0) {
        platform::LogError(szTag, u8"衣装選択クラスの初期化に失敗しました");
        return false;
    }
    return true;
}

}  // namespace

bool ModeHost::KeepPendingLoad(std::uint32_t nSlot) {
    game_.PendingLoad = game_.ReadSlotImage(nSlot);
    return game_.PendingLoad.has_value();
}

bool ModeHost::ResumePendingLoad(const char* szTag) {
    GAMEMAIN& game = game_;
    game.ApplySlotImage(*game.PendingLoad);
    game.PendingLoad.reset();
    game.MsgWndStatusChange(kAllStatus, 1);
    game.ScrFileData.CloseAndDelete();
    return game.nMode == GAME_MODE_CLOTHES_SELECT ? ResumeClothesSelect(game, szTag)
                                                  : ResumeScript(game, szTag);
}
