#include "game/SaveLoadSteps.h"

#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ModeLeaving.h"
#include "platform/core/Log.h"
#include "system/ClickState.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SaveRowText.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::uint32_t kSlideStep = 100;
constexpr const char8_t* kTextureLoadFailed = u8"呼び出したTextureLoadが失敗しました";

bool IsSave(const SAVE_LOAD_WINDOW_DATA& window) {
    return window.nKind == SAVE_LOAD_WINDOW_DATA::kKindSave;
}

}  // namespace

SaveLoadSteps::SaveLoadSteps(const char* szTag, const STEPS& steps, ModeHost& host)
    : szTag_(szTag), steps_(steps), host_(host), window_(host.SaveLoadWindowData()) {}

void SaveLoadSteps::Open(std::int32_t nKind) {
    window_.Initialize(nKind, &host_.Context());
    host_.SetProcStep(nKind == SAVE_LOAD_WINDOW_DATA::kKindSave ? steps_.nSaveOpen
                                                                : steps_.nLoadOpen);
}

std::int32_t SaveLoadSteps::SlideWindow(bool bOpen) {
    SAVE_LOAD_WINDOW_DATA& window = window_;
    const std::int32_t nResult =
        bOpen ? window.WindowOpen(kSlideStep) : window.WindowClose(kSlideStep);
    if (nResult != -1) return nResult;
    if (IsSave(window)) {
        platform::LogError(szTag_, bOpen
                                       ? u8"セーブウィンドウのオープン処理でエラーが発生しました"
                                       : u8"セーブウィンドウのクローズ処理でエラーが発生しました");
    } else {
        platform::LogError(szTag_, bOpen
                                       ? u8"ロードウィンドウのオープン処理でエラーが発生しました"
                                       : u8"ロードウィンドウのクローズ処理でエラーが発生しました");
    }
    return -1;
}

std::int32_t SaveLoadSteps::Slide(bool bOpen) {
    const std::int32_t nResult = SlideWindow(bOpen);
    if (nResult != 1) return nResult;
    if (bOpen) {
        host_.SetProcStep(host_.GetProcStep() + 1);
    } else {
        window_.Release();
        host_.SetProcStep(steps_.nBack);
    }
    return 1;
}

std::int32_t SaveLoadSteps::Standby() {
    SAVE_LOAD_WINDOW_DATA& window = window_;
    const POINTER_INPUT input = ReadPointerInput(*host_.Context().pSystem);
    const bool bSave = IsSave(window);
    const std::int32_t nResult =
        bSave ? window.SaveStandby(input.nX, input.nY, input.click, input.right)
              : window.LoadStandby(input.nX, input.nY, input.click, input.right);
    switch (nResult) {
        case STANDBY_NOT_INITIALIZED:
            platform::LogError(szTag_, bSave ? u8"セーブ待機中にエラーが発生しました"
                                             : u8"ロード待機中にエラーが発生しました");
            return -1;
        case STANDBY_ACTED:
            return bSave ? SaveConfirmed() : LoadConfirmed();
        case STANDBY_CLOSE:
            host_.SetProcStep(host_.GetProcStep() + 1);
            return STANDBY_CLOSE;
        default:
            return 0;
    }
}

// A save that fails keeps the older slot: the player is told and may try again.
std::int32_t SaveLoadSteps::SaveConfirmed() {
    SAVE_LOAD_WINDOW_DATA& window = window_;
    const std::int32_t nSlot = window.nSelectNo;
    if (host_.SaveIndependentData(static_cast<std::uint32_t>(nSlot)) == 0) {
        platform::LogError(szTag_, u8"セーブ処理に失敗しました");
        window.SetNotice(SaveStatusText(SAVE_STATUS::SaveNotice, nSlot).c_str());
    } else if (window.ReloadSaveInfo() == 0) {
        platform::LogError(szTag_, u8"セーブウィンドウの更新に失敗しました");
    }
    return 0;
}

// The slot is checked whole before anything fades or changes; a refused one leaves
// the game as it stands.
std::int32_t SaveLoadSteps::LoadConfirmed() {
    SAVE_LOAD_WINDOW_DATA& window = window_;
    const std::int32_t nSlot = window.nSelectNo;
    if (!host_.KeepPendingLoad(static_cast<std::uint32_t>(nSlot))) {
        platform::LogError(szTag_, u8"ロード処理に失敗しました");
        window.SetNotice(SaveStatusText(SAVE_STATUS::LoadNotice, nSlot).c_str());
        return 0;
    }
    host_.ShowOverlay(0.0f);
    if (!LoadOverlayTexture(host_, szTag_, kTextureLoadFailed)) return -1;
    host_.SetProcStep(steps_.nLoadFade);
    return STANDBY_ACTED;
}

std::int32_t SaveLoadSteps::Resume() {
    if (host_.SaveIntegratedData() == 0) {
        platform::LogError(szTag_, u8"統合セーブデータのセーブ処理に失敗しました");
    }
    if (!host_.ResumePendingLoad(szTag_)) return -1;
    window_.Release();
    if (!LoadOverlayTexture(host_, szTag_, kTextureLoadFailed)) return -1;
    host_.ShowOverlay(1.0f);
    return 1;
}
