#include "extras/MusicTracks.h"

#include <array>
#include <string_view>

#include "extras/MusicRoomControls.h"
#include "platform/text/Cp932.h"

namespace {

struct TRACK_UTF8 {
    std::u8string_view title;
    std::u8string_view comment;
};

// Each comment tells where the demo plays its track.
constexpr TRACK_UTF8 kTracks[kMusicTracks] = {
    {u8"工房の朝",
     u8"　プロローグの曲。月祭りまであと三日、\n　町はずれの衣装工房の扉をたたく朝に。"},
    {u8"想い出の小箱", u8"　おまけの部屋の曲。\n　タイトルの「おまけ」から聞けます。"},
    {u8"針と糸", u8"　衣装１の物語の曲。\n　町の小さな劇場で通し稽古が始まる朝に。"},
    {u8"月祭りの支度", u8"　衣装２の物語の曲。\n　まだ静かな劇場の舞台袖で。"},
    {u8"通し稽古", u8"　衣装３の物語の曲。\n　照明の調整を待って稽古が始まるころに。"},
    {u8"夕暮れの広場",
     u8"　衣装４から１４の物語の曲。\n　仕上がったばかりの衣装が\n　工房の棚に並ぶ朝に。"},
    {u8"衣装合わせ", u8"　舞台の仕掛けの場面の曲。\n　幕の向こうで景色が変わるときに。"},
    {u8"ひとやすみ", u8"　デモの物語では流れない曲。\n　稽古の合間のひと息に。"},
    {u8"雨の日の工房", u8"　デモの物語では流れない曲。\n　雨音を聞きながら針を進める午後に。"},
    {u8"舞台袖", u8"　デモの物語では流れない曲。\n　出番を待つ舞台袖の緊張に。"},
    {u8"すれ違い", u8"　デモの物語では流れない曲。\n　言えなかったひと言のあとに。"},
    {u8"夜なべ仕事", u8"　デモの物語では流れない曲。\n　灯りの下で衣装を縫い上げる夜に。"},
    {u8"月明かりの下で", u8"　デモの物語では流れない曲。\n　祭りの前夜、月を見上げるふたりに。"},
    {u8"決意", u8"　デモの物語では流れない曲。\n　幕を上げると決めたその時に。"},
    {u8"ドレスルーム", u8"　デモの物語では流れない曲。\n　おまけのドレスルームに似合う一曲。"},
    {u8"祭りの灯", u8"　デモの物語では流れない曲。\n　月祭りの夜、広場にともる灯に。"},
    {u8"ありがとう", u8"　デモの物語では流れない曲。\n　終幕のあと、感謝を伝える場面に。"},
    {u8"星の降る夜", u8"　デモの物語では流れない曲。\n　物語を終えたあとの静かな夜に。"},
};

std::string Cp932(std::u8string_view utf8) { return platform::utf8ToCp932(utf8).value_or(""); }

}  // namespace

const MUSIC_TRACK_TEXT& MusicTrack(std::int32_t nTrack) {
    using Texts = std::array<MUSIC_TRACK_TEXT, kMusicTracks>;
    static const Texts texts = [] {
        Texts cp932;
        for (std::size_t k = 0; k < cp932.size(); ++k) {
            cp932[k] = {Cp932(kTracks[k].title), Cp932(kTracks[k].comment)};
        }
        return cp932;
    }();
    return texts[static_cast<std::size_t>(nTrack - 1)];
}
