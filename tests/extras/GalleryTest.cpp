#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "extras/CG_MODE_DATA.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "mkdemo/PicturePainter.h"
#include "platform/input/VirtualKeys.h"
#include "platform/text/Cp932.h"
#include "support/WindowTestBench.h"
#include "system/ClickState.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::WindowTestBench;

struct Point {
    int x, y;
};

enum { QUIRA, DULCANE, OMBREA, YSMA };
enum { CG, REPLAY };

// The gallery on the window bench with the test's own unlock words, one frame of its
// standby at a time.
struct Gallery : ::testing::Test {
    WindowTestBench bench;
    CG_MODE_DATA gallery;
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;
    // One word past each array, which no heroine owns.
    std::uint32_t cg[9] = {};
    std::uint32_t replay[7] = {};
    int frame = 0;

    ~Gallery() override { gallery.Release(); }

    void Start() {
        ASSERT_EQ(gallery.Initialize(bench.context, GALLERY_WORDS::From(cg, replay)), 1);
        bench.kit.clearLog();
        bench.sounds.clear();
    }
    // The page of a heroine and kind built as the mode builds it.
    void Show(int chara, int kind, int page = 1) {
        gallery.nChara = chara;
        gallery.nKind = kind;
        gallery.nPage = page;
        gallery.CountPages();
        ASSERT_TRUE(gallery.BuildPage());
    }
    int Standby(Point p, std::int32_t left = KEY_STATE_UP) {
        return gallery.CGModeThumbnailSelectStandby(p.x, p.y, left, WindowTestBench::Time(++frame));
    }
    int Click(Point p) {
        Standby(p, KEY_STATE_PRESSED);
        return Standby(p, KEY_STATE_RELEASED);
    }
    void ReleaseKey(int key) {
        input.setKey(key, true);
        bench.sys->KeyScan();
        input.setKey(key, false);
        bench.sys->KeyScan();
    }
    Point Pointer() const {
        Point p{};
        bench.sys->GetMousePos(&p.x, &p.y);
        return p;
    }
    const std::vector<std::uint32_t>& Frame() {
        return bench.drawFrame([&] { gallery.Draw(); });
    }
    static std::uint32_t Cell(const std::string& name) {
        return WindowTestBench::CellColor("CGMaterial", name);
    }
    bool Loaded(int surface) { return bench.sprite->GetSurface(surface) != nullptr; }
    Lines Errors() {
        Lines found;
        for (const std::string& line : bench.kit.lines()) {
            if (line.starts_with("Error")) found.push_back(line);
        }
        return found;
    }
};

constexpr Point kTab[] = {{124, 508}, {308, 508}, {492, 508}, {676, 508}};
constexpr Point kPrev{20, 300};
constexpr Point kNext{780, 300};
constexpr Point kCGButton{444, 568};
constexpr Point kReplayButton{564, 568};
constexpr Point kBack{724, 568};
constexpr Point kOff{400, 30};
// CG cells 1 to 3.
constexpr Point kCGCell[] = {{129, 162}, {293, 162}, {129, 290}};

// Pages and the last page's items of every list; where single bits lie.
TEST_F(Gallery, ItemsPagesAndUnlockBits) {
    Start();
    const struct {
        int chara, kind, pages, lastItems;
    } lists[] = {{QUIRA, CG, 8, 2},       {QUIRA, REPLAY, 7, 6}, {DULCANE, CG, 3, 9},
                 {DULCANE, REPLAY, 3, 4}, {OMBREA, CG, 2, 5},    {OMBREA, REPLAY, 1, 1},
                 {YSMA, CG, 2, 1},        {YSMA, REPLAY, 1, 3}};
    for (const auto& l : lists) {
        SCOPED_TRACE(l.chara * 2 + l.kind);
        Show(l.chara, l.kind);
        EXPECT_EQ(std::tuple(gallery.nPageMax, gallery.nPageItemNum),
                  std::tuple(l.pages, l.pages == 1   ? l.lastItems
                                      : l.kind == CG ? 12
                                                     : 6));
        Show(l.chara, l.kind, l.pages);
        EXPECT_EQ(gallery.nPageItemNum, l.lastItems);
    }
    CG_ITEM_DATA item;
    const struct {
        std::uint32_t words[2];
        int open;
    } bits[] = {{{0, 1}, 1}, {{0, 2}, 0}, {{0xFFFFFFFFu, 0}, 0}};
    for (const auto& b : bits) {
        cg[0] = b.words[0];
        cg[1] = b.words[1];
        gallery.SetItemData(&item, QUIRA, CG, 3, 9);
        EXPECT_EQ(std::tuple(item.nOpen, item.nTbSurfNo), std::tuple(b.open, 65));
    }
    gallery.nKind = REPLAY;
    replay[3] = 1u << 6;
    gallery.SetItemData(&item, DULCANE, REPLAY, 2, 1);
    EXPECT_EQ(std::tuple(std::string(item.szFileName), item.nOpen, item.nTbSurfNo),
              std::tuple(std::string("D07.spt"), 1, 200));
    EXPECT_EQ(std::string(item.szTitle), platform::utf8ToCp932(u8"ドゥルカーネ　第７話"));
    gallery.SetItemData(&item, DULCANE, REPLAY, 3, 4);
    EXPECT_EQ(std::string(item.szTitle), platform::utf8ToCp932(u8"ドゥルカーネ　第１６話"));
    replay[3] = ~(1u << 6);
    gallery.SetItemData(&item, DULCANE, REPLAY, 2, 1);
    EXPECT_EQ(item.nOpen, 0);
    // The same record refilled for a picture, then for a slot past the list: nothing
    // of the scene is left, and the surplus slot keeps the last surface number.
    gallery.nKind = CG;
    gallery.SetItemData(&item, YSMA, CG, 2, 1);
    EXPECT_EQ(std::tuple(std::string(item.szFileName), std::string(item.szTitle)),
              std::tuple(std::string("ED05.gpc"), std::string()));
    const int ed05 = item.nCGSurfNo;
    EXPECT_GE(ed05, 316);
    gallery.SetItemData(&item, YSMA, CG, 2, 2);
    EXPECT_EQ(std::tuple(item.szFileName[0], item.nCGSurfNo), std::tuple('\0', ed05));
    // YSMA owns one CG word; the word after it is no one's and is never read.
    cg[8] = 0xFFFFFFFFu;
    gallery.SetItemData(&item, YSMA, CG, 3, 9);
    EXPECT_EQ(item.nOpen, 0);
}

// Every picture of every page names a picture of the registry; a slot past a list's
// end has no name and keeps its surface number, though surface 0 has no file either.
TEST_F(Gallery, EveryPictureHasItsSurface) {
    Start();
    int pictures = 0;
    for (int chara = QUIRA; chara <= YSMA; ++chara) {
        Show(chara, CG);
        const int pages = gallery.nPageMax;
        for (int page = 1; page <= pages; ++page) {
            Show(chara, CG, page);
            for (int slot = 1; slot <= 12; ++slot) {
                CG_ITEM_DATA item;
                gallery.SetItemData(&item, chara, CG, page, slot);
                SCOPED_TRACE(std::to_string(chara) + " " + std::to_string(page) + " " +
                             std::to_string(slot));
                if (slot > gallery.nPageItemNum) {
                    EXPECT_EQ(std::tuple(item.szFileName[0], item.nCGSurfNo), std::tuple('\0', -1));
                    continue;
                }
                ++pictures;
                EXPECT_GE(item.nCGSurfNo, 316);
                EXPECT_LE(item.nCGSurfNo, 463);
            }
        }
    }
    EXPECT_EQ(pictures, 149);
    CG_ITEM_DATA item;
    gallery.SetItemData(&item, QUIRA, CG, 1, 4);
    EXPECT_EQ(std::tuple(std::string(item.szFileName), item.nCGSurfNo),
              std::tuple(std::string("EV03A.gpc"), 327));
}

// A scene in between: the place and the chosen cell stay, the page's thumbnails come
// back, and neither release reports anything.
TEST_F(Gallery, ThePlaceSurvivesAScene) {
    replay[0] = 1;
    Start();
    Show(QUIRA, REPLAY);
    gallery.nSelectId = 10;
    ASSERT_TRUE(Loaded(119));
    gallery.ReleaseFromRecuerdo();
    EXPECT_EQ(gallery.nInitFlg, 0);
    EXPECT_FALSE(Loaded(119));
    EXPECT_FALSE(Loaded(30));
    ASSERT_EQ(gallery.InitializeFromRecuerdo(bench.context, GALLERY_WORDS::From(cg, replay)), 1);
    EXPECT_EQ(std::tuple(gallery.nChara, gallery.nKind, gallery.nPage, gallery.nSelectId,
                         gallery.nPageMax, gallery.nPageItemNum),
              std::tuple(QUIRA, REPLAY, 1, 10, 7, 6));
    EXPECT_TRUE(Loaded(119));
    // The background without its key, the material with it.
    EXPECT_EQ(
        std::tuple(bench.sprite->GetSurfaceColorKey(30), bench.sprite->GetSurfaceColorKey(31)),
        std::tuple(0, 1));
    Show(DULCANE, CG, 3);
    gallery.ReleaseFromRecuerdo();
    ASSERT_EQ(gallery.InitializeFromRecuerdo(bench.context, GALLERY_WORDS::From(cg, replay)), 1);
    EXPECT_EQ(std::tuple(gallery.nChara, gallery.nKind, gallery.nPage, gallery.nPageItemNum),
              std::tuple(DULCANE, CG, 3, 9));
    gallery.Release();
    EXPECT_EQ(std::tuple(gallery.nChara, gallery.nPage, gallery.nInitFlg), std::tuple(-1, 0, 0));
    EXPECT_FALSE(Loaded(31));
    EXPECT_EQ(Errors(), Lines{});
}

TEST_F(Gallery, BadArgumentsAndUninitialisedCalls) {
    GALLERY_WORDS words = GALLERY_WORDS::From(cg, replay);
    words.pdwReplay[3] = nullptr;
    EXPECT_EQ(gallery.Initialize(bench.context, words), 0);
    EXPECT_EQ(gallery.InitializeFromRecuerdo(nullptr, GALLERY_WORDS::From(cg, replay)), 0);
    EXPECT_EQ(Standby(kOff), -1);
    EXPECT_EQ(gallery.CGModeStandby(0, 0, KEY_STATE_RELEASED, 0), -1);
    EXPECT_EQ(gallery.Draw(), 1);
    EXPECT_EQ(bench.kit.lines(),
              (Lines{"Error: <CG_MODE_DATA::Initialize> 引数が不正です",
                     "Error: <CG_MODE_DATA::InitializeFromRecuerdo> 引数が不正です",
                     "Error: <CG_MODE_DATA::CGModeThumbnailSelectStandby> 初期化されていません",
                     "Error: <CG_MODE_DATA::CGModeStandby> 初期化されていません"}));
    EXPECT_EQ(gallery.pContext, nullptr);
}

// Hover sounds once per arrival; a button shows pressed while held and acts on the
// release over it.
TEST_F(Gallery, HoverAndClickAcrossFrames) {
    cg[0] = 1;
    Start();
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Standby(kTab[DULCANE]), 1);
    EXPECT_EQ(bench.effects(4), 1u);
    EXPECT_EQ(Standby(kTab[OMBREA]), 1);
    EXPECT_EQ(bench.effects(4), 2u);
    EXPECT_EQ(Standby(kNext, KEY_STATE_HELD), 1);
    EXPECT_EQ(gallery.nBtnState[GALLERY_BUTTON_NEXT], 2);
    EXPECT_EQ(bench.effects(8), 0u);
    EXPECT_EQ(Standby(kNext, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(std::tuple(gallery.nSelectId, bench.effects(8)), std::tuple(6, 1u));
    EXPECT_EQ(Standby(kOff), 0);
    EXPECT_EQ(std::tuple(gallery.nSelectId, gallery.nBtnState[GALLERY_BUTTON_NEXT]),
              std::tuple(0, 0));
    EXPECT_EQ(Click(kCGCell[0]), 2);
    EXPECT_EQ(std::tuple(gallery.nSelectId, bench.effects(5)), std::tuple(10, 1u));
    EXPECT_EQ(Click(kReplayButton), 3);
    EXPECT_EQ(Click(kBack), 4);
    EXPECT_EQ(std::tuple(gallery.nSelectId, bench.effects(6)), std::tuple(9, 1u));
    // The full picture closes on the release alone.
    for (const std::int32_t left : {KEY_STATE_UP, KEY_STATE_PRESSED, KEY_STATE_HELD}) {
        EXPECT_EQ(gallery.CGModeStandby(0, 0, left, 0), 0) << left;
    }
    EXPECT_EQ(gallery.CGModeStandby(0, 0, KEY_STATE_RELEASED, 0), 2);
}

// What does not react: a locked cell, a cell past the page's items, the current tab,
// the current kind and an arrow with no page beyond. Each still names the control
// under the pointer.
TEST_F(Gallery, InactiveControlsStayQuietButAreUnderThePointer) {
    Start();
    const struct {
        int chara, page;
        Point at;
        int under;
    } cases[] = {{QUIRA, 1, kCGCell[2], 12}, {YSMA, 2, kCGCell[1], 11}, {QUIRA, 1, kTab[QUIRA], 1},
                 {QUIRA, 1, kCGButton, 7},   {QUIRA, 1, kPrev, 5},      {YSMA, 2, kNext, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.under);
        Show(c.chara, CG, c.page);
        // Open, yet past the single item of YSMA's last page.
        gallery.Item[1].nOpen = 1;
        bench.sounds.clear();
        EXPECT_EQ(Click(c.at), 0);
        EXPECT_EQ(std::tuple(gallery.nCursorId, gallery.nSelectId), std::tuple(c.under, 0));
        EXPECT_EQ(bench.sounds.events().size(), 0u);
        for (const std::int32_t state : gallery.nBtnState) EXPECT_EQ(state, 0);
    }
}

// Cells by kind, and the edges that lie outside.
TEST_F(Gallery, CellsAndEdges) {
    Start();
    const struct {
        int kind;
        Point at;
        int under;
    } cases[] = {{REPLAY, {215, 150}, 10}, {CG, {215, 150}, 11}, {CG, {207, 150}, 0},
                 {CG, {100, 221}, 0},      {CG, {206, 220}, 10}, {CG, {211, 533}, 0},
                 {CG, {210, 532}, 1}};
    for (const auto& c : cases) {
        Show(QUIRA, c.kind);
        Standby(c.at);
        EXPECT_EQ(gallery.nCursorId, c.under) << c.at.x << "," << c.at.y;
    }
}

struct Warp {
    int kind, page, pages;
    int from;
    int key;
    Point to;
};

// The documented examples, every page-dependent target at page 1 of 1, page 1 of n
// and the last page, and the rings.
TEST_F(Gallery, ArrowKeysWarpByKindAndPage) {
    using platform::VK_DOWN;
    using platform::VK_LEFT;
    using platform::VK_RIGHT;
    using platform::VK_UP;
    constexpr Point kReplaySlot1{211, 162};
    constexpr Point kReplaySlot4{589, 162};
    const Warp warps[] = {
        // Any arrow with nothing under the pointer: slot 1.
        {REPLAY, 1, 7, 0, VK_UP, kReplaySlot1},
        {REPLAY, 1, 7, 0, VK_LEFT, kReplaySlot1},
        {REPLAY, 1, 7, 0, VK_RIGHT, kReplaySlot1},
        {REPLAY, 1, 7, 0, VK_DOWN, kReplaySlot1},
        {CG, 1, 8, 0, VK_UP, {129, 162}},
        {CG, 1, 8, 0, VK_LEFT, {129, 162}},
        {CG, 1, 8, 0, VK_RIGHT, {129, 162}},
        {CG, 1, 8, 0, VK_DOWN, {129, 162}},
        {REPLAY, 1, 7, 10, VK_LEFT, kNext},
        {REPLAY, 2, 7, 10, VK_LEFT, kPrev},
        {REPLAY, 1, 1, 10, VK_LEFT, kReplaySlot4},
        {REPLAY, 1, 1, 13, VK_RIGHT, kReplaySlot1},
        {REPLAY, 7, 7, 13, VK_RIGHT, kReplaySlot1},
        {REPLAY, 3, 7, 13, VK_RIGHT, kNext},
        {REPLAY, 1, 1, 5, VK_LEFT, kReplaySlot4},
        {REPLAY, 2, 7, 5, VK_LEFT, kNext},
        {REPLAY, 1, 3, 6, VK_RIGHT, kReplaySlot1},
        {REPLAY, 3, 3, 6, VK_RIGHT, kPrev},
        {CG, 8, 8, 17, VK_RIGHT, kPrev},
        {CG, 1, 1, 17, VK_RIGHT, {129, 162}},
        {CG, 1, 8, 17, VK_RIGHT, kNext},
        {CG, 1, 1, 14, VK_LEFT, {671, 418}},
        {CG, 1, 2, 14, VK_LEFT, kNext},
        {CG, 2, 2, 14, VK_LEFT, kPrev},
        {CG, 1, 1, 19, VK_RIGHT, {129, 290}},
        {CG, 2, 2, 21, VK_RIGHT, kPrev},
        {CG, 1, 1, 5, VK_LEFT, {671, 162}},
        {CG, 1, 2, 6, VK_RIGHT, {129, 162}},
        {CG, 2, 2, 6, VK_RIGHT, kPrev},
        {CG, 1, 8, 4, VK_DOWN, kBack},
        {CG, 1, 8, 9, VK_UP, kTab[YSMA]},
        {CG, 1, 8, 4, VK_RIGHT, kTab[QUIRA]},
        {CG, 1, 8, 9, VK_RIGHT, kCGButton},
        {REPLAY, 1, 7, 15, VK_LEFT, {211, 418}},
        {CG, 1, 8, 14, VK_DOWN, kTab[QUIRA]},
        {CG, 1, 8, 1, VK_DOWN, {129, 162}},
        {REPLAY, 1, 7, 12, VK_DOWN, kTab[QUIRA]},
        // Up from each tab: the bottom row of the cells.
        {CG, 1, 8, 1, VK_UP, {129, 418}},
        {CG, 1, 8, 2, VK_UP, {293, 418}},
        {CG, 1, 8, 3, VK_UP, {507, 418}},
        {CG, 1, 8, 4, VK_UP, {671, 418}},
        {REPLAY, 1, 7, 2, VK_UP, {211, 418}},
        {REPLAY, 1, 7, 3, VK_UP, {589, 418}},
    };
    Start();
    for (const Warp& w : warps) {
        SCOPED_TRACE(std::to_string(w.kind) + " " + std::to_string(w.page) + "/" +
                     std::to_string(w.pages) + " from " + std::to_string(w.from));
        gallery.nKind = w.kind;
        gallery.nPage = w.page;
        gallery.nPageMax = w.pages;
        gallery.nCursorId = w.from;
        bench.sys->SetMousePos(1, 1);
        ReleaseKey(w.key);
        EXPECT_EQ(gallery.KeyCursorMove(), 1);
        const Point p = Pointer();
        EXPECT_EQ(std::tuple(p.x, p.y), std::tuple(w.to.x, w.to.y));
    }
    // The rings, each walked once round: every step lands on the next control's centre.
    struct STOP {
        int id;
        Point at;
    };
    const struct {
        int kind, page, pages, key;
        std::vector<STOP> stops;
    } rings[] = {
        {CG, 1, 8, VK_RIGHT, {{1, kTab[0]}, {2, kTab[1]}, {3, kTab[2]}, {4, kTab[3]}}},
        {CG, 1, 8, VK_LEFT, {{1, kTab[0]}, {4, kTab[3]}, {3, kTab[2]}, {2, kTab[1]}}},
        {REPLAY, 1, 7, VK_RIGHT, {{7, kCGButton}, {8, kReplayButton}, {9, kBack}}},
        {CG, 1, 8, VK_LEFT, {{7, kCGButton}, {9, kBack}, {8, kReplayButton}}},
        {REPLAY, 2, 7, VK_LEFT, {{10, {211, 162}}, {5, kPrev}, {6, kNext}, {13, {589, 162}}}},
        {CG, 1, 8, VK_DOWN, {{10, {129, 162}}, {12, {129, 290}}, {14, {129, 418}}, {1, kTab[0]}}},
        {CG,
         1,
         8,
         VK_UP,
         {{21, {671, 418}}, {19, {671, 290}}, {17, {671, 162}}, {9, kBack}, {4, kTab[3]}}},
    };
    for (const auto& ring : rings) {
        gallery.nKind = ring.kind;
        gallery.nPage = ring.page;
        gallery.nPageMax = ring.pages;
        for (std::size_t i = 0; i < ring.stops.size(); ++i) {
            const STOP& to = ring.stops[(i + 1) % ring.stops.size()];
            SCOPED_TRACE("ring key " + std::to_string(ring.key) + " from " +
                         std::to_string(ring.stops[i].id));
            gallery.nCursorId = ring.stops[i].id;
            ReleaseKey(ring.key);
            gallery.KeyCursorMove();
            const Point p = Pointer();
            EXPECT_EQ(std::tuple(p.x, p.y), std::tuple(to.at.x, to.at.y));
        }
    }
    // No row, and a key held rather than released: nothing moves.
    for (const int from : {16, 22}) {
        gallery.nKind = REPLAY;
        gallery.nCursorId = from;
        bench.sys->SetMousePos(1, 1);
        ReleaseKey(VK_LEFT);
        gallery.KeyCursorMove();
        EXPECT_EQ(Pointer().x, 1) << from;
    }
    gallery.nCursorId = 0;
    input.setKey(VK_LEFT, true);
    bench.sys->KeyScan();
    gallery.KeyCursorMove();
    EXPECT_EQ(Pointer().x, 1);
}

// Pixel probes: thumbnails and plates, the cursor, the tabs' and buttons' looks, the
// arrows, the scene titles and the full picture.
TEST_F(Gallery, DrawingShowsWhatThePageHolds) {
    using WB = WindowTestBench;
    cg[0] = 1;
    replay[0] = 1;
    Start();
    Standby(kCGCell[0]);
    auto frame = Frame();
    EXPECT_NE(WB::At(frame, 129, 150), Cell("plate-cg")) << "cell 1's thumbnail";
    EXPECT_EQ(WB::At(frame, 293, 150), Cell("plate-cg")) << "cell 2 locked";
    EXPECT_EQ(WB::At(frame, 54, 106), Cell("cursor-cg0")) << "the cursor over cell 1";
    EXPECT_EQ(WB::At(frame, 218, 106), Cell("plate-cg"));
    EXPECT_EQ(WB::At(frame, 200, 490), Cell("tab-cur0")) << "the current tab";
    EXPECT_EQ(WB::At(frame, 390, 490), Cell("tab"));
    EXPECT_EQ(WB::At(frame, 500, 556), Cell("cg-s"));
    EXPECT_EQ(WB::At(frame, 620, 556), Cell("rp-n"));
    EXPECT_EQ(WB::At(frame, 792, 288), Cell("next-n"));
    EXPECT_NE(WB::At(frame, 8, 288), Cell("prev-n")) << "no page before the first";
    // The background shows its key-coloured pixels: its top-left pixel is one.
    EXPECT_EQ(WB::At(frame, 0, 0), mkdemo::PicturePainter::kKeyColor);
    // The current heroine's name in white where it is written, and only there.
    const auto whiteName = [](const std::vector<std::uint32_t>& shot) {
        std::vector<Point> lit;
        for (int y = 470; y < 512; ++y) {
            for (int x = 37; x < 211; ++x) {
                if (WB::At(shot, x, y) == 0xFFFFFF) lit.push_back({x, y});
            }
        }
        return lit;
    };
    const std::vector<Point> name = whiteName(frame);
    const std::vector<Point> expected = whiteName(bench.drawFrame([&] {
        bench.sprite->DDTextOutLock(81, 492, "Quiravel", 0xFFFFFF, 22, 700);
        bench.sprite->DDTextOutUnlock();
    }));
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(std::equal(name.begin(), name.end(), expected.begin(), expected.end(),
                           [](Point a, Point b) { return a.x == b.x && a.y == b.y; }));
    // A locked cell under the pointer shows no cursor; the current tab under it and
    // the selected kind under it keep their looks; a tab under it is lit.
    Standby(kCGCell[1]);
    EXPECT_EQ(WB::At(Frame(), 218, 106), Cell("plate-cg"));
    gallery.nSelectId = GALLERY_TAB_QUIRA;
    gallery.nBtnState[GALLERY_BUTTON_CG] = 1;
    frame = Frame();
    EXPECT_EQ(WB::At(frame, 200, 490), Cell("tab-cur0"));
    EXPECT_EQ(WB::At(frame, 500, 556), Cell("cg-s"));
    Standby(kTab[DULCANE]);
    EXPECT_EQ(WB::At(Frame(), 390, 490), Cell("tab-hover0"));
    Standby(kNext);
    frame = Frame();
    EXPECT_EQ(WB::At(frame, 792, 284), Cell("next-h")) << "a pixel higher";
    EXPECT_NE(WB::At(frame, 792, 315), Cell("next-h"));
    // Both arrows on a middle page, edge to edge.
    Show(QUIRA, REPLAY, 2);
    Standby(kOff);
    frame = Frame();
    for (const int x : {4, 35}) EXPECT_EQ(WB::At(frame, x, 288), Cell("prev-n")) << x;
    for (const int x : {764, 795}) EXPECT_EQ(WB::At(frame, x, 288), Cell("next-n")) << x;
    // REPLAY: a title only on the unlocked cell; a single page has no arrows.
    Show(QUIRA, REPLAY);
    frame = Frame();
    const auto whiteIn = [&](int top) {
        int white = 0;
        for (int x = 64; x < 358; ++x) {
            for (int y = top; y < top + 18; ++y) white += WB::At(frame, x, y) == 0xFFFFFF;
        }
        return white;
    };
    EXPECT_GT(whiteIn(199), 0);
    EXPECT_EQ(whiteIn(327), 0) << "slot 2 is locked";
    EXPECT_EQ(WB::At(frame, 211, 250), Cell("plate-rp"));
    Show(YSMA, REPLAY);
    frame = Frame();
    EXPECT_NE(WB::At(frame, 792, 288), Cell("next-n"));
    EXPECT_NE(WB::At(frame, 8, 288), Cell("prev-n"));
    // The full picture alone.
    ASSERT_EQ(SurfaceLoad(bench.sprite, bench.sys, gallery.Item[0].nCGSurfNo, 0, 0xFFFFFFFFu), 1);
    gallery.nCGSurfNo = gallery.Item[0].nCGSurfNo;
    gallery.nCGDispFlg = 1;
    const std::vector<std::uint32_t> shown = Frame();
    const int surface = gallery.nCGSurfNo;
    EXPECT_EQ(shown, bench.drawFrame([&] { bench.sprite->DDBlt(surface, 0, 0, 0); }));
    EXPECT_EQ(Errors(), Lines{});
}

}  // namespace
