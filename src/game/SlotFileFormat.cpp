#include "game/SlotFileFormat.h"

#include "game/SlotLayout.h"
#include "game/SlotText.h"

namespace {

using SlotLayout::Marker;

// Appends fields separated by one blank; the layout ends some lines with a blank
// after their last field as well.
class SlotWriter {
public:
    explicit SlotWriter(std::string& out) : out_(out) {}

    SlotWriter& Int(std::int32_t nValue) {
        Separate();
        AppendSlotInt(out_, nValue);
        return *this;
    }
    SlotWriter& Word(std::uint32_t dwValue) {
        Separate();
        AppendSlotWord(out_, dwValue);
        return *this;
    }
    SlotWriter& Float(float fValue) {
        Separate();
        AppendSlotFloat(out_, fValue);
        return *this;
    }
    SlotWriter& String(std::string_view text) {
        Separate();
        AppendSlotString(out_, text);
        return *this;
    }
    SlotWriter& Rect(const platform::Rect& rc) {
        return Int(rc.left).Int(rc.top).Int(rc.right).Int(rc.bottom);
    }
    void EndLine(bool bTrailingBlank = false) {
        if (bTrailingBlank && bOpen_) out_ += ' ';
        out_ += '\n';
        bOpen_ = false;
    }
    void MarkerLine(std::string_view name, std::string_view suffix) {
        out_ += Marker(name, suffix);
        EndLine();
    }

private:
    void Separate() {
        if (bOpen_) out_ += ' ';
        bOpen_ = true;
    }

    std::string& out_;
    bool bOpen_ = false;
};

void WriteHead(SlotWriter& w, const SlotImage& image) {
    for (const std::int32_t nValue : image.nHeader) w.Int(nValue);
    w.EndLine();
    w.String(image.szBGMName).EndLine();
    w.String(image.szVoice).EndLine();
    w.Int(image.nMode).Int(image.nOldMode).EndLine();
    for (const SlotImage::CLOTHES& clothes : image.ClothesData) {
        w.Word(clothes.dwFlag).Word(clothes.nFace).Word(clothes.nPartsNum);
        w.String(clothes.szDescription).String(clothes.szScenario).EndLine(true);
    }
    for (const std::int32_t nPlace : image.nSortNo) w.Int(nPlace);
    w.EndLine(true);
}

void WriteScript(SlotWriter& w, const SlotImage::SCR_FILE& scr) {
    w.Int(scr.nLine).Word(scr.nReadFlg).Word(scr.nExeFlg).Word(scr.nEndScriptFlg);
    w.Word(scr.nNextReadFlg).Word(scr.nSelectPhase).Int(scr.nLastWord).String(scr.szFileName);
    w.EndLine();
    for (const SlotImage::SCR_CMD& cmd : scr.Cmd) {
        w.Word(cmd.nWaitFlg).Word(cmd.dwStartTime).Word(cmd.dwPhase).String(cmd.szCommand);
        for (const std::string& arg : cmd.szArg) w.String(arg);
        w.EndLine(true);
    }
}

void WriteStrips(SlotWriter& w, const std::vector<SlotImage::CLIP_STRIP>& strips) {
    w.Int(static_cast<std::int32_t>(strips.size())).EndLine();
    w.MarkerLine(SlotLayout::kClip, SlotLayout::kStart);
    for (const SlotImage::CLIP_STRIP& strip : strips) {
        w.Rect(strip.rcClip).Rect(strip.rcStartClip).Word(strip.dwClipTime).EndLine();
    }
    w.MarkerLine(SlotLayout::kClip, SlotLayout::kEnd);
}

void WriteWindows(SlotWriter& w, const SlotImage& image) {
    const SlotImage::MSG_WINDOW& msg = image.MsgWindowData;
    w.Word(msg.nOpenFlg).Int(msg.nX).Int(msg.nY).Word(msg.nSlideFlg);
    for (const std::uint32_t nState : msg.nButtonState) w.Word(nState);
    w.EndLine();
    w.Word(msg.nFontSize).Word(msg.dwColor).String(msg.szText).String(msg.szName);
    w.String(msg.szScriptText).String(msg.szVoice).EndLine();

    const SlotImage::SELECT_WINDOW& slc = image.SelectWindowData;
    const SlotImage::ANIMATION& anim = slc.HighLight;
    w.Word(slc.nInitFlg).Word(slc.nStep).Int(slc.nNum).Word(anim.nPlayFlg).Word(anim.nDirection);
    w.Word(anim.nAnimNum).Word(anim.nAnimNo).Word(anim.nType).EndLine();
    for (const std::uint32_t dwTime : anim.pdwCtrlTime) w.Word(dwTime);
    w.EndLine(true);
    for (const SlotImage::SELECT_PLATE& plate : slc.SlcWnd) {
        w.Word(plate.nDispFlg).Word(plate.nClickFlg).Word(plate.nZoomFlg).Int(plate.nCenterX);
        w.Int(plate.nCenterY).Rect(plate.rcHit).String(plate.szText).Word(plate.nFontSize);
        w.Word(plate.dwColor).Float(plate.fScale).EndLine();
    }

    const SlotImage::DAY_WINDOW& day = image.DayWindowData;
    w.Word(day.nDispFlg).Word(day.nSlideFlg).Int(day.nX).Int(day.nY).Int(day.nDay).EndLine();
}

void WriteVariables(SlotWriter& w, const std::vector<std::int32_t>& values) {
    w.MarkerLine(SlotLayout::kVar, SlotLayout::kStart);
    for (const std::int32_t nValue : values) w.Int(nValue).EndLine();
    w.MarkerLine(SlotLayout::kVar, SlotLayout::kEnd);
}

void WriteFaces(SlotWriter& w, const SlotImage::CHARACTER& chara) {
    const std::string name = SlotLayout::FaceName(chara.szID);
    w.MarkerLine(name, SlotLayout::kStart);
    for (std::size_t j = 0; j < chara.pFaceData.size(); ++j) {
        const SlotImage::FACE& face = chara.pFaceData[j];
        const std::string eyeName = SlotLayout::EyeName(chara.szID, static_cast<std::int32_t>(j));
        w.Int(face.nEyeNum).EndLine();
        w.MarkerLine(eyeName, SlotLayout::kStart);
        for (const std::uint32_t dwTime : face.dwEyeTime) w.Word(dwTime).EndLine();
        w.MarkerLine(eyeName, SlotLayout::kEnd);
    }
    w.MarkerLine(name, SlotLayout::kEnd);
}

void WriteCharacter(SlotWriter& w, const SlotImage::CHARACTER& chara) {
    const std::string name = SlotLayout::CharName(chara.szID);
    w.MarkerLine(name, SlotLayout::kStart);
    if (chara.bSaved) {
        w.String(chara.szID).Int(chara.nLoveValue).Word(chara.dwEventFlg).Int(chara.nX);
        w.Int(chara.nY).Int(chara.nBody).Int(chara.nNextBody).Float(chara.fBodyAlpha);
        w.Int(chara.nFace).Int(chara.nNextFace).Float(chara.fFaceAlpha).Int(chara.nState);
        w.Int(chara.nDispFlg).EndLine();
        WriteFaces(w, chara);
    }
    w.MarkerLine(name, SlotLayout::kEnd);
}

void WriteGraphicNumbers(SlotWriter& w, const SlotImage::GRAPHIC& graph) {
    w.Word(graph.dwFlag).Word(graph.nDispFlg).Word(graph.dwTime).Word(graph.nGKind);
    w.Int(graph.nIndex).Int(graph.nX).Int(graph.nY);
}

void WriteGraphicLooks(SlotWriter& w, const SlotImage::GRAPHIC& graph) {
    w.Float(graph.fAlpha).Float(graph.fScaleX).Float(graph.fScaleY);
    w.String(graph.szName).String(graph.szFilePath);
}

void WriteGraphicEx(SlotWriter& w, const SlotImage::GRAPHIC_EX& layer, std::string_view name) {
    const SlotImage::ANIMATION& anim = layer.AnimData;
    WriteGraphicNumbers(w, layer.Graphic);
    w.Word(layer.dwExtra).Word(layer.nCrossFadeFlg).Word(layer.nNextAnim).Int(layer.nCrossAlpha);
    w.Word(anim.nPlayFlg).Word(anim.nDirection).Word(anim.nAnimNum).Word(anim.nAnimNo);
    w.Word(anim.nType).EndLine();
    const std::string ctrlName = SlotLayout::CtrlTimeName(name);
    w.MarkerLine(ctrlName, SlotLayout::kStart);
    for (const std::uint32_t dwTime : anim.pdwCtrlTime) w.Word(dwTime).EndLine();
    w.MarkerLine(ctrlName, SlotLayout::kEnd);
    WriteGraphicLooks(w, layer.Graphic);
    w.Word(layer.nAnimNum).EndLine();
    const std::string rectName = SlotLayout::RectName(name);
    w.MarkerLine(rectName, SlotLayout::kStart);
    for (const platform::Rect& rc : layer.prcAnim) w.Rect(rc).EndLine();
    w.MarkerLine(rectName, SlotLayout::kEnd);
}

void WriteLayers(SlotWriter& w, const SlotImage& image) {
    for (const SlotImage::GRAPHIC* graph : {&image.BGGraphData1, &image.BGGraphData2}) {
        WriteGraphicNumbers(w, *graph);
        WriteGraphicLooks(w, *graph);
        w.EndLine(true);
    }
    WriteGraphicEx(w, image.PRIM1, "PRIM1");
    WriteGraphicEx(w, image.PRIM2, "PRIM2");
    for (const std::uint32_t dwWord : image.dwMsgTextWork) w.Word(dwWord);
    w.EndLine();
}

void WriteTable(SlotWriter& w, std::string_view name,
                const std::vector<SlotImage::LOAD_PAIR>& pairs) {
    w.MarkerLine(name, SlotLayout::kStart);
    for (const SlotImage::LOAD_PAIR& pair : pairs)
        w.Word(pair.dwFlag).Word(pair.nLoadFlg).EndLine();
    w.MarkerLine(name, SlotLayout::kEnd);
}

}  // namespace

std::string FormatSlotFile(const SlotImage& image) {
    std::string out;
    SlotWriter w(out);
    WriteHead(w, image);
    WriteScript(w, image.ScrFileData);
    WriteStrips(w, image.ClippingData);
    WriteWindows(w, image);
    WriteVariables(w, image.VARIABLE_DATA);
    w.MarkerLine(SlotLayout::kChar, SlotLayout::kStart);
    for (const SlotImage::CHARACTER& chara : image.CHARACTER_DATA) WriteCharacter(w, chara);
    w.MarkerLine(SlotLayout::kChar, SlotLayout::kEnd);
    WriteLayers(w, image);
    WriteTable(w, SlotLayout::kSurf, image.SURF_LOAD_DATA);
    WriteTable(w, SlotLayout::kTex, image.TEX_LOAD_DATA);
    WriteTable(w, SlotLayout::kWave, image.WAVE_LOAD_DATA);
    return out;
}
