#include "windows/SAVE_LOAD_WINDOW_DATA.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/text/SjisText.h"
#include "windows/SaveLoadScreen.h"
#include "windows/WindowLog.h"

namespace {

constexpr const char* kInitializeTag = "SAVE_LOAD_WINDOW_DATA::Initialize";
constexpr const char8_t* kUnreadable = u8"指定ファイルはセーブファイルではないか、壊れています";
// The header line is read with at most 511 characters.
constexpr int kLineSize = 512;
constexpr int kSurfaceSave = 9;
constexpr int kSurfaceLoad = 10;
constexpr int kSEWindowOpen = 7;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One number at pos, or false with pos where the text stops being one.
bool ReadNumber(std::string_view line, std::size_t& pos, std::int32_t& value) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    std::size_t at = pos;
    const bool negative = at < line.size() && line[at] == '-';
    if (at < line.size() && (line[at] == '-' || line[at] == '+')) ++at;
    if (at >= line.size() || !IsDigit(line[at])) return false;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < line.size() && IsDigit(line[at]); ++at) {
        magnitude = std::min(magnitude * 10 + (line[at] - '0'), kLimit);
    }
    pos = at;
    value = static_cast<std::int32_t>(negative ? -magnitude : std::min(magnitude, kLimit - 1));
    return true;
}

}  // namespace

void SAVE_LOAD_WINDOW_DATA::Clear() {
    nInitFlg = 0;
    nDispFlg = 0;
    nSlideFlg = 0;
    nX = 0;
    nY = 0;
    fAngle = 0;
    for (SAVE_INFO_DATA& info : SaveInfo) info = {};
    nCursorId = 0;
    szStatusMsg[0] = '\0';
    bNotice_ = false;
    nSurfNo = -1;
    nSelectNo = 0;
    nCloseBtnState = 0;
    nKind = 0;
    pContext = nullptr;
}

std::int32_t SAVE_LOAD_WINDOW_DATA::Initialize(std::int32_t nKindIn,
                                               const GameContext* pContextIn) {
    if (pContextIn == nullptr || !pContextIn->IsComplete()) return 0;
    Clear();
    pContext = pContextIn;
    for (std::int32_t slot = 1; slot <= kSaveSlotCount; ++slot) ReadSaveInfo(slot, kInitializeTag);
    nKind = nKindIn;
    if (nKind != kKindSave && nKind != kKindLoad) return 0;
    nSurfNo = nKind == kKindSave ? kSurfaceSave : kSurfaceLoad;
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, nSurfNo, 1, 0xFFFFFFFFu) == 0) {
        WindowLogError(kInitializeTag, WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    const auto loadEffect = [&](int nIndex) {
        if (SELoad(pContext->pSnd, pContext->pSystem, nIndex, nullptr, *pContext->pShell) == 0) {
            platform::LogError(kInitializeTag, u8"SEのロードに失敗しました");
        }
    };
    if (nKind == kKindLoad) loadEffect(kSELoadSelect);
    loadEffect(kSEWindowOpen);
    nInitFlg = 1;
    return 1;
}

// Nothing is tested first: a cleared screen has no context and unloads nothing.
void SAVE_LOAD_WINDOW_DATA::Release() {
    if (pContext != nullptr) {
        if (nKind == kKindLoad) {
            SEUnload(pContext->pSnd, pContext->pSystem, kSELoadSelect, *pContext->pShell);
        }
        SEUnload(pContext->pSnd, pContext->pSystem, kSEWindowOpen, *pContext->pShell);
        if (nSurfNo >= 0) SurfaceUnload(pContext->pSprite, pContext->pSystem, nSurfNo);
    }
    Clear();
}

// A slot is used when its path names a regular file: a folder standing there is no
// save. A used slot whose first line cannot be read shows zeros.
bool SAVE_LOAD_WINDOW_DATA::ReadSaveInfo(std::int32_t nSlot, const char* szTag) {
    SAVE_INFO_DATA& info = SaveInfo[nSlot - 1];
    info = {};
    const std::string path = SaveSlotPath(nSlot);
    platform::Files& files = platform::service<platform::Files>();
    if (!files.isRegularFile(path)) return true;
    info.nExist = 1;
    std::FILE* file = nullptr;
    bool read = files.openRegularFile(path, std::numeric_limits<std::uint64_t>::max(), file) == 0;
    char line[kLineSize] = {};
    if (read) {
        if (std::fgets(line, kLineSize, file) == nullptr && std::feof(file) == 0) read = false;
        std::fclose(file);
    }
    if (!read) {
        platform::LogWarn(szTag, kUnreadable);
        return false;
    }
    ParseSaveHeader(line, info);
    return true;
}

void SAVE_LOAD_WINDOW_DATA::ParseSaveHeader(std::string_view line, SAVE_INFO_DATA& info) {
    std::int32_t* const numbers[] = {&info.nYear,   &info.nMonth,  &info.nDay,    &info.nHour,
                                     &info.nMinute, &info.nSecond, &info.nGameDay};
    std::size_t pos = 0;
    for (std::int32_t* number : numbers) {
        if (!ReadNumber(line, pos, *number)) return;
    }
}

// Every slot is read, even past one that cannot be: stopping there would show the
// later saves as empty slots, open to being overwritten unseen.
std::int32_t SAVE_LOAD_WINDOW_DATA::ReloadSaveInfo() {
    bool all = true;
    for (std::int32_t slot = 1; slot <= kSaveSlotCount; ++slot) {
        all = ReadSaveInfo(slot, "SAVE_LOAD_WINDOW_DATA::ReloadSaveInfo") && all;
    }
    return all ? 1 : 0;
}

void SAVE_LOAD_WINDOW_DATA::SetNotice(const char* szText) {
    SetStatus(szText);
    bNotice_ = true;
}

void SAVE_LOAD_WINDOW_DATA::SetStatus(const char* szText) {
    platform::SjisCopyTruncated(szStatusMsg, kStatusSize, szText != nullptr ? szText : "");
    bNotice_ = false;
}

void SAVE_LOAD_WINDOW_DATA::EmptyStatus() {
    if (!bNotice_) szStatusMsg[0] = '\0';
}
