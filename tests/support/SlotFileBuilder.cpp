#include "support/SlotFileBuilder.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <locale>
#include <sstream>

namespace zktest {

namespace {

using KIND = SlotFileField::KIND;

// Appends fields and records them; a line may end with a blank after every field.
class LineWriter {
public:
    LineWriter(std::string& bytes, std::vector<SlotFileField>& fields)
        : bytes_(bytes), fields_(fields) {}

    void field(std::string_view name, KIND kind, std::string_view text) {
        if (!first_) bytes_ += ' ';
        first_ = false;
        fields_.push_back({bytes_.size(), text.size(), std::string(name), kind});
        bytes_ += text;
    }
    void number(std::string_view name, std::int64_t value) {
        field(name, KIND::Integer, std::to_string(static_cast<std::int32_t>(value)));
    }
    void real(std::string_view name, float value) {
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text << std::fixed << std::setprecision(6) << static_cast<double>(value);
        field(name, KIND::Float, text.str());
    }
    void text(std::string_view name, std::string_view value) {
        field(name, KIND::Text, value.empty() ? "__NULL__" : value);
    }
    void rect(std::string_view name, const platform::Rect& rc) {
        for (const std::int32_t edge : {rc.left, rc.top, rc.right, rc.bottom}) number(name, edge);
    }
    // Ends the line; "blank" writes the blank the layout puts after the last field.
    void end(bool blank = false) {
        if (blank && !first_) bytes_ += ' ';
        bytes_ += '\n';
        first_ = true;
    }
    void marker(std::string_view section, std::string_view name) {
        field(section, KIND::Marker, "---" + std::string(name) + "---");
        end();
    }

private:
    std::string& bytes_;
    std::vector<SlotFileField>& fields_;
    bool first_ = true;
};

void Layer(LineWriter& w, const SlotImage::GRAPHIC& g, bool looks) {
    if (looks) {
        w.real("fAlpha", g.fAlpha);
        w.real("fScaleX", g.fScaleX);
        w.real("fScaleY", g.fScaleY);
        w.text("szName", g.szName);
        w.text("szFilePath", g.szFilePath);
        return;
    }
    w.number("dwFlag", g.dwFlag);
    w.number("nDispFlg", g.nDispFlg);
    w.number("dwTime", g.dwTime);
    w.number("nGKind", g.nGKind);
    w.number("nIndex", g.nIndex);
    w.number("nX", g.nX);
    w.number("nY", g.nY);
}

void Prim(LineWriter& w, const SlotImage::GRAPHIC_EX& p, const std::string& layer) {
    Layer(w, p.Graphic, false);
    w.number("dwExtra", p.dwExtra);
    w.number("nCrossFadeFlg", p.nCrossFadeFlg);
    w.number("nNextAnim", p.nNextAnim);
    w.number("nCrossAlpha", p.nCrossAlpha);
    w.number("nPlayFlg", p.AnimData.nPlayFlg);
    w.number("nDirection", p.AnimData.nDirection);
    w.number("nAnimNum", p.AnimData.nAnimNum);
    w.number("nAnimNo", p.AnimData.nAnimNo);
    w.number("nType", p.AnimData.nType);
    w.end();
    const std::string time = layer + "_ANIM_DATA_CTRL_TIME";
    w.marker(time, time + "_START");
    for (const std::uint32_t t : p.AnimData.pdwCtrlTime) {
        w.number("pdwCtrlTime", t);
        w.end();
    }
    w.marker(time, time + "_END");
    Layer(w, p.Graphic, true);
    w.number("nAnimNum", p.nAnimNum);
    w.end();
    const std::string rect = layer + "_ANIM_DATA_RECT";
    w.marker(rect, rect + "_START");
    for (const platform::Rect& rc : p.prcAnim) {
        w.rect("prcAnim", rc);
        w.end();
    }
    w.marker(rect, rect + "_END");
}

void Character(LineWriter& w, const SlotImage::CHARACTER& c) {
    const std::string& id = c.szID;
    w.marker("CHARACTER_DATA", id + "_DATA_START");
    if (c.bSaved) {
        w.text("szID", id);
        w.number("nLoveValue", c.nLoveValue);
        w.number("dwEventFlg", c.dwEventFlg);
        w.number("nX", c.nX);
        w.number("nY", c.nY);
        w.number("nBody", c.nBody);
        w.number("nNextBody", c.nNextBody);
        w.real("fBodyAlpha", c.fBodyAlpha);
        w.number("nFace", c.nFace);
        w.number("nNextFace", c.nNextFace);
        w.real("fFaceAlpha", c.fFaceAlpha);
        w.number("nState", c.nState);
        w.number("nDispFlg", c.nDispFlg);
        w.end();
        w.marker("FACE_DATA", id + "_FACE_DATA_START");
        for (std::size_t j = 0; j < c.pFaceData.size(); ++j) {
            w.number("nEyeNum", c.pFaceData[j].nEyeNum);
            w.end();
            const std::string eye = id + "_FACE" + std::to_string(j) + "_EYE_DATA";
            w.marker("EYE_DATA", eye + "_START");
            for (const std::uint32_t t : c.pFaceData[j].dwEyeTime) {
                w.number("dwTime", t);
                w.end();
            }
            w.marker("EYE_DATA", eye + "_END");
        }
        w.marker("FACE_DATA", id + "_FACE_DATA_END");
    }
    w.marker("CHARACTER_DATA", id + "_DATA_END");
}

void Table(LineWriter& w, const std::string& name, const std::vector<SlotImage::LOAD_PAIR>& pairs) {
    w.marker(name, name + "_START");
    for (const SlotImage::LOAD_PAIR& pair : pairs) {
        w.number("dwFlag", pair.dwFlag);
        w.number("nLoadFlg", pair.nLoadFlg);
        w.end();
    }
    w.marker(name, name + "_END");
}

}  // namespace

SlotFileBuilder::SlotFileBuilder(const SlotImage& image) {
    LineWriter w(bytes, fields);
    for (const std::int32_t v : image.nHeader) w.number("nHeader", v);
    w.end();
    w.text("szBGMName", image.szBGMName);
    w.end();
    w.text("szVoice", image.szVoice);
    w.end();
    w.number("nMode", image.nMode);
    w.number("nOldMode", image.nOldMode);
    w.end();
    for (const SlotImage::CLOTHES& c : image.ClothesData) {
        w.number("dwFlag", c.dwFlag);
        w.number("nFace", c.nFace);
        w.number("nPartsNum", c.nPartsNum);
        w.text("szDescription", c.szDescription);
        w.text("szScenario", c.szScenario);
        w.end(true);
    }
    for (const std::int32_t v : image.nSortNo) w.number("nSortNo", v);
    w.end(true);

    const SlotImage::SCR_FILE& s = image.ScrFileData;
    w.number("nLine", s.nLine);
    w.number("nReadFlg", s.nReadFlg);
    w.number("nExeFlg", s.nExeFlg);
    w.number("nEndScriptFlg", s.nEndScriptFlg);
    w.number("nNextReadFlg", s.nNextReadFlg);
    w.number("nSelectPhase", s.nSelectPhase);
    w.number("nLastWord", s.nLastWord);
    w.text("szFileName", s.szFileName);
    w.end();
    for (const SlotImage::SCR_CMD& cmd : s.Cmd) {
        w.number("nWaitFlg", cmd.nWaitFlg);
        w.number("dwStartTime", cmd.dwStartTime);
        w.number("dwPhase", cmd.dwPhase);
        w.text("szCommand", cmd.szCommand);
        for (const std::string& arg : cmd.szArg) w.text("szArg", arg);
        w.end(true);
    }

    w.number("nClipNum", static_cast<std::int64_t>(image.ClippingData.size()));
    w.end();
    w.marker("CLIPPING_DATA", "CLIPPING_DATA_START");
    for (const SlotImage::CLIP_STRIP& strip : image.ClippingData) {
        w.rect("prcClip", strip.rcClip);
        w.rect("prcStartClip", strip.rcStartClip);
        w.number("pdwClipTime", strip.dwClipTime);
        w.end();
    }
    w.marker("CLIPPING_DATA", "CLIPPING_DATA_END");

    const SlotImage::MSG_WINDOW& m = image.MsgWindowData;
    w.number("nOpenFlg", m.nOpenFlg);
    w.number("nX", m.nX);
    w.number("nY", m.nY);
    w.number("nSlideFlg", m.nSlideFlg);
    for (const std::uint32_t b : m.nButtonState) w.number("nButtonState", b);
    w.end();
    w.number("nFontSize", m.nFontSize);
    w.number("dwColor", m.dwColor);
    w.text("szText", m.szText);
    w.text("szName", m.szName);
    w.text("szScriptText", m.szScriptText);
    w.text("szVoice", m.szVoice);
    w.end();

    const SlotImage::SELECT_WINDOW& sel = image.SelectWindowData;
    w.number("nInitFlg", sel.nInitFlg);
    w.number("nStep", sel.nStep);
    w.number("nNum", sel.nNum);
    w.number("nPlayFlg", sel.HighLight.nPlayFlg);
    w.number("nDirection", sel.HighLight.nDirection);
    w.number("nAnimNum", sel.HighLight.nAnimNum);
    w.number("nAnimNo", sel.HighLight.nAnimNo);
    w.number("nType", sel.HighLight.nType);
    w.end();
    for (const std::uint32_t t : sel.HighLight.pdwCtrlTime) w.number("pdwCtrlTime", t);
    w.end(true);
    for (const SlotImage::SELECT_PLATE& p : sel.SlcWnd) {
        w.number("nDispFlg", p.nDispFlg);
        w.number("nClickFlg", p.nClickFlg);
        w.number("nZoomFlg", p.nZoomFlg);
        w.number("nCenterX", p.nCenterX);
        w.number("nCenterY", p.nCenterY);
        w.rect("rcHit", p.rcHit);
        w.text("szText", p.szText);
        w.number("nFontSize", p.nFontSize);
        w.number("dwColor", p.dwColor);
        w.real("fScale", p.fScale);
        w.end();
    }
    const SlotImage::DAY_WINDOW& d = image.DayWindowData;
    w.number("nDispFlg", d.nDispFlg);
    w.number("nSlideFlg", d.nSlideFlg);
    w.number("nX", d.nX);
    w.number("nY", d.nY);
    w.number("nDay", d.nDay);
    w.end();

    w.marker("VARIABLE_DATA", "VARIABLE_DATA_START");
    for (const std::int32_t v : image.VARIABLE_DATA) {
        w.number("VARIABLE_DATA", v);
        w.end();
    }
    w.marker("VARIABLE_DATA", "VARIABLE_DATA_END");
    w.marker("CHARACTER_DATA", "CHARACTER_DATA_START");
    for (const SlotImage::CHARACTER& c : image.CHARACTER_DATA) Character(w, c);
    w.marker("CHARACTER_DATA", "CHARACTER_DATA_END");

    for (const SlotImage::GRAPHIC* g : {&image.BGGraphData1, &image.BGGraphData2}) {
        Layer(w, *g, false);
        Layer(w, *g, true);
        w.end(true);
    }
    Prim(w, image.PRIM1, "PRIM1");
    Prim(w, image.PRIM2, "PRIM2");
    for (const std::uint32_t v : image.dwMsgTextWork) w.number("dwMsgTextWork", v);
    w.end();
    Table(w, "SURF_LOAD_DATA", image.SURF_LOAD_DATA);
    Table(w, "TEX_LOAD_DATA", image.TEX_LOAD_DATA);
    Table(w, "WAVE_LOAD_DATA", image.WAVE_LOAD_DATA);
}

const SlotFileField& SlotFileBuilder::Find(std::string_view name, int occurrence) const {
    for (const SlotFileField& field : fields) {
        if (field.name == name && occurrence-- == 0) return field;
    }
    ADD_FAILURE() << "no field " << name;
    return fields.front();
}

std::string SlotFileBuilder::With(std::string_view name, int occurrence,
                                  std::string_view text) const {
    const SlotFileField& field = Find(name, occurrence);
    std::string out = bytes;
    out.replace(field.offset, field.length, text);
    return out;
}

std::int32_t SlotFileBuilder::LineOf(std::size_t offset) const {
    std::int32_t line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) line += bytes[i] == '\n';
    return line;
}

}  // namespace zktest
