#include "game/GAMEMAIN.h"
#include "game/GameHost.h"
#include "platform/core/Log.h"

namespace {

constexpr std::int32_t kMaskSave = 1;
constexpr std::int32_t kMaskLoad = 2;
constexpr std::int32_t kMaskConfig = 4;
constexpr std::int32_t kMaskHelp = 8;
constexpr std::int32_t kMenuBits = kMaskSave | kMaskLoad | kMaskConfig | kMaskHelp;
// Mask bits 16 to 512 are the bar's bits 1 to 32, in the same order.
constexpr int kBarShift = 4;
constexpr std::int32_t kBarBits = 63;
constexpr std::int32_t kBarBackLog = 8;
constexpr std::int32_t kBarForward = 16;

}  // namespace

void GAMEMAIN::SetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                            std::uint32_t nAutoSkip) {
    nMsgSpeed = dwSpeed;
    MsgWindowData.nAutoFlg = nHandsFree;
    MsgWindowData.nSkipFlg = nAutoSkip;
}

std::int32_t GAMEMAIN::MsgBarMask(std::int32_t nMask, std::uint32_t nOn, bool bBackLogText,
                                  bool bBackLogBrowse) {
    std::int32_t bar = (nMask >> kBarShift) & kBarBits;
    if (nOn != 0 && !bBackLogText) bar &= ~kBarBackLog;
    if (nOn != 0 && !bBackLogBrowse) bar &= ~kBarForward;
    return bar;
}

void GAMEMAIN::MsgWndStatusChange(std::int32_t nMask, std::uint32_t nOn) {
    const std::uint32_t value = nOn != 0 ? 1 : 0;
    if ((nMask & kMaskSave) != 0) nSaveEnableFlg = value;
    if ((nMask & kMaskLoad) != 0) nLoadEnableFlg = value;
    if ((nMask & kMaskConfig) != 0) nConfigEnableFlg = value;
    if ((nMask & kMaskHelp) != 0) nHelpEnableFlg = value;
    MsgWindowButtons(nMask, nOn);
}

void GAMEMAIN::MsgWindowButtons(std::int32_t nMask, std::uint32_t nOn) {
    const std::int32_t bar = MsgBarMask(nMask, nOn, MsgWindowData.BackLog[0].szText[0] != '\0',
                                        MsgWindowData.nBackLogNo >= 0);
    if (nOn != 0) {
        MsgWindowData.ButtonEnable(bar);
    } else {
        MsgWindowData.ButtonDisable(bar);
    }
}

std::uint32_t GAMEMAIN::MenuMsgWndStatusChange(std::int32_t nMask, std::uint32_t nOn) {
    const int result = pHost->MenuStatusChange(nMask & kMenuBits, nOn);
    if (result == 0) {
        platform::LogError("GAMEMAIN::MenuMsgWndStatusChange", u8"メニューの設定に失敗しました");
    } else {
        MsgWindowButtons(nMask, nOn);
    }
    return static_cast<std::uint32_t>(result);
}
