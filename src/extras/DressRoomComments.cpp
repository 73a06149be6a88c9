#include "extras/DressRoomComments.h"

#include <array>
#include <string_view>

#include "platform/text/Cp932.h"

namespace {

constexpr std::size_t kCommentCount = 14;
using CommentTable = std::array<DRESS_ROOM_COMMENT, kCommentCount>;

struct SOURCE {
    std::uint32_t nExpression;
    std::u8string_view text;
};

CommentTable BuildComments() {
    constexpr SOURCE kUtf8[kCommentCount] = {
        {0,
         u8"【クィラ】いちばん最初に仕立てた衣装よ。\\n動きやすいから、稽古ではいつもこれを着ている"
         u8"の。"},
        {0,
         u8"【クィラ】白い布を何枚も重ねてあるの。\\n舞台の明かりの下では、ふわりと光って見えるわ"
         u8"。"},
        {0, u8"【クィラ】東の国の織物で仕立てたの。\\n帯の結び方は、十回も練習したのよ。"},
        {0, u8"【クィラ】給仕役の衣装よ。エプロンのポケットには、本物のハンカチが入っているの。"},
        {2,
         u8"【クィラ】旅人のケープは、風を受けてよくなびくの。\\n走る場面で映えるように、裾を長くし"
         u8"たわ。"},
        {0,
         u8"【クィラ】わざと色あせた布を選んだの。\\n古い時代の場面には、新しい布は似合わないから"
         u8"。"},
        {1, u8"【クィラ】軽業の場面のための衣装よ。\\n革に見えるけれど、本当はよく伸びる布なの。"},
        {1, u8"【クィラ】新入りの兵士の制服よ。\\nボタンは一つずつ、手で縫いつけたの。"},
        {0,
         u8"【クィラ】華やかな衣装でしょう？\\n裾が長いから、踏まないように歩く稽古が必要なの。"},
        {0, u8"【クィラ】看護役の白衣よ。\\n小道具の包帯も、私が巻き方を教えたの。"},
        {1,
         u8"【クィラ】最後の場面のための一着よ。\\n白い裾が長く伸びて、幕が下りるまで舞台に残るの"
         u8"。"},
        {1, u8"【クィラ】影の役の衣装よ。\\n黒い上着は短めにして、動きが見えるようにしたの。"},
        {0,
         u8"【クィラ】修道院の場面の衣装よ。\\n静かな色でまとめたから、ソロの歌がよく聞こえるの。"},
        {1,
         u8"【クィラ】月の女王の衣装よ。\\n黒い裾に、銀の糸で月を刺したの。\\n本番でいちばん目立つ"
         u8"予定よ。"},
    };
    CommentTable comments;
    for (std::size_t k = 0; k < comments.size(); ++k) {
        comments[k] = {kUtf8[k].nExpression, platform::utf8ToCp932(kUtf8[k].text).value_or("")};
    }
    return comments;
}

}  // namespace

const DRESS_ROOM_COMMENT* DressRoomComment(std::int32_t nClothes) {
    static const CommentTable comments = BuildComments();
    if (nClothes < 1 || nClothes > static_cast<std::int32_t>(kCommentCount)) return nullptr;
    return &comments[static_cast<std::size_t>(nClothes - 1)];
}
