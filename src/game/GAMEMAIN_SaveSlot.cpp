#include <cmath>
#include <string>
#include <string_view>

#include "game/GAMEMAIN.h"
#include "game/SaveFileIO.h"
#include "game/SaveSlotPath.h"
#include "game/ScenarioScripts.h"
#include "game/SlotFileFormat.h"
#include "game/SlotFileParser.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
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

void CaptureAnimation(const ANIMATION_DATA& live, SlotImage::ANIMATION& out) {
    out.nPlayFlg = live.nPlayFlg;
    out.nDirection = live.nDirection;
    out.nAnimNum = live.nAnimNum;
    out.nAnimNo = live.nAnimNo;
    out.nType = live.nType;
    if (live.pdwCtrlTime) {
        out.pdwCtrlTime.assign(live.pdwCtrlTime.get(), live.pdwCtrlTime.get() + live.nAnimNum);
    }
}

void CaptureGraphic(const GRAPHIC_DATA& live, SlotImage::GRAPHIC& out) {
    out.dwFlag = live.dwFlag;
    out.nDispFlg = live.nDispFlg;
    out.dwTime = live.dwTime;
    out.nGKind = live.nGKind;
    out.nIndex = live.nIndex;
    out.nX = live.nX;
    out.nY = live.nY;
    out.fAlpha = live.fAlpha;
    out.fScaleX = live.fScaleX;
    out.fScaleY = live.fScaleY;
    out.szName = live.szName;
    out.szFilePath = live.szFilePath;
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
    out.nLoveValue = live.nLoveValue;
    out.dwEventFlg = live.dwEventFlg;
    out.nX = live.nX;
    out.nY = live.nY;
    out.nBody = live.nBody;
    out.nNextBody = live.nNextBody;
    out.fBodyAlpha = live.fBodyAlpha;
    out.nFace = live.nFace;
    out.nNextFace = live.nNextFace;
    out.fFaceAlpha = live.fFaceAlpha;
    out.nState = live.nState;
    out.nDispFlg = live.nDispFlg;
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

void CaptureCommand(const SCR_CMD_DATA& live, SlotImage::SCR_CMD& out) {
    out.nWaitFlg = live.nWaitFlg;
    out.dwStartTime = live.dwStartTime;
    out.dwPhase = live.dwPhase;
    out.szCommand = live.szCommand;
    for (int i = 0; i < SCR_CMD_DATA::kArgCount; ++i) out.szArg[i] = live.szArg[i];
}

void CaptureScript(const SCR_FILE_DATA& live, SlotImage::SCR_FILE& out) {
    out.nLine = live.nLine;
    out.nReadFlg = live.nReadFlg;
    out.nExeFlg = live.nExeFlg;
    out.nEndScriptFlg = live.nEndScriptFlg;
    out.nNextReadFlg = live.nNextReadFlg;
    out.nSelectPhase = live.nSelectPhase;
    out.nLastWord = live.nLastWord;
    out.szFileName = live.szFileName;
    for (int i = 0; i < SCR_FILE_DATA::kSlotCount; ++i) CaptureCommand(live.Cmd[i], out.Cmd[i]);
}

void CapturePlate(const SELECT_WINDOW_DATA& live, SlotImage::SELECT_PLATE& out) {
    out.nDispFlg = live.nDispFlg;
    out.nClickFlg = live.nClickFlg;
    out.nZoomFlg = live.nZoomFlg;
    out.nCenterX = live.nCenterX;
    out.nCenterY = live.nCenterY;
    out.rcHit = live.rcHit;
    out.szText = live.MsgData.szText;
    out.nFontSize = live.MsgData.nFontSize;
    out.dwColor = live.MsgData.dwColor;
    out.fScale = live.fScale;
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
    schema.bClothesSelect = false;
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
        out.dwFlag = live.dwFlag;
        out.nFace = live.nFace;
        out.nPartsNum = live.nPartsNum;
        out.szDescription = escape(live.szDescription, "szDescription");
        out.szScenario = live.szScenario;
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
    msg.nOpenFlg = MsgWindowData.nOpenFlg;
    msg.nX = MsgWindowData.nX;
    msg.nY = MsgWindowData.nY;
    msg.nSlideFlg = MsgWindowData.nSlideFlg;
    for (int i = 0; i < SlotImage::kButtonCount; ++i) {
        msg.nButtonState[i] = MsgWindowData.nButtonState[i];
    }
    const MSG_DATA& line = MsgWindowData.MsgData;
    msg.nFontSize = line.nFontSize;
    msg.dwColor = line.dwColor;
    msg.szText = escape(line.szText, "szText");
    msg.szName = line.szName;
    msg.szScriptText = escape(line.szScriptText, "szScriptText");
    msg.szVoice = line.szVoice;
    SlotImage::SELECT_WINDOW& select = image.SelectWindowData;
    select.nInitFlg = SelectWindowData.nInitFlg;
    select.nStep = SelectWindowData.nStep;
    select.nNum = SelectWindowData.nNum;
    CaptureAnimation(SelectWindowData.HighLight, select.HighLight);
    for (int i = 0; i < SlotImage::kPlateCount; ++i) {
        CapturePlate(SelectWindowData.SlcWnd[i], select.SlcWnd[i]);
    }
    image.DayWindowData = {DayWindowData.nDispFlg, DayWindowData.nSlideFlg, DayWindowData.nX,
                           DayWindowData.nY, DayWindowData.nDay};
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
        std::vector<SlotImage::LOAD_PAIR> out;
        for (int i = 0; i < count; ++i) out.push_back({table[i].dwFlag, table[i].nLoadFlg});
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
