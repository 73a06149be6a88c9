#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/SaveFileIO.h"
#include "game/SaveSlotPath.h"
#include "game/ScenarioScripts.h"
#include "game/SlotFileFormat.h"
#include "game/SlotFileParser.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/text/SjisText.h"
#include "script/ScrCmdWords.h"
#include "sound/ZKSND.h"

namespace {

constexpr const char* kSaveTag = "GAMEMAIN::SaveIndependentData";
constexpr std::size_t kEscapeSize = 512;
constexpr std::size_t kVoicePathSize = 512;
constexpr std::int32_t kMaxHeaderDay = 99;

bool IsNullToken(std::string_view text) {
    constexpr std::string_view kNull = "__NULL__";
    if (text.size() != kNull.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper != kNull[i]) return false;
    }
    return true;
}

// A string the file can hold as one token: the empty string is written "__NULL__",
// so that word itself and any blank or control byte would read back as something else.
bool IsStorable(std::string_view text) {
    if (IsNullToken(text)) return false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return false;
    }
    return true;
}

// The first string of the image the file cannot hold, by its member name; empty when
// all can be stored.
std::string FirstUnstorable(const SlotImage& image) {
    std::string refused;
    const auto check = [&refused](std::string_view field, const std::string& text) {
        if (refused.empty() && !IsStorable(text)) refused = field;
    };
    check("szBGMName", image.szBGMName);
    check("szVoice", image.szVoice);
    for (const SlotImage::CLOTHES& clothes : image.ClothesData) {
        check("szDescription", clothes.szDescription);
        check("szScenario", clothes.szScenario);
    }
    check("szFileName", image.ScrFileData.szFileName);
    for (const SlotImage::SCR_CMD& cmd : image.ScrFileData.Cmd) {
        check("szCommand", cmd.szCommand);
        for (const std::string& arg : cmd.szArg) check("szArg", arg);
    }
    const SlotImage::MSG_WINDOW& msg = image.MsgWindowData;
    check("szText", msg.szText);
    check("szName", msg.szName);
    check("szScriptText", msg.szScriptText);
    check("szVoice", msg.szVoice);
    for (const SlotImage::SELECT_PLATE& plate : image.SelectWindowData.SlcWnd) {
        check("szText", plate.szText);
    }
    for (const SlotImage::GRAPHIC* layer :
         {&image.BGGraphData1, &image.BGGraphData2, &image.PRIM1.Graphic, &image.PRIM2.Graphic}) {
        check("szName", layer->szName);
        check("szFilePath", layer->szFilePath);
    }
    return refused;
}

std::uint32_t Bit(bool value) { return value ? 1 : 0; }

template <std::size_t N>
void CopyName(char (&target)[N], const std::string& source) {
    platform::SjisCopyTruncated(target, N, source);
}

// One copy between a live member and its field of the image: ToImage as a slot is
// saved, ToLive as it is loaded. The field lists below name each pair once for both.
struct ToImage {
    template <class Live, class Saved>
    void operator()(const Live& live, Saved& saved) const {
        saved = live;
    }
};

struct ToLive {
    template <std::size_t N>
    void operator()(char (&live)[N], const std::string& saved) const {
        CopyName(live, saved);
    }
    template <class Live, class Saved>
    void operator()(Live& live, const Saved& saved) const {
        live = saved;
    }
};

template <class Live, class Saved, class Copy>
void AnimationFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nPlayFlg, saved.nPlayFlg);
    copy(live.nDirection, saved.nDirection);
    copy(live.nAnimNum, saved.nAnimNum);
    copy(live.nAnimNo, saved.nAnimNo);
    copy(live.nType, saved.nType);
}

template <class Live, class Saved, class Copy>
void GraphicFields(Live& live, Saved& saved, Copy copy) {
    copy(live.dwFlag, saved.dwFlag);
    copy(live.nDispFlg, saved.nDispFlg);
    copy(live.dwTime, saved.dwTime);
    copy(live.nGKind, saved.nGKind);
    copy(live.nIndex, saved.nIndex);
    copy(live.nX, saved.nX);
    copy(live.nY, saved.nY);
    copy(live.fAlpha, saved.fAlpha);
    copy(live.fScaleX, saved.fScaleX);
    copy(live.fScaleY, saved.fScaleY);
    copy(live.szName, saved.szName);
    copy(live.szFilePath, saved.szFilePath);
}

template <class Live, class Saved, class Copy>
void CharacterFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nLoveValue, saved.nLoveValue);
    copy(live.dwEventFlg, saved.dwEventFlg);
    copy(live.nX, saved.nX);
    copy(live.nY, saved.nY);
    copy(live.nBody, saved.nBody);
    copy(live.nNextBody, saved.nNextBody);
    copy(live.fBodyAlpha, saved.fBodyAlpha);
    copy(live.nFace, saved.nFace);
    copy(live.nNextFace, saved.nNextFace);
    copy(live.fFaceAlpha, saved.fFaceAlpha);
    copy(live.nState, saved.nState);
    copy(live.nDispFlg, saved.nDispFlg);
}

template <class Live, class Saved, class Copy>
void CommandFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nWaitFlg, saved.nWaitFlg);
    copy(live.dwStartTime, saved.dwStartTime);
    copy(live.dwPhase, saved.dwPhase);
    copy(live.szCommand, saved.szCommand);
    for (int i = 0; i < SCR_CMD_DATA::kArgCount; ++i) copy(live.szArg[i], saved.szArg[i]);
}

template <class Live, class Saved, class Copy>
void ScriptFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nLine, saved.nLine);
    copy(live.nReadFlg, saved.nReadFlg);
    copy(live.nExeFlg, saved.nExeFlg);
    copy(live.nEndScriptFlg, saved.nEndScriptFlg);
    copy(live.nNextReadFlg, saved.nNextReadFlg);
    copy(live.nSelectPhase, saved.nSelectPhase);
    copy(live.nLastWord, saved.nLastWord);
    copy(live.szFileName, saved.szFileName);
}

template <class Live, class Saved, class Copy>
void PlateFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nDispFlg, saved.nDispFlg);
    copy(live.nClickFlg, saved.nClickFlg);
    copy(live.nZoomFlg, saved.nZoomFlg);
    copy(live.nCenterX, saved.nCenterX);
    copy(live.nCenterY, saved.nCenterY);
    copy(live.rcHit, saved.rcHit);
    copy(live.MsgData.szText, saved.szText);
    copy(live.MsgData.nFontSize, saved.nFontSize);
    copy(live.MsgData.dwColor, saved.dwColor);
    copy(live.fScale, saved.fScale);
}

// The costume's description is not among them: the image holds it escaped.
template <class Live, class Saved, class Copy>
void ClothesFields(Live& live, Saved& saved, Copy copy) {
    copy(live.dwFlag, saved.dwFlag);
    copy(live.nFace, saved.nFace);
    copy(live.nPartsNum, saved.nPartsNum);
    copy(live.szScenario, saved.szScenario);
}

// The message window's shown and script texts are not among them: the image holds
// them escaped.
template <class Live, class Saved, class Copy>
void MessageWindowFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nOpenFlg, saved.nOpenFlg);
    copy(live.nX, saved.nX);
    copy(live.nY, saved.nY);
    copy(live.nSlideFlg, saved.nSlideFlg);
    for (int i = 0; i < SlotImage::kButtonCount; ++i) {
        copy(live.nButtonState[i], saved.nButtonState[i]);
    }
    copy(live.MsgData.nFontSize, saved.nFontSize);
    copy(live.MsgData.dwColor, saved.dwColor);
    copy(live.MsgData.szName, saved.szName);
    copy(live.MsgData.szVoice, saved.szVoice);
}

template <class Live, class Saved, class Copy>
void DayWindowFields(Live& live, Saved& saved, Copy copy) {
    copy(live.nDispFlg, saved.nDispFlg);
    copy(live.nSlideFlg, saved.nSlideFlg);
    copy(live.nX, saved.nX);
    copy(live.nY, saved.nY);
    copy(live.nDay, saved.nDay);
}

template <class Live, class Saved, class Copy>
void LoadPairFields(Live& live, Saved& saved, Copy copy) {
    copy(live.dwFlag, saved.dwFlag);
    copy(live.nLoadFlg, saved.nLoadFlg);
}

void CaptureAnimation(const ANIMATION_DATA& live, SlotImage::ANIMATION& out) {
    AnimationFields(live, out, ToImage{});
    if (live.pdwCtrlTime) {
        out.pdwCtrlTime.assign(live.pdwCtrlTime.get(), live.pdwCtrlTime.get() + live.nAnimNum);
    }
}

void CaptureGraphic(const GRAPHIC_DATA& live, SlotImage::GRAPHIC& out) {
    GraphicFields(live, out, ToImage{});
}

void CapturePicture(const GRAPHIC_DATA_EX& live, SlotImage::GRAPHIC_EX& out) {
    CaptureGraphic(live, out.Graphic);
    out.dwExtra = live.dwExtra;
    out.nCrossFadeFlg = live.nCrossFadeFlg;
    out.nNextAnim = live.nNextAnim;
    out.nCrossAlpha = live.nCrossAlpha;
    CaptureAnimation(live.AnimData, out.AnimData);
    out.nAnimNum = live.nAnimNum;
    if (live.prcAnim) out.prcAnim.assign(live.prcAnim.get(), live.prcAnim.get() + live.nAnimNum);
}

SlotImage::CHARACTER CaptureCharacter(const ZKCHAR& live) {
    SlotImage::CHARACTER out;
    out.szID = live.szID;
    out.bSaved = true;
    CharacterFields(live, out, ToImage{});
    for (std::int32_t j = 0; live.pFaceData && j < live.nFaceNum; ++j) {
        const FACE_DATA& face = live.pFaceData[j];
        SlotImage::FACE saved{face.nEyeNum, {}};
        for (std::int32_t k = 0; face.pEyeData && k < face.nEyeNum; ++k) {
            saved.dwEyeTime.push_back(face.pEyeData[k].dwTime);
        }
        out.pFaceData.push_back(std::move(saved));
    }
    return out;
}

void CaptureScript(const SCR_FILE_DATA& live, SlotImage::SCR_FILE& out) {
    ScriptFields(live, out, ToImage{});
    for (int i = 0; i < SCR_FILE_DATA::kSlotCount; ++i) {
        CommandFields(live.Cmd[i], out.Cmd[i], ToImage{});
    }
}

}  // namespace

SlotSchema GAMEMAIN::SlotSchemaOf(const SlotScriptSource* pScripts) const {
    SlotSchema schema;
    schema.nVarNum = nVarNum;
    for (std::int32_t i = 0; pCharData && i < nCharNum; ++i) {
        const ZKCHAR& chara = pCharData[i];
        SlotSchema::CHARACTER entry{chara.szID, chara.nBodyNum, {}};
        for (std::int32_t j = 0; chara.pFaceData && j < chara.nFaceNum; ++j) {
            entry.nEyeNum.push_back(chara.pFaceData[j].nEyeNum);
        }
        schema.Characters.push_back(std::move(entry));
    }
    schema.nSurfaceSlots = kSurfaceSlots;
    schema.nTextureSlots = kTextureSlots;
    schema.nWaveSlots = kWaveSlots;
    schema.IsCommandWord = &IsScrCommandWord;
    schema.pScripts = pScripts;
    return schema;
}

SlotImage GAMEMAIN::CaptureSlotImage(std::string& szRefused) {
    SlotImage image;
    const platform::CalendarTime now = platform::service<platform::Clock>().localTime();
    std::int32_t nDay = 0;
    if (nDayVarIndex >= 0 && nDayVarIndex < nVarNum) nDay = pVarData[nDayVarIndex].nValue;
    if (nDay < 0 || nDay > kMaxHeaderDay) nDay = 0;
    image.nHeader = {now.year, now.month, now.day, now.hour, now.minute, now.second, nDay};
    image.szBGMName = szBGMName;
    if (pSnd != nullptr) {
        char voice[kVoicePathSize] = {};
        if (pSnd->DAGetWAVEPath(0, voice, sizeof voice) != nullptr) image.szVoice = voice;
    }
    image.nMode = nMode;
    image.nOldMode = nOldMode;
    const auto escape = [this, &szRefused](const char* text, std::string_view field) {
        char escaped[kEscapeSize] = {};
        if (TextLFToEscape(text, escaped, sizeof escaped) == 0 && szRefused.empty()) {
            szRefused = field;
        }
        return std::string(escaped);
    };
    for (int i = 0; i < SlotImage::kClothesCount; ++i) {
        const CLOTHES_DATA& live = ClothesSelectData.ClothesData[i];
        SlotImage::CLOTHES& out = image.ClothesData[i];
        ClothesFields(live, out, ToImage{});
        out.szDescription = escape(live.szDescription, "szDescription");
    }
    for (int i = 0; i < SlotImage::kPlaceCount; ++i) {
        image.nSortNo[i] = ClothesSelectData.nSortNo[i];
    }
    CaptureScript(ScrFileData, image.ScrFileData);
    for (std::int32_t i = 0; ClippingData.prcClip && i < ClippingData.nClipNum; ++i) {
        image.ClippingData.push_back(
            {ClippingData.prcClip[i], ClippingData.prcStartClip[i], ClippingData.pdwClipTime[i]});
    }
    SlotImage::MSG_WINDOW& msg = image.MsgWindowData;
    MessageWindowFields(MsgWindowData, msg, ToImage{});
    msg.szText = escape(MsgWindowData.MsgData.szText, "szText");
    msg.szScriptText = escape(MsgWindowData.MsgData.szScriptText, "szScriptText");
    SlotImage::SELECT_WINDOW& select = image.SelectWindowData;
    select.nInitFlg = SelectWindowData.nInitFlg;
    select.nStep = SelectWindowData.nStep;
    select.nNum = SelectWindowData.nNum;
    CaptureAnimation(SelectWindowData.HighLight, select.HighLight);
    for (int i = 0; i < SlotImage::kPlateCount; ++i) {
        PlateFields(SelectWindowData.SlcWnd[i], select.SlcWnd[i], ToImage{});
    }
    DayWindowFields(DayWindowData, image.DayWindowData, ToImage{});
    for (std::int32_t i = 0; pVarData && i < nVarNum; ++i) {
        image.VARIABLE_DATA.push_back(pVarData[i].nValue);
    }
    for (std::int32_t i = 0; pCharData && i < nCharNum; ++i) {
        image.CHARACTER_DATA.push_back(CaptureCharacter(pCharData[i]));
    }
    CaptureGraphic(BGGraphData1, image.BGGraphData1);
    CaptureGraphic(BGGraphData2, image.BGGraphData2);
    CapturePicture(PRIM1, image.PRIM1);
    CapturePicture(PRIM2, image.PRIM2);
    for (int i = 0; i < SlotImage::kTextWorkCount; ++i) image.dwMsgTextWork[i] = dwMsgTextWork[i];
    RefreshLoadTables();
    const auto pairs = [](const LOAD_DATA* table, int count) {
        std::vector<SlotImage::LOAD_PAIR> out(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) LoadPairFields(table[i], out[i], ToImage{});
        return out;
    };
    image.SURF_LOAD_DATA = pairs(SURF_LOAD_DATA, kSurfaceSlots);
    image.TEX_LOAD_DATA = pairs(TEX_LOAD_DATA, kTextureSlots);
    image.WAVE_LOAD_DATA = pairs(WAVE_LOAD_DATA, kWaveSlots);
    return image;
}

void GAMEMAIN::RefreshLoadTables() {
    if (pSprite != nullptr) {
        for (int i = 0; i < kSurfaceSlots; ++i) {
            SURF_LOAD_DATA[i].nLoadFlg = Bit(pSprite->GetSurfaceLoadState(i) == 0);
            SURF_LOAD_DATA[i].dwFlag = static_cast<std::uint32_t>(pSprite->GetSurfaceColorKey(i));
        }
        for (int i = 0; i < kTextureSlots; ++i) {
            TEX_LOAD_DATA[i].nLoadFlg = Bit(pSprite->GetTextureLoadState(i) == 0);
            TEX_LOAD_DATA[i].dwFlag = static_cast<std::uint32_t>(pSprite->GetTextureColorKey(i));
        }
    }
    if (pSnd != nullptr) {
        for (int i = 0; i < kWaveSlots; ++i) {
            WAVE_LOAD_DATA[i].nLoadFlg = static_cast<std::uint32_t>(pSnd->DAGetLoadState(i));
        }
    }
}

std::uint32_t GAMEMAIN::SaveIndependentData(std::uint32_t nSlot) {
    const std::string path = SaveSlotPath(
        static_cast<std::int32_t>(nSlot > static_cast<std::uint32_t>(kSaveSlotCount) ? 0 : nSlot));
    if (path.empty()) {
        platform::LogError(kSaveTag, u8"引数が不正です");
        return 0;
    }
    std::string refused;
    const SlotImage image = CaptureSlotImage(refused);
    if (refused.empty()) refused = FirstUnstorable(image);
    std::string bytes;
    if (refused.empty()) {
        const ScenarioScripts scripts;
        bytes = FormatSlotFile(image);
        const SlotParseResult parsed = ParseSlotFile(bytes, SlotSchemaOf(&scripts));
        if (!parsed.image) refused = parsed.szField;
    }
    if (!refused.empty()) {
        platform::LogError(kSaveTag, u8"保存できない値があります (%s)", platform::Utf8Arg(refused));
        return 0;
    }
    std::string error;
    if (!WriteSaveFile(path.c_str(), bytes, error)) {
        platform::LogError(kSaveTag,
                           u8"%s の書き込みに失敗しました (%s)。以前のファイルはそのままです",
                           platform::Utf8Arg(path), platform::Utf8Arg(error));
        return 0;
    }
    return 1;
}

namespace {

constexpr const char* kLoadTag = "GAMEMAIN::LoadIndependentData";
constexpr std::uint64_t kMaxSlotBytes = 4 * 1024 * 1024;

void ApplyAnimation(const SlotImage::ANIMATION& saved, ANIMATION_DATA& live) {
    if (saved.nAnimNum != 0) live.Set(saved.nAnimNum, saved.nType);
    AnimationFields(live, saved, ToLive{});
    for (std::size_t i = 0; live.pdwCtrlTime && i < saved.pdwCtrlTime.size(); ++i) {
        live.pdwCtrlTime[i] = saved.pdwCtrlTime[i];
    }
}

void ApplyGraphic(const SlotImage::GRAPHIC& saved, GRAPHIC_DATA& live) {
    GraphicFields(live, saved, ToLive{});
}

void ApplyPicture(const SlotImage::GRAPHIC_EX& saved, GRAPHIC_DATA_EX& live) {
    const SlotImage::ANIMATION& anim = saved.AnimData;
    live.Set(saved.Graphic.nGKind, saved.Graphic.nIndex, anim.nAnimNum, anim.nType,
             saved.Graphic.dwFlag, saved.dwExtra, saved.nCrossFadeFlg);
    ApplyGraphic(saved.Graphic, live);
    live.nNextAnim = saved.nNextAnim;
    live.nCrossAlpha = saved.nCrossAlpha;
    live.AnimData.nPlayFlg = anim.nPlayFlg;
    live.AnimData.nDirection = anim.nDirection;
    live.AnimData.nAnimNo = anim.nAnimNo;
    for (std::size_t i = 0; live.AnimData.pdwCtrlTime && i < anim.pdwCtrlTime.size(); ++i) {
        live.AnimData.pdwCtrlTime[i] = anim.pdwCtrlTime[i];
    }
    for (std::size_t i = 0; live.prcAnim && i < saved.prcAnim.size(); ++i) {
        live.prcAnim[i] = saved.prcAnim[i];
    }
}

void ApplyCharacter(const SlotImage::CHARACTER& saved, ZKCHAR& live) {
    if (!saved.bSaved) return;
    CharacterFields(live, saved, ToLive{});
    for (std::size_t j = 0; j < saved.pFaceData.size(); ++j) {
        const std::vector<std::uint32_t>& times = saved.pFaceData[j].dwEyeTime;
        for (std::size_t k = 0; k < times.size(); ++k) {
            live.SetEyeData(static_cast<std::int32_t>(j), static_cast<std::int32_t>(k), times[k]);
        }
    }
}

// Each command takes the script's line.
void ApplyScript(const SlotImage::SCR_FILE& saved, SCR_FILE_DATA& live) {
    ScriptFields(live, saved, ToLive{});
    for (int i = 0; i < SCR_FILE_DATA::kSlotCount; ++i) {
        CommandFields(live.Cmd[i], saved.Cmd[i], ToLive{});
        live.Cmd[i].nLine = saved.nLine;
    }
}

void ApplyPairs(const std::vector<SlotImage::LOAD_PAIR>& saved, LOAD_DATA* live) {
    for (std::size_t i = 0; i < saved.size(); ++i) LoadPairFields(live[i], saved[i], ToLive{});
}

}  // namespace

std::string GAMEMAIN::UnescapedText(const std::string& text) {
    std::vector<char> buffer(text.size() + 1, '\0');
    TextEscapeToLF(text.c_str(), buffer.data());
    return std::string(buffer.data());
}

void GAMEMAIN::ClearStoryForLoad() {
    BGDataClear();
    PRIM1.Reset();
    PRIM2.Reset();
    ScrFileData.Release();
    for (std::int32_t i = 0; pCharData && i < nCharNum; ++i) pCharData[i].Reset(1);
    MsgWindowData.Initialize(&Context);
    SelectWindowData.Release();
    DayWindowData.Release();
    for (std::int32_t i = 0; pCharData && i < nCharNum; ++i) {
        ZKCHAR& chara = pCharData[i];
        chara.dwStartTime = 0;
        chara.dwDuration = 0;
        for (std::int32_t j = 0; chara.pFaceData && j < chara.nFaceNum; ++j) {
            chara.pFaceData[j].Animation.dwLastTime = 0;
        }
    }
}

void GAMEMAIN::ApplyWindows(const SlotImage& image) {
    const SlotImage::MSG_WINDOW& msg = image.MsgWindowData;
    MessageWindowFields(MsgWindowData, msg, ToLive{});
    MSG_DATA& line = MsgWindowData.MsgData;
    if (!msg.szText.empty()) {
        line.SetText(UnescapedText(msg.szText));
        MsgWindowData.nDispByte = -1;
    }
    line.SetScriptText(UnescapedText(msg.szScriptText));
    const SlotImage::SELECT_WINDOW& select = image.SelectWindowData;
    if (select.nInitFlg == 1) SelectWindowData.Initialize(select.nNum, &Context);
    SelectWindowData.nStep = select.nStep;
    SelectWindowData.nNum = select.nNum;
    ApplyAnimation(select.HighLight, SelectWindowData.HighLight);
    for (int i = 0; i < SlotImage::kPlateCount; ++i) {
        PlateFields(SelectWindowData.SlcWnd[i], select.SlcWnd[i], ToLive{});
    }
    const SlotImage::DAY_WINDOW& day = image.DayWindowData;
    if (day.nDispFlg == 1) DayWindowData.Initialize(day.nDay, &Context);
    DayWindowFields(DayWindowData, day, ToLive{});
}

void GAMEMAIN::RestoreResources(const std::string& szMusic) {
    const ShellWords& shell = *pShell;
    for (int i = 0; i < kSurfaceSlots; ++i) SurfaceUnload(pSprite, pSystem, i);
    for (int i = 0; i < kTextureSlots; ++i) TextureUnload(pSprite, pSystem, i);
    for (int i = 2; i < kWaveSlots; ++i) SEUnload(pSnd, pSystem, i, shell);
    for (int i = 0; i < kSurfaceSlots; ++i) {
        if (SURF_LOAD_DATA[i].nLoadFlg != 0) {
            SurfaceLoad(pSprite, pSystem, i, static_cast<int>(SURF_LOAD_DATA[i].dwFlag),
                        0xFFFFFFFF);
        }
    }
    for (int i = 0; i < kTextureSlots; ++i) {
        if (TEX_LOAD_DATA[i].nLoadFlg != 0) {
            TextureLoad(pSprite, pSystem, i, static_cast<int>(TEX_LOAD_DATA[i].dwFlag), 0xFFFFFFFF);
        }
    }
    for (int i = 0; i < kWaveSlots; ++i) {
        if (WAVE_LOAD_DATA[i].nLoadFlg == 0 || i == 1) continue;
        if (i == 0) {
            char voice[kVoicePathSize] = {};
            pSnd->DAGetWAVEPath(0, voice, sizeof voice);
            VoiceLoad(pSnd, pSystem, voice, shell);
        } else {
            SELoad(pSnd, pSystem, i, nullptr, shell);
        }
    }
    BGMStop(1, pSnd, pSystem, shell);
    std::memset(szBGMName, 0, sizeof szBGMName);
    if (!szMusic.empty()) {
        CopyName(szBGMName, szMusic);
        BGMPlay(szBGMName, pSnd, pSystem, shell);
        pSnd->DASetData(1, szBGMName);
    }
}

void GAMEMAIN::ApplySlotImage(const SlotImage& image) {
    ClearStoryForLoad();
    pSnd->DASetData(0, image.szVoice.empty() ? nullptr : image.szVoice.c_str());
    nMode = image.nMode;
    nOldMode = image.nOldMode;
    for (int i = 0; i < SlotImage::kClothesCount; ++i) {
        const SlotImage::CLOTHES& saved = image.ClothesData[i];
        CLOTHES_DATA& live = ClothesSelectData.ClothesData[i];
        ClothesFields(live, saved, ToLive{});
        // The record keeps a description as the script wrote it, escapes and all; the
        // costume select turns them into line breaks as it shows the card.
        CopyName(live.szDescription, saved.szDescription);
    }
    for (int i = 0; i < SlotImage::kPlaceCount; ++i) {
        ClothesSelectData.nSortNo[i] = image.nSortNo[i];
    }
    ApplyScript(image.ScrFileData, ScrFileData);
    const auto strips = static_cast<std::int32_t>(image.ClippingData.size());
    ClippingData.nClipNum = strips;
    if (strips > 0) {
        ClippingData.prcClip = std::make_unique<platform::Rect[]>(image.ClippingData.size());
        ClippingData.prcStartClip = std::make_unique<platform::Rect[]>(image.ClippingData.size());
        ClippingData.pdwClipTime = std::make_unique<std::uint32_t[]>(image.ClippingData.size());
        for (std::int32_t i = 0; i < strips; ++i) {
            ClippingData.prcClip[i] = image.ClippingData[i].rcClip;
            ClippingData.prcStartClip[i] = image.ClippingData[i].rcStartClip;
            ClippingData.pdwClipTime[i] = image.ClippingData[i].dwClipTime;
        }
    }
    ApplyWindows(image);
    for (std::size_t i = 0; pVarData && i < image.VARIABLE_DATA.size(); ++i) {
        pVarData[i].nValue = image.VARIABLE_DATA[i];
    }
    for (std::size_t i = 0; pCharData && i < image.CHARACTER_DATA.size(); ++i) {
        ApplyCharacter(image.CHARACTER_DATA[i], pCharData[i]);
    }
    ApplyGraphic(image.BGGraphData1, BGGraphData1);
    ApplyGraphic(image.BGGraphData2, BGGraphData2);
    ApplyPicture(image.PRIM1, PRIM1);
    ApplyPicture(image.PRIM2, PRIM2);
    for (int i = 0; i < SlotImage::kTextWorkCount; ++i) dwMsgTextWork[i] = image.dwMsgTextWork[i];
    ApplyPairs(image.SURF_LOAD_DATA, SURF_LOAD_DATA);
    ApplyPairs(image.TEX_LOAD_DATA, TEX_LOAD_DATA);
    ApplyPairs(image.WAVE_LOAD_DATA, WAVE_LOAD_DATA);
    RestoreResources(image.szBGMName);
    nMsgWndDispFlg = 1;
}

std::optional<SlotImage> GAMEMAIN::ReadSlotImage(std::uint32_t nSlot) {
    const std::string path = SaveSlotPath(
        static_cast<std::int32_t>(nSlot > static_cast<std::uint32_t>(kSaveSlotCount) ? 0 : nSlot));
    if (path.empty()) {
        platform::LogError(kLoadTag, u8"引数が不正です");
        return std::nullopt;
    }
    std::string bytes;
    int error = 0;
    if (ReadSaveFile(path.c_str(), kMaxSlotBytes, bytes, error) != SaveReadResult::Read) {
        platform::LogError(kLoadTag, u8"ファイルオープンに失敗しました");
        return std::nullopt;
    }
    const ScenarioScripts scripts;
    SlotParseResult parsed = ParseSlotFile(bytes, SlotSchemaOf(&scripts));
    if (!parsed.image) {
        platform::LogError(
            kLoadTag, u8"セーブファイルでないか、ファイルが壊れています (%s %d行目: %s)",
            platform::Utf8Arg(path), parsed.nLine, platform::Utf8Arg(parsed.szField));
    }
    return std::move(parsed.image);
}

std::uint32_t GAMEMAIN::LoadIndependentData(std::uint32_t nSlot) {
    const std::optional<SlotImage> image = ReadSlotImage(nSlot);
    if (!image) return 0;
    ApplySlotImage(*image);
    return 1;
}
