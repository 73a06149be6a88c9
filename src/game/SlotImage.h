#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/video/Rect.h"

// Everything a save slot holds, field by field as the file lists it, under the names
// of the live members the values come from and go back to. Strings hold the file's
// bytes (message texts and costume descriptions in their escaped form, an empty
// string for "__NULL__"); counted sections are vectors.
struct SlotImage {
    static constexpr int kHeaderCount = 7;
    static constexpr int kClothesCount = 14;
    static constexpr int kPlaceCount = 8;
    static constexpr int kCmdSlotCount = 6;
    static constexpr int kArgCount = 9;
    static constexpr int kButtonCount = 6;
    static constexpr int kPlateCount = 3;
    static constexpr int kTextWorkCount = 3;

    struct CLOTHES {
        std::uint32_t dwFlag = 0;
        std::uint32_t nFace = 0;
        std::uint32_t nPartsNum = 0;
        std::string szDescription;
        std::string szScenario;
        bool operator==(const CLOTHES&) const = default;
    };

    struct SCR_CMD {
        std::uint32_t nWaitFlg = 0;
        std::uint32_t dwStartTime = 0;
        std::uint32_t dwPhase = 0;
        std::string szCommand;
        std::array<std::string, kArgCount> szArg;
        bool operator==(const SCR_CMD&) const = default;
    };

    struct SCR_FILE {
        std::int32_t nLine = 0;
        std::uint32_t nReadFlg = 0;
        std::uint32_t nExeFlg = 0;
        std::uint32_t nEndScriptFlg = 0;
        std::uint32_t nNextReadFlg = 0;
        std::uint32_t nSelectPhase = 0;
        std::int32_t nLastWord = 0;
        std::string szFileName;
        std::array<SCR_CMD, kCmdSlotCount> Cmd;
        bool operator==(const SCR_FILE&) const = default;
    };

    struct CLIP_STRIP {
        platform::Rect rcClip;
        platform::Rect rcStartClip;
        std::uint32_t dwClipTime = 0;
        bool operator==(const CLIP_STRIP&) const = default;
    };

    struct MSG_WINDOW {
        std::uint32_t nOpenFlg = 0;
        std::int32_t nX = 0;
        std::int32_t nY = 0;
        std::uint32_t nSlideFlg = 0;
        std::array<std::uint32_t, kButtonCount> nButtonState{};
        // The current line: font size, colour, shown text (escaped), speaker, script
        // text (escaped), voice.
        std::uint32_t nFontSize = 0;
        std::uint32_t dwColor = 0;
        std::string szText;
        std::string szName;
        std::string szScriptText;
        std::string szVoice;
        bool operator==(const MSG_WINDOW&) const = default;
    };

    struct SELECT_PLATE {
        std::uint32_t nDispFlg = 0;
        std::uint32_t nClickFlg = 0;
        std::uint32_t nZoomFlg = 0;
        std::int32_t nCenterX = 0;
        std::int32_t nCenterY = 0;
        platform::Rect rcHit;
        std::string szText;
        std::uint32_t nFontSize = 0;
        std::uint32_t dwColor = 0;
        float fScale = 0;
        bool operator==(const SELECT_PLATE&) const = default;
    };

    // The frame animation of a window or layer; its duration table has nAnimNum entries.
    struct ANIMATION {
        std::uint32_t nPlayFlg = 0;
        std::uint32_t nDirection = 0;
        std::uint32_t nAnimNum = 0;
        std::uint32_t nAnimNo = 0;
        std::uint32_t nType = 0;
        std::vector<std::uint32_t> pdwCtrlTime;
        bool operator==(const ANIMATION&) const = default;
    };

    struct SELECT_WINDOW {
        std::uint32_t nInitFlg = 0;
        std::uint32_t nStep = 0;
        std::int32_t nNum = 0;
        ANIMATION HighLight;
        std::array<SELECT_PLATE, kPlateCount> SlcWnd;
        bool operator==(const SELECT_WINDOW&) const = default;
    };

    struct DAY_WINDOW {
        std::uint32_t nDispFlg = 0;
        std::uint32_t nSlideFlg = 0;
        std::int32_t nX = 0;
        std::int32_t nY = 0;
        std::int32_t nDay = 0;
        bool operator==(const DAY_WINDOW&) const = default;
    };

    // One face's eye frames: the count, and the frame times the file supplied (the
    // frames after them keep their times).
    struct FACE {
        std::int32_t nEyeNum = 0;
        std::vector<std::uint32_t> dwEyeTime;
        bool operator==(const FACE&) const = default;
    };

    // One character, in the order of the character table. bSaved is false for a
    // block that only resets the character; an empty face list keeps every eye time.
    struct CHARACTER {
        std::string szID;
        bool bSaved = false;
        std::int32_t nLoveValue = 0;
        std::uint32_t dwEventFlg = 0;
        std::int32_t nX = 0;
        std::int32_t nY = 0;
        std::int32_t nBody = 0;
        std::int32_t nNextBody = 0;
        float fBodyAlpha = 0;
        std::int32_t nFace = 0;
        std::int32_t nNextFace = 0;
        float fFaceAlpha = 0;
        std::int32_t nState = 0;
        std::int32_t nDispFlg = 0;
        std::vector<FACE> pFaceData;
        bool operator==(const CHARACTER&) const = default;
    };

    // A background layer, and the common part of a picture layer.
    struct GRAPHIC {
        std::uint32_t dwFlag = 0;
        std::uint32_t nDispFlg = 0;
        std::uint32_t dwTime = 0;
        std::uint32_t nGKind = 0;
        std::int32_t nIndex = 0;
        std::int32_t nX = 0;
        std::int32_t nY = 0;
        float fAlpha = 0;
        float fScaleX = 0;
        float fScaleY = 0;
        std::string szName;
        std::string szFilePath;
        bool operator==(const GRAPHIC&) const = default;
    };

    struct GRAPHIC_EX {
        GRAPHIC Graphic;
        std::uint32_t dwExtra = 0;
        std::uint32_t nCrossFadeFlg = 0;
        std::uint32_t nNextAnim = 0;
        std::int32_t nCrossAlpha = 0;
        ANIMATION AnimData;
        // The layer's own frame-rectangle count and its rectangles.
        std::uint32_t nAnimNum = 0;
        std::vector<platform::Rect> prcAnim;
        bool operator==(const GRAPHIC_EX&) const = default;
    };

    // A load-table pair in file order: the second word, then the loaded flag.
    struct LOAD_PAIR {
        std::uint32_t dwFlag = 0;
        std::uint32_t nLoadFlg = 0;
        bool operator==(const LOAD_PAIR&) const = default;
    };

    // Local time of the save (year, month, day, hour, minute, second) and the story day.
    std::array<std::int32_t, kHeaderCount> nHeader{};
    std::string szBGMName;
    std::string szVoice;
    std::int32_t nMode = 0;
    std::int32_t nOldMode = 0;
    std::array<CLOTHES, kClothesCount> ClothesData;
    std::array<std::int32_t, kPlaceCount> nSortNo{};
    SCR_FILE ScrFileData;
    // One strip per count; the strips a file did not supply are reset.
    std::vector<CLIP_STRIP> ClippingData;
    MSG_WINDOW MsgWindowData;
    SELECT_WINDOW SelectWindowData;
    DAY_WINDOW DayWindowData;
    // The leading variables' values; the others keep theirs.
    std::vector<std::int32_t> VARIABLE_DATA;
    std::vector<CHARACTER> CHARACTER_DATA;
    GRAPHIC BGGraphData1;
    GRAPHIC BGGraphData2;
    GRAPHIC_EX PRIM1;
    GRAPHIC_EX PRIM2;
    std::array<std::uint32_t, kTextWorkCount> dwMsgTextWork{};
    // The leading pairs of each table; the others keep theirs.
    std::vector<LOAD_PAIR> SURF_LOAD_DATA;
    std::vector<LOAD_PAIR> TEX_LOAD_DATA;
    std::vector<LOAD_PAIR> WAVE_LOAD_DATA;

    bool operator==(const SlotImage&) const = default;
};
