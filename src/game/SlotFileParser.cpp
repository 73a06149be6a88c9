#include "game/SlotFileParser.h"

#include <algorithm>
#include <limits>

#include "game/SlotLayout.h"
#include "game/SlotText.h"
#include "platform/files/MemoryStream.h"
#include "platform/text/SjisText.h"
#include "script/ScriptLine.h"
#include "system/DataName.h"

namespace {

using SlotLayout::Marker;

constexpr std::size_t kSectionLineBytes = 1023;
// The command slots and the current message are read as tokens, not as lines.
constexpr std::size_t kTokenLineBytes = std::string_view::npos;
constexpr std::int64_t kAny = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kPosition = 100000;
constexpr std::int64_t kMaxStrips = 4096;
constexpr std::size_t kWordBytes = 511;
constexpr std::size_t kShortTextBytes = 255;
constexpr std::size_t kNameBytes = 99;
constexpr std::size_t kPathBytes = 259;
constexpr std::int32_t kAdventureMode = 9;
constexpr std::int32_t kClothesMode = 10;
constexpr std::int64_t kLastMode = 12;
constexpr std::int64_t kMaxFace = 2;
constexpr std::int64_t kMaxParts = 29;
constexpr std::int64_t kLastCostume = 13;
constexpr std::int64_t kMsgWindowX = 2;
constexpr std::int64_t kMsgWindowTop = 417;
constexpr std::int64_t kMsgWindowBottom = 600;
constexpr std::int64_t kMaxFontSize = 64;
constexpr std::int64_t kLastChoiceStep = 3;
constexpr std::uint32_t kChoiceFrames = 5;
constexpr std::int64_t kDayWindowLeft = -136;
constexpr std::int64_t kDayWindowX = 2;
constexpr std::int64_t kDayWindowY = 2;
constexpr std::int64_t kMaxAnimFrames = 1024;
constexpr std::int64_t kMaxCrossAlpha = 255;
constexpr std::int64_t kMaxRevealWord = 255;
constexpr float kMaxScale = 16.0f;

bool IsButtonState(std::uint32_t nState) {
    return nState == 0 || nState == 1 || nState == 2 || nState == 4;
}

class SlotParser {
public:
    SlotParser(std::string_view bytes, const SlotSchema& schema) : lines_(bytes), schema_(schema) {}

    SlotParseResult Parse() {
        ReadHead();
        ReadScript();
        ReadStrips();
        ReadWindows();
        ReadVariables();
        ReadCharacters();
        ReadLayers();
        ReadTables();
        if (!failed_) result_.image = std::move(image_);
        return std::move(result_);
    }

private:
    // The first refusal is kept; every read after it does nothing.
    bool Refuse(std::string_view field, std::int32_t nLine) {
        if (!failed_) {
            failed_ = true;
            result_.nLine = nLine;
            result_.szField = field;
        }
        return false;
    }
    bool Refuse(std::string_view field) { return Refuse(field, lines_.Number()); }

    bool NextLine(std::string_view& line, std::string_view field,
                  std::size_t nMaxBytes = kSectionLineBytes) {
        if (failed_) return false;
        const SlotLineCursor::STATE state = lines_.Next(line, nMaxBytes);
        if (state == SlotLineCursor::STATE::End) return Refuse(field, lines_.Number() + 1);
        return state == SlotLineCursor::STATE::Line || Refuse(field);
    }

    // Starts the fields of the next line.
    bool Line(std::string_view field, bool bTrailingBlank = false,
              std::size_t nMaxBytes = kSectionLineBytes) {
        std::string_view line;
        if (!NextLine(line, field, nMaxBytes)) return false;
        fields_ = SlotFieldCursor(line, bTrailingBlank);
        return true;
    }
    // The line ends after the fields taken; field names the last of them.
    bool EndLine(std::string_view field) { return failed_ || fields_.AtEnd() || Refuse(field); }
    bool StartFields(std::string_view line, bool bTrailingBlank = false) {
        fields_ = SlotFieldCursor(line, bTrailingBlank);
        return !failed_;
    }

    std::optional<std::string_view> Field(std::string_view field) {
        if (failed_) return std::nullopt;
        const std::optional<std::string_view> text = fields_.Next();
        if (!text) Refuse(field);
        return text;
    }

    // An integer whose signed value lies in [nLow, nHigh], stored as T's bits.
    template <class T>
    bool Number(T& out, std::string_view field, std::int64_t nLow = -kAny,
                std::int64_t nHigh = kAny) {
        const std::optional<std::string_view> text = Field(field);
        if (!text) return false;
        const std::optional<std::int32_t> nValue = ParseSlotInt(*text);
        if (!nValue || *nValue < nLow || *nValue > nHigh) return Refuse(field);
        out = static_cast<T>(*nValue);
        return true;
    }
    bool Flag(std::uint32_t& out, std::string_view field) { return Number(out, field, 0, 1); }
    bool Position(std::int32_t& out, std::string_view field) {
        return Number(out, field, -kPosition, kPosition);
    }
    bool RectField(platform::Rect& out, std::string_view field) {
        return Position(out.left, field) && Position(out.top, field) &&
               Position(out.right, field) && Position(out.bottom, field);
    }

    bool Float(float& out, std::string_view field, float fLow, float fHigh) {
        const std::optional<std::string_view> text = Field(field);
        if (!text) return false;
        const std::optional<float> fValue = ParseSlotFloat(*text);
        if (!fValue || *fValue < fLow || *fValue > fHigh) return Refuse(field);
        out = *fValue;
        return true;
    }

    bool String(std::string& out, std::string_view field, std::size_t nMaxBytes) {
        const std::optional<std::string_view> text = Field(field);
        if (!text) return false;
        std::optional<std::string> value = ParseSlotString(*text, nMaxBytes);
        if (!value) return Refuse(field);
        out = std::move(*value);
        return true;
    }
    // "__NULL__" or a name that may reach the file system.
    bool DataNameField(std::string& out, std::string_view field) {
        return String(out, field, kPathBytes) && (out.empty() || IsDataName(out) || Refuse(field));
    }

    bool MarkerLine(std::string_view name, std::string_view suffix) {
        std::string_view line;
        return NextLine(line, name) && (SlotMarkerIs(line, Marker(name, suffix)) || Refuse(name));
    }

    // A counted section: its START line, at most nCount entries read by entry (handed
    // the entry's index), then its END line, which may come early. Gives the number
    // of entries read.
    template <class Entry>
    std::size_t Section(std::string_view name, std::size_t nCount, Entry entry) {
        if (!MarkerLine(name, SlotLayout::kStart)) return 0;
        const std::string endMarker = Marker(name, SlotLayout::kEnd);
        std::string_view line;
        for (std::size_t i = 0; i < nCount; ++i) {
            if (!NextLine(line, name)) return i;
            if (SlotMarkerIs(line, endMarker)) return i;
            if (!StartFields(line) || !entry(i)) return i;
        }
        if (NextLine(line, name) && !SlotMarkerIs(line, endMarker)) Refuse(name);
        return nCount;
    }

    void ReadHead() {
        if (Line("nHeader")) {
            for (std::int32_t& nValue : image_.nHeader) Number(nValue, "nHeader");
            EndLine("nHeader");
        }
        if (Line("szBGMName") && DataNameField(image_.szBGMName, "szBGMName")) EndLine("szBGMName");
        if (Line("szVoice") && DataNameField(image_.szVoice, "szVoice")) EndLine("szVoice");
        if (Line("nMode") && Number(image_.nMode, "nMode") && ResumableMode() &&
            Number(image_.nOldMode, "nOldMode", 0, kLastMode)) {
            EndLine("nOldMode");
        }
        for (SlotImage::CLOTHES& clothes : image_.ClothesData) ReadClothes(clothes);
        if (Line("nSortNo", true)) {
            for (std::int32_t& nPlace : image_.nSortNo) Number(nPlace, "nSortNo", -1, kLastCostume);
            EndLine("nSortNo");
        }
    }

    bool ResumableMode() {
        if (image_.nMode == kAdventureMode || image_.nMode == kClothesMode) return true;
        return Refuse("nMode");
    }

    void ReadClothes(SlotImage::CLOTHES& clothes) {
        if (Line("ClothesData", true) && Number(clothes.dwFlag, "dwFlag") &&
            Number(clothes.nFace, "nFace", 0, kMaxFace) &&
            Number(clothes.nPartsNum, "nPartsNum", 0, kMaxParts) &&
            String(clothes.szDescription, "szDescription", kWordBytes) &&
            DataNameField(clothes.szScenario, "szScenario")) {
            EndLine("szScenario");
        }
    }

    void ReadScript() {
        SlotImage::SCR_FILE& scr = image_.ScrFileData;
        if (Line("ScrFileData") && Number(scr.nLine, "nLine", 0) &&
            Flag(scr.nReadFlg, "nReadFlg") && Flag(scr.nExeFlg, "nExeFlg") &&
            Flag(scr.nEndScriptFlg, "nEndScriptFlg") && Flag(scr.nNextReadFlg, "nNextReadFlg") &&
            Number(scr.nSelectPhase, "nSelectPhase", 0, 0) && Number(scr.nLastWord, "nLastWord") &&
            DataNameField(scr.szFileName, "szFileName") && EndLine("szFileName") &&
            image_.nMode == kAdventureMode) {
            CheckResume(scr);
        }
        for (SlotImage::SCR_CMD& cmd : scr.Cmd) ReadCommand(cmd);
    }

    void CheckResume(const SlotImage::SCR_FILE& scr) {
        if (scr.szFileName.empty() || schema_.pScripts == nullptr) {
            Refuse("szFileName");
            return;
        }
        const std::optional<std::string> bytes = schema_.pScripts->MemberBytes(scr.szFileName);
        if (!bytes) {
            Refuse("szFileName");
        } else if (!ScriptHoldsLines(*bytes, scr.nLine)) {
            Refuse("nLine");
        }
    }

    void ReadCommand(SlotImage::SCR_CMD& cmd) {
        if (!Line("Cmd", true, kTokenLineBytes) || !Flag(cmd.nWaitFlg, "nWaitFlg") ||
            !Number(cmd.dwStartTime, "dwStartTime") || !Number(cmd.dwPhase, "dwPhase") ||
            !String(cmd.szCommand, "szCommand", kWordBytes)) {
            return;
        }
        const bool bFree = cmd.szCommand.empty();
        if (bFree && (cmd.nWaitFlg != 0 || cmd.dwStartTime != 0 || cmd.dwPhase != 0)) {
            Refuse("szCommand");
            return;
        }
        const auto isWord = schema_.IsCommandWord;
        if (!bFree && (isWord == nullptr || !isWord(cmd.szCommand))) {
            Refuse("szCommand");
            return;
        }
        for (std::string& arg : cmd.szArg) {
            if (String(arg, "szArg", kWordBytes) && bFree && !arg.empty()) Refuse("szArg");
        }
        EndLine("szArg");
    }

    void ReadStrips() {
        std::int32_t nCount = 0;
        if (Line("nClipNum") && Number(nCount, "nClipNum", 0, kMaxStrips)) EndLine("nClipNum");
        if (failed_) return;
        image_.ClippingData.assign(static_cast<std::size_t>(nCount), {});
        Section(SlotLayout::kClip, image_.ClippingData.size(), [this](std::size_t i) {
            SlotImage::CLIP_STRIP& strip = image_.ClippingData[i];
            return RectField(strip.rcClip, "prcClip") &&
                   RectField(strip.rcStartClip, "prcStartClip") &&
                   Number(strip.dwClipTime, "pdwClipTime") && EndLine("pdwClipTime");
        });
    }

    void ReadWindows() {
        SlotImage::MSG_WINDOW& msg = image_.MsgWindowData;
        if (Line("MsgWindowData") && Flag(msg.nOpenFlg, "nOpenFlg") &&
            Number(msg.nX, "nX", kMsgWindowX, kMsgWindowX) &&
            Number(msg.nY, "nY", kMsgWindowTop, kMsgWindowBottom) &&
            Flag(msg.nSlideFlg, "nSlideFlg")) {
            for (std::uint32_t& nState : msg.nButtonState) {
                if (Number(nState, "nButtonState") && !IsButtonState(nState))
                    Refuse("nButtonState");
            }
            EndLine("nButtonState");
        }
        // The unescaped texts keep the escaped length, so the length bounds both.
        if (Line("MsgData", false, kTokenLineBytes) &&
            Number(msg.nFontSize, "nFontSize", 1, kMaxFontSize) && Number(msg.dwColor, "dwColor") &&
            String(msg.szText, "szText", kShortTextBytes) &&
            String(msg.szName, "szName", kNameBytes) &&
            String(msg.szScriptText, "szScriptText", kShortTextBytes) &&
            DataNameField(msg.szVoice, "szVoice")) {
            EndLine("szVoice");
        }
        ReadChoiceWindow();
        SlotImage::DAY_WINDOW& day = image_.DayWindowData;
        if (Line("DayWindowData") && Flag(day.nDispFlg, "nDispFlg") &&
            Flag(day.nSlideFlg, "nSlideFlg") && Number(day.nX, "nX", kDayWindowLeft, kDayWindowX) &&
            Number(day.nY, "nY", kDayWindowY, kDayWindowY) && Number(day.nDay, "nDay", 0)) {
            EndLine("nDay");
        }
    }

    void ReadChoiceWindow() {
        SlotImage::SELECT_WINDOW& slc = image_.SelectWindowData;
        SlotImage::ANIMATION& anim = slc.HighLight;
        if (Line("SelectWindowData") && Flag(slc.nInitFlg, "nInitFlg") &&
            Number(slc.nStep, "nStep", 0, kLastChoiceStep) &&
            Number(slc.nNum, "nNum", slc.nInitFlg != 0 ? 1 : 0, SlotImage::kPlateCount) &&
            Flag(anim.nPlayFlg, "nPlayFlg") && Flag(anim.nDirection, "nDirection") &&
            Number(anim.nAnimNum, "nAnimNum", 0, kChoiceFrames) &&
            (anim.nAnimNum == 0 || anim.nAnimNum == kChoiceFrames || Refuse("nAnimNum")) &&
            Number(anim.nAnimNo, "nAnimNo", 0, anim.nAnimNum == 0 ? 0 : anim.nAnimNum - 1) &&
            Flag(anim.nType, "nType") && EndLine("nType") && Line("pdwCtrlTime", true)) {
            anim.pdwCtrlTime.assign(anim.nAnimNum, 0);
            for (std::uint32_t& dwTime : anim.pdwCtrlTime) Number(dwTime, "pdwCtrlTime");
            EndLine("pdwCtrlTime");
        }
        for (SlotImage::SELECT_PLATE& plate : slc.SlcWnd) ReadPlate(plate);
    }

    void ReadPlate(SlotImage::SELECT_PLATE& plate) {
        if (Line("SlcWnd") && Flag(plate.nDispFlg, "nDispFlg") &&
            Flag(plate.nClickFlg, "nClickFlg") && Flag(plate.nZoomFlg, "nZoomFlg") &&
            Position(plate.nCenterX, "nCenterX") && Position(plate.nCenterY, "nCenterY") &&
            RectField(plate.rcHit, "rcHit") && String(plate.szText, "szText", kShortTextBytes) &&
            Number(plate.nFontSize, "nFontSize", 1, kMaxFontSize) &&
            Number(plate.dwColor, "dwColor") && Float(plate.fScale, "fScale", 0.0f, 1.0f)) {
            EndLine("fScale");
        }
    }

    void ReadVariables() {
        std::vector<std::int32_t>& values = image_.VARIABLE_DATA;
        values.assign(static_cast<std::size_t>(std::max(schema_.nVarNum, 0)), 0);
        const std::size_t nRead = Section(SlotLayout::kVar, values.size(), [&](std::size_t i) {
            return Number(values[i], SlotLayout::kVar) && EndLine(SlotLayout::kVar);
        });
        values.resize(nRead);
    }

    void ReadCharacters() {
        image_.CHARACTER_DATA.assign(schema_.Characters.size(), {});
        for (std::size_t i = 0; i < schema_.Characters.size(); ++i) {
            image_.CHARACTER_DATA[i].szID = schema_.Characters[i].szID;
        }
        std::vector<bool> seen(schema_.Characters.size(), false);
        if (!MarkerLine(SlotLayout::kChar, SlotLayout::kStart)) return;
        const std::string endMarker = Marker(SlotLayout::kChar, SlotLayout::kEnd);
        std::string_view line;
        while (NextLine(line, SlotLayout::kChar) && !SlotMarkerIs(line, endMarker)) {
            const std::size_t n = FindBlock(line);
            if (n == seen.size() || seen[n]) {
                Refuse(SlotLayout::kChar);
                return;
            }
            seen[n] = true;
            ReadBlock(schema_.Characters[n], image_.CHARACTER_DATA[n]);
        }
        for (const bool bSeen : seen) {
            if (!bSeen) Refuse(SlotLayout::kChar);
        }
    }

    // The registered character whose block a START line opens; the count for none.
    std::size_t FindBlock(std::string_view line) const {
        for (std::size_t n = 0; n < schema_.Characters.size(); ++n) {
            const std::string name = SlotLayout::CharName(schema_.Characters[n].szID);
            if (SlotMarkerIs(line, Marker(name, SlotLayout::kStart))) return n;
        }
        return schema_.Characters.size();
    }

    void ReadBlock(const SlotSchema::CHARACTER& shape, SlotImage::CHARACTER& chara) {
        const std::string name = SlotLayout::CharName(shape.szID);
        std::string_view line;
        if (!NextLine(line, name) || SlotMarkerIs(line, Marker(name, SlotLayout::kEnd))) return;
        chara.bSaved = true;
        const std::int32_t nLastBody = shape.nBodyNum - 1;
        const auto nLastFace = static_cast<std::int32_t>(shape.nEyeNum.size()) - 1;
        std::string szID;
        if (StartFields(line) && String(szID, "szID", kNameBytes) &&
            (platform::SjisEqualsIgnoreCase(szID, shape.szID) || Refuse("szID")) &&
            Number(chara.nLoveValue, "nLoveValue") && Number(chara.dwEventFlg, "dwEventFlg") &&
            Position(chara.nX, "nX") && Position(chara.nY, "nY") &&
            Number(chara.nBody, "nBody", -1, nLastBody) &&
            Number(chara.nNextBody, "nNextBody", -1, nLastBody) &&
            Float(chara.fBodyAlpha, "fBodyAlpha", 0.0f, 1.0f) &&
            Number(chara.nFace, "nFace", -1, nLastFace) &&
            Number(chara.nNextFace, "nNextFace", -1, nLastFace) &&
            Float(chara.fFaceAlpha, "fFaceAlpha", 0.0f, 1.0f) &&
            Number(chara.nState, "nState", 0, 1) && Number(chara.nDispFlg, "nDispFlg", 0, 1) &&
            EndLine("nDispFlg")) {
            ReadFaces(shape, chara);
            MarkerLine(name, SlotLayout::kEnd);
        }
    }

    void ReadFaces(const SlotSchema::CHARACTER& shape, SlotImage::CHARACTER& chara) {
        const std::string name = SlotLayout::FaceName(shape.szID);
        const std::string endMarker = Marker(name, SlotLayout::kEnd);
        std::string_view line;
        if (!MarkerLine(name, SlotLayout::kStart) || !NextLine(line, name)) return;
        if (SlotMarkerIs(line, endMarker)) return;
        if (shape.nEyeNum.empty()) {
            Refuse(name);
            return;
        }
        chara.pFaceData.assign(shape.nEyeNum.size(), {});
        for (std::size_t j = 0; j < shape.nEyeNum.size(); ++j) {
            SlotImage::FACE& face = chara.pFaceData[j];
            const std::int32_t nEyes = shape.nEyeNum[j];
            if (j > 0 && !NextLine(line, name)) return;
            if (!StartFields(line) || !Number(face.nEyeNum, "nEyeNum", nEyes, nEyes) ||
                !EndLine("nEyeNum")) {
                return;
            }
            face.dwEyeTime.assign(static_cast<std::size_t>(nEyes), 0);
            const std::string eyeName =
                SlotLayout::EyeName(shape.szID, static_cast<std::int32_t>(j));
            face.dwEyeTime.resize(Section(eyeName, face.dwEyeTime.size(), [&](std::size_t k) {
                return Number(face.dwEyeTime[k], "dwTime") && EndLine("dwTime");
            }));
        }
        MarkerLine(name, SlotLayout::kEnd);
    }

    void ReadLayers() {
        ReadGraphicLine(image_.BGGraphData1, true);
        ReadGraphicLine(image_.BGGraphData2, true);
        ReadGraphicEx(image_.PRIM1, "PRIM1");
        ReadGraphicEx(image_.PRIM2, "PRIM2");
        if (Line("dwMsgTextWork")) {
            for (std::uint32_t& dwWord : image_.dwMsgTextWork) {
                Number(dwWord, "dwMsgTextWork", -1, kMaxRevealWord);
            }
            EndLine("dwMsgTextWork");
        }
    }

    // The seven numbers that open both kinds of layer line.
    bool GraphicNumbers(SlotImage::GRAPHIC& graph) {
        return Flag(graph.dwFlag, "dwFlag") && Flag(graph.nDispFlg, "nDispFlg") &&
               Number(graph.dwTime, "dwTime") && Flag(graph.nGKind, "nGKind") &&
               Number(graph.nIndex, "nIndex", -1,
                      (graph.nGKind != 0 ? schema_.nSurfaceSlots : schema_.nTextureSlots) - 1) &&
               Position(graph.nX, "nX") && Position(graph.nY, "nY");
    }
    // The three floats, the name and the path.
    bool GraphicLooks(SlotImage::GRAPHIC& graph) {
        return Float(graph.fAlpha, "fAlpha", 0.0f, 1.0f) &&
               Float(graph.fScaleX, "fScaleX", 0.0f, kMaxScale) &&
               Float(graph.fScaleY, "fScaleY", 0.0f, kMaxScale) &&
               String(graph.szName, "szName", kNameBytes) &&
               String(graph.szFilePath, "szFilePath", kPathBytes);
    }

    void ReadGraphicLine(SlotImage::GRAPHIC& graph, bool bBackground) {
        if (Line("GRAPHIC_DATA", bBackground) && GraphicNumbers(graph) && GraphicLooks(graph)) {
            EndLine("szFilePath");
        }
    }

    void ReadGraphicEx(SlotImage::GRAPHIC_EX& layer, std::string_view name) {
        SlotImage::ANIMATION& anim = layer.AnimData;
        if (!Line(name) || !GraphicNumbers(layer.Graphic) || !Number(layer.dwExtra, "dwExtra") ||
            !Flag(layer.nCrossFadeFlg, "nCrossFadeFlg") || !Number(layer.nNextAnim, "nNextAnim") ||
            !Number(layer.nCrossAlpha, "nCrossAlpha", 0, kMaxCrossAlpha) ||
            !Flag(anim.nPlayFlg, "nPlayFlg") || !Flag(anim.nDirection, "nDirection") ||
            !Number(anim.nAnimNum, "nAnimNum", 0, kMaxAnimFrames) ||
            !Number(anim.nAnimNo, "nAnimNo", 0, kMaxAnimFrames) || !Flag(anim.nType, "nType") ||
            !EndLine("nType")) {
            return;
        }
        const std::uint32_t nLast = anim.nAnimNum == 0 ? 0 : anim.nAnimNum - 1;
        if (anim.nAnimNo > nLast) Refuse("nAnimNo");
        if (layer.nNextAnim > nLast) Refuse("nNextAnim");
        anim.pdwCtrlTime.assign(anim.nAnimNum, 0);
        Section(SlotLayout::CtrlTimeName(name), anim.nAnimNum, [&](std::size_t i) {
            return Number(anim.pdwCtrlTime[i], "pdwCtrlTime") && EndLine("pdwCtrlTime");
        });
        if (Line(name) && GraphicLooks(layer.Graphic) &&
            Number(layer.nAnimNum, "nAnimNum", anim.nAnimNum, anim.nAnimNum)) {
            EndLine("nAnimNum");
        }
        layer.prcAnim.assign(anim.nAnimNum, {});
        Section(SlotLayout::RectName(name), anim.nAnimNum, [&](std::size_t i) {
            return RectField(layer.prcAnim[i], "prcAnim") && EndLine("prcAnim");
        });
    }

    void ReadTables() {
        ReadTable(SlotLayout::kSurf, schema_.nSurfaceSlots, true, image_.SURF_LOAD_DATA);
        ReadTable(SlotLayout::kTex, schema_.nTextureSlots, true, image_.TEX_LOAD_DATA);
        ReadTable(SlotLayout::kWave, schema_.nWaveSlots, false, image_.WAVE_LOAD_DATA);
        std::string_view line;
        if (!failed_ && lines_.Next(line, kSectionLineBytes) != SlotLineCursor::STATE::End) {
            Refuse(SlotLayout::kWave);
        }
    }

    void ReadTable(std::string_view name, std::int32_t nCount, bool bKeyFlag,
                   std::vector<SlotImage::LOAD_PAIR>& pairs) {
        pairs.assign(static_cast<std::size_t>(std::max(nCount, 0)), {});
        pairs.resize(Section(name, pairs.size(), [&](std::size_t i) {
            const bool bSecond =
                bKeyFlag ? Flag(pairs[i].dwFlag, "dwFlag") : Number(pairs[i].dwFlag, "dwFlag");
            return bSecond && Flag(pairs[i].nLoadFlg, "nLoadFlg") && EndLine("nLoadFlg");
        }));
    }

    SlotLineCursor lines_;
    const SlotSchema& schema_;
    SlotFieldCursor fields_{{}, false};
    SlotImage image_;
    SlotParseResult result_;
    bool failed_ = false;
};

}  // namespace

SlotParseResult ParseSlotFile(std::string_view bytes, const SlotSchema& schema) {
    return SlotParser(bytes, schema).Parse();
}

bool ScriptHoldsLines(std::string_view bytes, std::int32_t nLines) {
    const platform::MemoryStream stream(bytes);
    return stream.get() != nullptr && SkipScriptLines(stream.get(), nLines);
}
