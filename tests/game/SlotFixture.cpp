#include "SlotFixture.h"

#include <gtest/gtest.h>

#include "common/CodedScriptWriter.h"

namespace zktest {

std::optional<std::string> MemberScripts::MemberBytes(std::string_view szName) const {
    const auto it = members.find(szName);
    if (it == members.end()) return std::nullopt;
    return it->second;
}

std::string CodedScript(std::string_view plainLines) {
    std::string error;
    const std::optional<std::string> coded = zktools::EncodeScript(plainLines, error);
    EXPECT_TRUE(coded.has_value()) << error;
    return coded.value_or("");
}

SlotFixture::SlotFixture() {
    scripts.members["prologue.spt"] =
        CodedScript("#MsgWndOpen 20\r\n#MsgDisp AYA Hello\r\n#SelectStart 3\r\n#SelectWait\r\n");
    schema.nVarNum = 2;
    schema.Characters = {{"AYA", 2, {3, 3}}, {"MEI", 1, {2}}};
    schema.pScripts = &scripts;
}

namespace {

SlotImage::CHARACTER Character(const std::string& id, std::int32_t nX, std::size_t nFaces,
                               std::size_t nEyes) {
    SlotImage::CHARACTER chara;
    chara.szID = id;
    chara.bSaved = true;
    chara.nLoveValue = 12;
    chara.dwEventFlg = 0x80000001u;
    chara.nX = nX;
    chara.nY = 40;
    chara.nNextBody = -1;
    chara.fBodyAlpha = 1.0f;
    chara.nNextFace = -1;
    chara.fFaceAlpha = 0.5f;
    chara.nDispFlg = 1;
    for (std::size_t j = 0; j < nFaces; ++j) {
        SlotImage::FACE face;
        face.nEyeNum = static_cast<std::int32_t>(nEyes);
        for (std::size_t k = 0; k < nEyes; ++k) {
            face.dwEyeTime.push_back(static_cast<std::uint32_t>(2000 + 100 * k));
        }
        chara.pFaceData.push_back(face);
    }
    return chara;
}

void ShowPlate(SlotImage::SELECT_PLATE& plate, int n) {
    plate.nDispFlg = 1;
    plate.nClickFlg = 1;
    plate.nCenterX = 400;
    plate.nCenterY = 200 + 80 * n;
    plate.rcHit = {263, 175 + 80 * n, 537, 225 + 80 * n};
    plate.szText = "Choice" + std::to_string(n + 1);
    plate.nFontSize = 24;
    plate.dwColor = 0xFFFFFF;
    plate.fScale = 1.0f;
}

}  // namespace

SlotImage RealisticSlotImage() {
    SlotImage image;
    image.nHeader = {2026, 12, 5, 18, 7, 9, 3};
    image.szBGMName = "bgm01.mus";
    image.szVoice = "vo0003.sou";
    image.nMode = 9;
    image.nOldMode = 3;
    for (int i = 0; i < SlotImage::kClothesCount; ++i) {
        SlotImage::CLOTHES& clothes = image.ClothesData[i];
        clothes.dwFlag = i < 3 ? 0x7u : 0u;
        clothes.nFace = static_cast<std::uint32_t>(i % 3);
        clothes.nPartsNum = i < 3 ? 2u : 0u;
        if (i < 3) {
            clothes.szDescription = "Summer\\ndress" + std::to_string(i);
            clothes.szScenario = "cos0" + std::to_string(i) + ".spt";
        }
    }
    image.nSortNo = {0, 1, 2, -1, -1, -1, -1, -1};

    SlotImage::SCR_FILE& scr = image.ScrFileData;
    scr.nLine = 4;
    scr.nReadFlg = 1;
    scr.nExeFlg = 1;
    scr.szFileName = "prologue.spt";
    scr.Cmd[0].nWaitFlg = 1;
    scr.Cmd[0].dwStartTime = 51234;
    scr.Cmd[0].dwPhase = 2;
    scr.Cmd[0].szCommand = "#SelectWait";
    scr.Cmd[1].szCommand = "#PrimGraphicDisp";
    scr.Cmd[1].szArg[0] = "1";
    scr.Cmd[1].szArg[1] = "-1";

    image.ClippingData.resize(2);
    image.ClippingData[0] = {{0, 0, 400, 600}, {0, 0, 0, 600}, 500};
    image.ClippingData[1] = {{400, 0, 800, 600}, {400, 0, 400, 600}, 500};

    SlotImage::MSG_WINDOW& msg = image.MsgWindowData;
    msg.nOpenFlg = 1;
    msg.nX = 2;
    msg.nY = 417;
    msg.nButtonState = {0, 1, 4, 2, 4, 0};
    msg.nFontSize = 24;
    msg.dwColor = 0xFFFFFF;
    msg.szText = "Which\\nway?";
    msg.szName = "AYA";
    msg.szScriptText = "Which\\nway?";
    msg.szVoice = "vo0003.sou";

    SlotImage::SELECT_WINDOW& slc = image.SelectWindowData;
    slc.nInitFlg = 1;
    slc.nStep = 3;
    slc.nNum = 3;
    slc.HighLight.nPlayFlg = 1;
    slc.HighLight.nDirection = 1;
    slc.HighLight.nAnimNum = 5;
    slc.HighLight.nAnimNo = 2;
    slc.HighLight.pdwCtrlTime = {300, 100, 100, 100, 300};
    for (int n = 0; n < SlotImage::kPlateCount; ++n) ShowPlate(slc.SlcWnd[n], n);

    image.DayWindowData = {1, 0, 2, 2, 3};
    image.VARIABLE_DATA = {3, -17};
    image.CHARACTER_DATA = {Character("AYA", 120, 2, 3), Character("MEI", 480, 1, 2)};
    image.CHARACTER_DATA[1].nState = 1;
    image.CHARACTER_DATA[1].nDispFlg = 0;

    image.BGGraphData1 = {1, 1, 0, 1, 10, 0, 0, 1.0f, 1.0f, 1.0f, "BG01", "bg01.gpc"};
    image.BGGraphData2 = {0, 0, 0, 1, -1, 0, 0, 0.0f, 1.0f, 1.0f, "", ""};
    SlotImage::GRAPHIC_EX& prim = image.PRIM1;
    prim.Graphic = {1, 1, 48000, 0, 4, 120, 40, 0.75f, 1.0f, 1.0f, "EV01", "ev01.gpc"};
    prim.nCrossAlpha = 255;
    prim.AnimData = {1, 1, 2, 1, 0, {250, 0xFFFFFFFFu}};
    prim.nAnimNum = 2;
    prim.prcAnim = {{0, 0, 100, 100}, {100, 0, 200, 100}};
    image.PRIM2.Graphic = {0, 0, 0, 1, -1, 0, 0, 0.0f, 1.0f, 1.0f, "", ""};
    image.PRIM2.nCrossAlpha = 255;
    image.dwMsgTextWork = {0, 10, 11};

    image.SURF_LOAD_DATA.resize(464);
    image.SURF_LOAD_DATA[5] = {1, 1};
    image.SURF_LOAD_DATA[10] = {0, 1};
    image.TEX_LOAD_DATA.resize(60);
    image.TEX_LOAD_DATA[4] = {1, 1};
    image.WAVE_LOAD_DATA.resize(44);
    image.WAVE_LOAD_DATA[0] = {0, 1};
    return image;
}

}  // namespace zktest
