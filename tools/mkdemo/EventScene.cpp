#include "mkdemo/EventScene.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <random>
#include <vector>

#include "extras/GalleryItems.h"
#include "script/ScriptKeywords.h"

namespace mkdemo {

namespace {

using Place = EventScene::Place;
using Outfit = EventScene::Outfit;
using Prop = EventScene::Prop;
using Moment = EventScene::Moment;

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// An event picture's name taken apart: "HCG0410A" is HCG, 410 and the first letter.
struct EventName {
    std::string family;
    int number = 0;
    int letter = 0;  // 0 without one, 1 for a
};

std::optional<EventName> Parse(std::string_view stem) {
    const std::string upper = Upper(stem);
    for (const std::string_view family : {"HCG", "EV", "ED"}) {
        if (!upper.starts_with(family)) continue;
        const char* first = upper.data() + family.size();
        const char* last = upper.data() + upper.size();
        EventName name{std::string(family)};
        const auto [end, error] = std::from_chars(first, last, name.number);
        if (error != std::errc() || end - first < 2) return std::nullopt;
        if (end == last) return name;
        if (end + 1 != last || *end < 'A' || *end > 'Z') return std::nullopt;
        name.letter = *end - 'A' + 1;
        return name;
    }
    return std::nullopt;
}

std::string_view HeroineId(std::size_t chara) { return ScriptKeywords::Heroines()[chara].szWord; }

// The stem of a heroine's gallery picture, as the gallery spells it.
std::string GalleryPicture(std::int32_t chara, std::int32_t item) {
    const std::string file = GalleryItemFile(chara, kGalleryKindCG, item);
    return file.substr(0, file.find('.'));
}

// Each picture belongs to the first heroine whose gallery lists it.
std::map<std::string, std::size_t> GalleryOwners() {
    std::map<std::string, std::size_t> owners;
    for (std::int32_t chara = kGalleryHeroines - 1; chara >= 0; --chara) {
        const std::int32_t items = GalleryList(chara, kGalleryKindCG).nItems;
        for (std::int32_t item = 1; item <= items; ++item) {
            owners[Upper(GalleryPicture(chara, item))] = static_cast<std::size_t>(chara);
        }
    }
    return owners;
}

std::optional<std::size_t> GalleryOwner(std::string_view stem) {
    static const std::map<std::string, std::size_t> owners = GalleryOwners();
    const auto it = owners.find(Upper(stem));
    if (it == owners.end()) return std::nullopt;
    return it->second;
}

// A picture no gallery lists belongs with the picture of its number.
std::string OwnerOf(std::string_view stem, const EventName& name, std::uint32_t hash) {
    std::optional<std::size_t> owner = GalleryOwner(stem);
    if (!owner && name.letter > 0) owner = GalleryOwner(stem.substr(0, stem.size() - 1));
    return std::string(HeroineId(owner.value_or(hash % kGalleryHeroines)));
}

// The pictures of her gallery that are her own, in its order.
std::vector<std::string> OwnPictures(std::int32_t chara) {
    std::vector<std::string> own;
    const std::int32_t items = GalleryList(chara, kGalleryKindCG).nItems;
    for (std::int32_t item = 1; item <= items; ++item) {
        std::string picture = GalleryPicture(chara, item);
        if (GalleryOwner(picture) == static_cast<std::size_t>(chara)) own.push_back(picture);
    }
    return own;
}

std::uint32_t Hash(const EventName& name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name.family) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    hash = (hash ^ static_cast<std::uint32_t>(name.number)) * 16777619u;
    // A salt that happens to give the gallery's first page four different places.
    constexpr std::uint32_t kSalt = 18;
    hash ^= kSalt;
    // Neighbouring numbers would seed the generator alike: spread their bits.
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    hash *= 0xC2B2AE35u;
    return hash ^ hash >> 16;
}

template <typename T, std::size_t N>
T Pick(std::minstd_rand& rng, const std::array<T, N>& choices) {
    return choices[rng() % N];
}

// A value between low and high.
double Between(std::minstd_rand& rng, double low, double high) {
    return low + (high - low) * static_cast<double>(rng() % 1000) / 999.0;
}

// What the number decides: the place, the moment, the outfit and where she stands.
void Compose(EventScene& scene, const EventName& name, std::minstd_rand& rng) {
    if (name.family == "HCG") {
        scene.moment = Pick(rng, std::array{Moment::HandInHand, Moment::Umbrella, Moment::Dance});
        scene.place = scene.moment == Moment::Umbrella
                          ? Place::Rain
                          : Pick(rng, std::array{Place::Lanterns, Place::MoonHill, Place::Dawn,
                                                 Place::Workshop});
        scene.outfit = Pick(rng, std::array{Outfit::Everyday, Outfit::Kimono, Outfit::Stage});
    } else if (name.family == "ED") {
        scene.place = Pick(rng, std::array{Place::Dawn, Place::MoonHill});
        scene.outfit = Pick(rng, std::array{Outfit::Stage, Outfit::White});
        scene.moment = Pick(rng, std::array{Moment::Alone, Moment::HandInHand});
    } else {
        scene.place = Pick(rng, std::array{Place::Workshop, Place::Stage, Place::Lanterns,
                                           Place::MoonHill, Place::Workshop, Place::Dawn});
        scene.outfit = Pick(rng, std::array{Outfit::Everyday, Outfit::Stage, Outfit::Everyday,
                                            Outfit::Kimono, Outfit::White});
    }
    if (scene.moment == Moment::Alone) {
        scene.prop = Pick(rng, std::array{Prop::Spool, Prop::Lantern, Prop::Flower, Prop::Ribbon,
                                          Prop::Letter, Prop::None});
    }
    scene.figureX = Between(rng, 300, 500);
    scene.headY = Between(rng, 190, 240);
    scene.scale = Between(rng, 1.15, 1.4);
    scene.tilt = Between(rng, -0.12, 0.12);
    scene.turn = Between(rng, -1, 1);
    scene.smile = static_cast<int>(rng() % 2);
}

// What the letter changes: a step closer (four steps, then back again), another
// turn of the head, eyes closed, and past the fourth letter what she holds.
void Vary(EventScene& scene, int letter) {
    if (letter == 0) return;
    constexpr int kSteps = 4;
    const int step = (letter - 1) % kSteps + 1;
    scene.eyesClosed = letter % 2 == 1;
    scene.smile = 1 - scene.smile;
    scene.turn = -scene.turn;
    scene.tilt = -scene.tilt + 0.05 * (letter % 3 - 1);
    scene.scale += 0.06 * step;
    scene.headY += 8 * step;
    scene.figureX += (scene.figureX < 400 ? 18 : -18) * step;
    if (scene.moment == Moment::Alone && letter > kSteps) {
        constexpr int kProps = static_cast<int>(Prop::Letter) + 1;
        scene.prop = static_cast<Prop>((static_cast<int>(scene.prop) + letter / kSteps) % kProps);
    }
}

// The pictures the story's scripts show, made to fit their lines; their lettered
// steps follow them. Those a costume's scene ends on show her in that costume; the
// scene the other costumes share shows her in her own dress.
void FitScript(EventScene& scene, const EventName& name) {
    if (name.family != "EV") return;
    if (name.number == 1) {  // the curtain rises on her first costume
        scene = {scene.heroine, Place::Stage, Outfit::Stage};
        scene.costume = 1;
        scene.curtainUp = true;
        scene.headY = 215;
        scene.scale = 0.8;
    } else if (name.number == 16) {  // the white costume floats in the stage light
        scene = {scene.heroine, Place::Stage, Outfit::White, Prop::Ribbon};
        scene.costume = 2;
        scene.tilt = 0.1;
        scene.scale = 1.3;
    } else if (name.number == 3 && name.letter == 0) {  // the kimono's sash knot in soft light
        scene = {scene.heroine, Place::Workshop, Outfit::Kimono};
        scene.costume = 3;
        scene.headY = 200;
        scene.scale = 1.3;
        scene.tilt = -0.06;
        scene.eyesClosed = true;
    } else if (name.number == 3) {  // the last fitting done, the stage lit
        scene = {scene.heroine, Place::Stage, Outfit::Everyday, Prop::Spool};
        scene.headY = 200;
        scene.scale = 1.2;
    }
}

// A kimono's sash cut by the picture's foot would end it in a hard-edged block: she
// stands far enough back that the sash shows whole, the kimono going on below it.
void ShowSashWhole(EventScene& scene) {
    constexpr double kSashLowest = 560;
    if (scene.outfit != Outfit::Kimono) return;
    scene.scale = std::min(scene.scale, (kSashLowest - scene.headY) / EventScene::kSashFoot);
}

}  // namespace

std::optional<EventScene> EventScene::Of(std::string_view stem) {
    const auto name = Parse(stem);
    if (!name) return std::nullopt;
    EventScene scene;
    scene.seed = Hash(*name);
    std::minstd_rand rng(scene.seed);
    scene.heroine = OwnerOf(stem, *name, scene.seed);
    Compose(scene, *name, rng);
    FitScript(scene, *name);
    Vary(scene, name->letter);
    ShowSashWhole(scene);
    scene.seed = Hash(*name) + static_cast<std::uint32_t>(name->letter);
    return scene;
}

std::optional<std::string> EventScene::ThumbnailSource(std::string_view stem) {
    const bool cg = stem.starts_with("Tb_cg_");
    if (!cg && !stem.starts_with("Tb_rp_")) return std::nullopt;
    const std::string_view rest = stem.substr(6);
    const std::size_t bar = rest.find('_');
    if (bar == std::string_view::npos) return std::nullopt;
    const std::string heroine = Upper(rest.substr(0, bar));
    int item = 0;
    const std::string_view digits = rest.substr(bar + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), item);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    for (std::int32_t chara = 0; chara < kGalleryHeroines; ++chara) {
        if (HeroineId(static_cast<std::size_t>(chara)) != heroine) continue;
        const std::int32_t kind = cg ? kGalleryKindCG : kGalleryKindReplay;
        if (item < 1 || item > GalleryList(chara, kind).nItems) return std::nullopt;
        if (cg) return GalleryPicture(chara, item);
        // A scene shows one of her own pictures, spread over them in order.
        const std::vector<std::string> own = OwnPictures(chara);
        const auto scenes = static_cast<std::size_t>(GalleryList(chara, kind).nItems);
        if (own.empty()) return std::nullopt;
        return own[static_cast<std::size_t>(item - 1) * own.size() / scenes];
    }
    return std::nullopt;
}

}  // namespace mkdemo
