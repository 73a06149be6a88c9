#include <string>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "platform/core/Log.h"
#include "script/ScriptLine.h"
#include "windows/SaveRowText.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::uint32_t kSlideStep = 100;
constexpr int kOverlayTexture = 0;
// Every message-window status a load grants.
constexpr std::int32_t kAllStatus = 65535;

bool IsSave(const SAVE_LOAD_WINDOW_DATA& window) {
    return window.nKind == SAVE_LOAD_WINDOW_DATA::kKindSave;
}

bool LoadOverlayTexture(const GAMEMAIN& game, const char* szTag) {
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) != 0) return true;
    platform::LogError(szTag, u8"呼び出したTextureLoadが失敗しました");
    return false;
}

}  // namespace

std::int32_t GAMEMAIN::SaveLoadSlide(const char* szTag, bool bOpen) {
    SAVE_LOAD_WINDOW_DATA& window = SaveLoadWindowData;
    const std::int32_t nResult =
        bOpen ? window.WindowOpen(kSlideStep) : window.WindowClose(kSlideStep);
    if (nResult != -1) return nResult;
    if (IsSave(window)) {
        platform::LogError(szTag, bOpen ? u8"セーブウィンドウのオープン処理でエラーが発生しました"
                                        : u8"セーブウィンドウのクローズ処理でエラーが発生しました");
    } else {
        platform::LogError(szTag, bOpen ? u8"ロードウィンドウのオープン処理でエラーが発生しました"
                                        : u8"ロードウィンドウのクローズ処理でエラーが発生しました");
    }
    return -1;
}

std::int32_t GAMEMAIN::SaveLoadStandby(const char* szTag, std::int32_t nX, std::int32_t nY,
                                       std::int32_t nLeft, std::int32_t nRight) {
    SAVE_LOAD_WINDOW_DATA& window = SaveLoadWindowData;
    const bool bSave = IsSave(window);
    const std::int32_t nResult = bSave ? window.SaveStandby(nX, nY, nLeft, nRight)
                                       : window.LoadStandby(nX, nY, nLeft, nRight);
    switch (nResult) {
        case STANDBY_NOT_INITIALIZED:
            platform::LogError(szTag, bSave ? u8"セーブ待機中にエラーが発生しました"
                                            : u8"ロード待機中にエラーが発生しました");
            return -1;
        case STANDBY_ACTED:
            return bSave ? SaveConfirmed(szTag) : LoadConfirmed(szTag);
        case STANDBY_CLOSE:
            return STANDBY_CLOSE;
        default:
            return 0;
    }
}

// A save that fails keeps the older slot: the player is told and may try again.
std::int32_t GAMEMAIN::SaveConfirmed(const char* szTag) {
    SAVE_LOAD_WINDOW_DATA& window = SaveLoadWindowData;
    const std::int32_t nSlot = window.nSelectNo;
    if (SaveIndependentData(static_cast<std::uint32_t>(nSlot)) == 0) {
        platform::LogError(szTag, u8"セーブ処理に失敗しました");
        window.SetNotice(SaveStatusText(SAVE_STATUS::SaveNotice, nSlot).c_str());
    } else if (window.ReloadSaveInfo() == 0) {
        platform::LogError(szTag, u8"セーブウィンドウの更新に失敗しました");
    }
    return 0;
}

// The slot is checked whole before anything fades or changes; a refused one leaves
// the game as it stands.
std::int32_t GAMEMAIN::LoadConfirmed(const char* szTag) {
    SAVE_LOAD_WINDOW_DATA& window = SaveLoadWindowData;
    const std::int32_t nSlot = window.nSelectNo;
    PendingLoad = ReadSlotImage(static_cast<std::uint32_t>(nSlot));
    if (!PendingLoad) {
        platform::LogError(szTag, u8"ロード処理に失敗しました");
        window.SetNotice(SaveStatusText(SAVE_STATUS::LoadNotice, nSlot).c_str());
        return 0;
    }
    ShowOverlay(0.0f);
    if (!LoadOverlayTexture(*this, szTag)) return -1;
    return STANDBY_ACTED;
}

std::int32_t GAMEMAIN::SaveLoadResume(const char* szTag) {
    if (SaveIntegratedData() == 0) {
        platform::LogError(szTag, u8"統合セーブデータのセーブ処理に失敗しました");
    }
    ApplySlotImage(*PendingLoad);
    PendingLoad.reset();
    MsgWndStatusChange(kAllStatus, 1);
    ScrFileData.CloseAndDelete();
    const bool bResumed =
        nMode == GAME_MODE_CLOTHES_SELECT ? ResumeClothesSelect(szTag) : ResumeScript(szTag);
    if (!bResumed) return -1;
    SaveLoadWindowData.Release();
    if (!LoadOverlayTexture(*this, szTag)) return -1;
    ShowOverlay(1.0f);
    return 1;
}

// The script is opened afresh and read up to the restored line with the
// interpreter's own line reader, so both count the same lines; opening keeps the
// restored line number and command slots.
bool GAMEMAIN::ResumeScript(const char* szTag) {
    const std::string name = ScrFileData.szFileName;
    const std::int32_t nLine = ScrFileData.nLine;
    if (ScrOpenResult(szTag, ScrFileLoad(name.c_str())) != 1) return false;
    nScrSkipEnableFlg = CheckAutoSkipFileList(name.c_str(), &nScrSkipLine) == 1 ? 1 : 0;
    if (!SkipScriptLines(ScrFileData.fp, nLine)) {
        platform::LogWarn(szTag, u8"再開位置がスクリプトの終端を越えています");
    }
    return true;
}

// The costume select comes back over the restored costumes and order map. It opens
// no script: the chosen costume's scenario reads its own read limit when it opens.
bool GAMEMAIN::ResumeClothesSelect(const char* szTag) {
    if (ClothesSelectData.Initialize(&Context, nClothesFlg) == 0) {
        platform::LogError(szTag, u8"衣装選択クラスの初期化に失敗しました");
        return false;
    }
    return true;
}
