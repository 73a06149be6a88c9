#include "game/GAMEMAIN.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/text/SjisText.h"
#include "platform/video/DisplayStatus.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr const char* kSaveFolder = "sav/";
constexpr const char* kTmpFolder = "tmp/";
constexpr const char* kTmpFolderName = "tmp";

// The line each IDSerch kind gives when no row matches.
constexpr const char8_t* kNoMatchText[] = {
    u8"テクスチャデータのIDと照合しませんでした", u8"サーフェスデータのIDと照合しませんでした",
    u8"WAVEデータのIDと照合しませんでした", u8"変数データのIDと照合しませんでした",
    u8"キャラデータのIDと照合しませんでした"};

bool IsKnownMode(std::int32_t nModeIn) {
    return nModeIn >= GAME_MODE_BOOT && nModeIn <= GAME_MODE_STAFFROLL;
}

void FreeWipeData(GAMEMAIN& game) {
    game.ClippingData.Free();
    game.prcMosaic.reset();
    game.pdwMosaicColor.reset();
    game.nMosaicCellNum = 0;
    game.dwMosaicSize = 0;
    game.nMosaicDispFlg = 0;
    game.nMosaicChangeFlg = 0;
}

void ReleaseSounds(GAMEMAIN& game) {
    const ShellWords& shell = *game.pShell;
    if (shell.soundAvailable == 0) return;
    for (std::uint32_t i = 2; i < game.pSnd->DAGetDataNum(); ++i) {
        SEStop(static_cast<int>(i), game.pSnd, game.pSystem, shell);
        SEUnload(game.pSnd, game.pSystem, static_cast<int>(i), shell);
    }
    VoiceStop(game.pSnd, shell);
    VoiceUnload(game.pSnd, game.pSystem, shell);
    BGMStop(1, game.pSnd, game.pSystem, shell);
    BGMUnload(game.pSnd, game.pSystem, shell);
}

}  // namespace

const GAMEMAIN::MODE_ENTRY GAMEMAIN::ModeTable[kModeCount] = {
    {u8"", nullptr, nullptr},
    {u8"GAMEMAIN::LogoProcが失敗しました", &GAMEMAIN::LogoProc, &GAMEMAIN::LogoDrawProc},
    {u8"GAMEMAIN::DemoProcが失敗しました", &GAMEMAIN::DemoProc, &GAMEMAIN::DemoDrawProc},
    {u8"GAMEMAIN::TitleProcが失敗しました", &GAMEMAIN::TitleProc, &GAMEMAIN::TitleDrawProc},
    {u8"GAMEMAIN::SpecialProcが失敗しました", &GAMEMAIN::SpecialProc, &GAMEMAIN::SpecialDrawProc},
    {u8"GAMEMAIN::CGModeProcが失敗しました", &GAMEMAIN::CGModeProc, &GAMEMAIN::CGModeDrawProc},
    {u8"GAMEMAIN::RecurdoMainProcが失敗しました", &GAMEMAIN::RecurdoMainProc,
     &GAMEMAIN::RecurdoDrawProc},
    {u8"GAMEMAIN::HintModeMainProcが失敗しました", &GAMEMAIN::HintModeMainProc,
     &GAMEMAIN::HintModeDrawProc},
    {u8"GAMEMAIN::BGMModeMainProcが失敗しました", &GAMEMAIN::BGMModeMainProc,
     &GAMEMAIN::BGMModeDrawProc},
    {u8"GAMEMAIN::ADVMainProcが失敗しました", &GAMEMAIN::ADVMainProc, &GAMEMAIN::ADVDrawProc},
    {u8"GAMEMAIN::ClothesSelectProcが失敗しました", &GAMEMAIN::ClothesSelectProc,
     &GAMEMAIN::ClothesSelectDrawProc},
    {u8"GAMEMAIN::DressRoomMainProcが失敗しました", &GAMEMAIN::DressRoomMainProc,
     &GAMEMAIN::DressRoomDrawProc},
    {u8"GAMEMAIN::StaffroomMainProcが失敗しました", &GAMEMAIN::StaffrollMainProc,
     &GAMEMAIN::StaffrollDrawProc},
};

GAMEMAIN::GAMEMAIN() { Clear(); }

void GAMEMAIN::SetShell(ShellWords& shell, GameHost& host) {
    pShell = &shell;
    pHost = &host;
}

void GAMEMAIN::Clear() {
    dwNowTime = 0;
    ClearScriptTables();
    for (LOAD_DATA& slot : SURF_LOAD_DATA) slot = LOAD_DATA{};
    for (LOAD_DATA& slot : TEX_LOAD_DATA) slot = LOAD_DATA{};
    for (LOAD_DATA& slot : WAVE_LOAD_DATA) slot = LOAD_DATA{};
    // The background layers give back their slots before they are emptied.
    BGGraphData1.Release();
    BGGraphData2.Release();
    BGGraphData1.Initialize(pSprite, pSystem);
    BGGraphData2.Initialize(pSprite, pSystem);
    FadeGraphData.Initialize(pSprite, pSystem);
    PRIM1.Reset();
    PRIM2.Reset();
    FreeWipeData(*this);
    nProcStep = 0;
    dwProcStartTime = 0;
    ScrFileData.Release();
    MsgWindowData.Release();
    SelectWindowData.Release();
    DayWindowData.Release();
    SaveLoadWindowData.Release();
    ConfigData.Release();
    TitleData.Clear();
    PendingLoad.reset();
    nMsgWndDispFlg = 0;
    nDayVarIndex = 0;
    for (std::uint32_t& word : dwMsgTextWork) word = 0;
    nMsgVoiceFlg = 0;
    nSaveEnableFlg = 0;
    nLoadEnableFlg = 0;
    nConfigEnableFlg = 0;
    nHelpEnableFlg = 0;
    std::memset(szBGMName, 0, sizeof szBGMName);
    ClothesSelectData.Release();
    SpecialData.Release();
    DressRoomData.Release();
    BGMData.Release();
    CGModeData.Release();
    StaffrollData.Release();
    RecurdoData.Release();
    nScrSkipEnableFlg = 0;
    nScrSkipLine = 0;
    bStoryEffectsReported = false;
    bSceneSetUp = false;
    for (AUTO_SKIP_FILE_DATA& entry : AutoSkipFileData) entry.Clear();
}

void GAMEMAIN::BGDataClear() {
    BGGraphData1.Initialize(pSprite, pSystem);
    BGGraphData2.Initialize(pSprite, pSystem);
    FreeWipeData(*this);
}

std::uint32_t GAMEMAIN::Initialize(ZKSYSTEM* pSystemIn, ZKSPRITE* pSpriteIn, ZKSND* pSndIn) {
    Clear();
    if (pSystemIn == nullptr) {
        platform::LogError("GAMEMAIN::Initialize", u8"ZKSYSTEMクラスがNULLです");
        return 0;
    }
    pSystem = pSystemIn;
    if (pSpriteIn == nullptr) {
        platform::LogError("GAMEMAIN::Initialize", u8"ZKSPRITEクラスがNULLです");
        return 0;
    }
    pSprite = pSpriteIn;
    if (pSndIn == nullptr) {
        platform::LogError("GAMEMAIN::Initialize", u8"ZKSNDクラスがNULLです");
        return 0;
    }
    pSnd = pSndIn;
    Context = GameContext{pSystem, pSprite, pSnd, pShell, pHost};
    nInitFlg = 1;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    pSystem->MakeDirectory(kTmpFolder);
    MakeSaveFolder();
    return 1;
}

void GAMEMAIN::MakeSaveFolder() {
    const int error = platform::service<platform::Files>().makeFolder(kSaveFolder);
    if (error == 0) return;
    platform::LogError("GAMEMAIN::Initialize", u8"ディレクトリ作成に失敗しました");
    if (error == EEXIST) {
        platform::LogPlain(platform::LogChannel::Debug,
                           u8"-指定ディレクトリは既に作成されています-");
    } else if (error == ENOENT) {
        platform::LogPlain(platform::LogChannel::Debug,
                           u8"-指定ディレクトリのパスが見当たりません-");
    }
}

void GAMEMAIN::Release() {
    if (SaveIntegratedData() == 0) {
        platform::LogError("GAMEMAIN::Release", u8"統合ファイルのセーブに失敗しました");
    }
    Clear();
    // A start-up that failed before Initialize left no engine objects to sweep with.
    if (nInitFlg != 0) ReleaseSounds(*this);
    if (nInitFlg != 0) {
        pSystem->RemoveFile(kTmpFolder, nullptr, 1);
        if (platform::service<platform::Files>().removeFolder(kTmpFolderName) != 0) {
            platform::LogError("GAMEMAIN::Release", u8"Tmpフォルダの削除に失敗");
        }
    }
    pSystem = nullptr;
    pSprite = nullptr;
    pSnd = nullptr;
    Context = GameContext{};
    nInitFlg = 0;
}

bool GAMEMAIN::IsInitialized(const char* szTag) const {
    if (nInitFlg != 0) return true;
    platform::LogError(szTag, u8"GAMEMAIN::Initializeが実行されていません");
    return false;
}

std::uint32_t GAMEMAIN::GameMainFunc() {
    if (!IsInitialized("GAMEMAIN::GameMainFunc")) return 0;
    FrameUpdate();
    if (!IsKnownMode(nMode)) return 1;
    if (nMode == GAME_MODE_BOOT) return BootProc();
    return RunModeProc();
}

// The time of the previous update: the frame's logic runs on the time the frame
// began, whatever this update samples.
void GAMEMAIN::FrameUpdate() {
    dwNowTime = pSystem->GetTime();
    pSystem->MainLoop(pShell->hWnd);
}

// A start-up that did not complete ends the game before the system save is read,
// so nothing is written over it at exit.
std::uint32_t GAMEMAIN::BootProc() {
    Clear();
    ReleaseAllResources();
    if (InitScrMain() != 1) return 0;
    LoadIntegratedData();
    ChangeMode(GAME_MODE_LOGO);
    return 1;
}

std::uint32_t GAMEMAIN::RunModeProc() { return ModeResult((this->*ModeTable[nMode].pProc)()); }

std::uint32_t GAMEMAIN::ModeResult(std::int32_t nResult) const {
    if (nResult != -1) return 1;
    platform::LogError("GAMEMAIN::GameMainFunc", ModeTable[nMode].szFailedText);
    return 0;
}

std::int32_t GAMEMAIN::TitleProc() { return ForwardProc(TitleData); }

std::uint32_t GAMEMAIN::TitleDrawProc() { return ForwardDrawProc(TitleData); }

std::uint32_t GAMEMAIN::GameDrawFunc() {
    if (!IsInitialized("GAMEMAIN::GameDrawFunc")) return 0;
    // The first frame after the movie: the movie's last picture stays on the screen.
    if (nOldMode == GAME_MODE_DEMO && nProcStep == 0) return 1;
    pSprite->D3DXDrawStart();
    std::uint32_t result = 1;
    if (IsKnownMode(nMode) && ModeTable[nMode].pDrawProc != nullptr &&
        (this->*ModeTable[nMode].pDrawProc)() == 0) {
        result = 0;
    }
    pSprite->D3DXDrawEnd();
    return result;
}

void GAMEMAIN::DrawTimeSet() {
    if (nInitFlg != 0) pSprite->SetFrameStartTime();
}

std::int32_t GAMEMAIN::DrawStop() {
    if (nInitFlg == 0) return 0;
    return pSprite->DDFlipToGDI() == platform::DD_OK ? 1 : 0;
}

void GAMEMAIN::ChangeMode(std::int32_t nNewMode) {
    nOldMode = nMode;
    nMode = nNewMode;
    nProcStep = 0;
}

std::uint32_t GAMEMAIN::IDSerch(const char* szID, std::uint32_t nKind, std::int32_t* pnIndex) {
    std::int32_t nFound = -1;
    if (pnIndex == nullptr) pnIndex = &nFound;
    *pnIndex = -1;
    if (!IsInitialized("GAMEMAIN::IDSerch")) return 0;
    if (nKind > REG_CHAR) {
        platform::LogError("GAMEMAIN::IDSerch", u8"定義されていないデータ形式です");
        return 0;
    }
    const std::int32_t counts[] = {nTextureNum, nSurfaceNum, nWaveNum, nVarNum, nCharNum};
    const auto rowName = [&](std::int32_t row) -> const char* {
        if (nKind == REG_VAR) return pVarData[row].szName;
        if (nKind == REG_CHAR) return pCharData[row].szID;
        return FileTable(static_cast<REG_KIND>(nKind))[row].szName;
    };
    // An empty ID names nothing: a word missing its argument must not find a free row.
    const std::string_view id = szID != nullptr ? szID : "";
    for (std::int32_t row = 0; !id.empty() && row < counts[nKind]; ++row) {
        const char* rowID = rowName(row);
        if (rowID[0] != '\0' && platform::SjisEqualsIgnoreCase(rowID, id)) {
            *pnIndex = row;
            return 1;
        }
    }
    platform::LogMessage("GAMEMAIN::IDSerch", kNoMatchText[nKind]);
    return 0;
}

GRAPHIC_FILE_DATA* GAMEMAIN::FindFileRow(const char* szID, REG_KIND nKind) {
    std::int32_t row = -1;
    if (IDSerch(szID, nKind, &row) == 0) return nullptr;
    return &FileTable(nKind)[row];
}

GRAPHIC_FILE_DATA* GAMEMAIN::FileTable(REG_KIND nKind) const {
    if (nKind == REG_TEX) return pTextureData.get();
    if (nKind == REG_SURF) return pSurfaceData.get();
    return pWaveData.get();
}

std::int32_t GAMEMAIN::ReleaseAllResources() {
    if (nInitFlg == 0) return 0;
    for (int i = 0; i < pSprite->GetSurfaceCount(); ++i) pSprite->ReleaseSurface(i);
    for (int i = 0; i < pSprite->GetTextureCount(); ++i) pSprite->ReleaseTexture(i);
    for (std::uint32_t i = 0; i < pSnd->DAGetDataNum(); ++i) {
        if (pSnd->DAUnload(static_cast<int>(i)) < 0) return 0;
    }
    return 1;
}

std::int32_t GAMEMAIN::SpecialProc() { return ForwardProc(SpecialData); }

std::uint32_t GAMEMAIN::SpecialDrawProc() { return ForwardDrawProc(SpecialData); }

std::int32_t GAMEMAIN::DressRoomMainProc() { return ForwardProc(DressRoomData); }

std::uint32_t GAMEMAIN::DressRoomDrawProc() { return ForwardDrawProc(DressRoomData); }

std::int32_t GAMEMAIN::CGModeProc() { return ForwardProc(CGModeData); }

std::uint32_t GAMEMAIN::CGModeDrawProc() { return ForwardDrawProc(CGModeData); }

std::int32_t GAMEMAIN::StaffrollMainProc() { return ForwardProc(StaffrollData); }

std::uint32_t GAMEMAIN::StaffrollDrawProc() { return ForwardDrawProc(StaffrollData); }

std::int32_t GAMEMAIN::BGMModeMainProc() { return ForwardProc(BGMData); }

std::uint32_t GAMEMAIN::BGMModeDrawProc() { return ForwardDrawProc(BGMData); }

std::int32_t GAMEMAIN::ClothesSelectProc() { return ForwardProc(ClothesSelectData); }

std::uint32_t GAMEMAIN::ClothesSelectDrawProc() { return ForwardDrawProc(ClothesSelectData); }
