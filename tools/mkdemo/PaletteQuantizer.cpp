#include "mkdemo/PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace mkdemo {

namespace {

constexpr int kBins = 1 << 15;

struct Bin {
    int key = 0;  // the 15-bit colour
    std::uint64_t count = 0;
    std::array<std::uint64_t, 3> sums = {};  // red, green, blue
};

int Channel(int bin, int axis) { return (bin >> (10 - 5 * axis)) & 31; }

std::size_t To565(std::uint32_t rgb) {
    return (rgb >> 8 & 0xF800) | (rgb >> 5 & 0x07E0) | (rgb >> 3 & 0x001F);
}

// rgb moved by the given number of 16-bit levels in red, green and blue, kept in range.
std::uint32_t Stepped(std::uint32_t rgb, const std::array<int, 3>& levels) {
    constexpr int kLevel[] = {8, 4, 8};
    std::uint32_t moved = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        const int channel = static_cast<int>(rgb >> (16 - 8 * c) & 0xFF);
        moved = moved << 8 |
                static_cast<std::uint32_t>(std::clamp(channel + levels[c] * kLevel[c], 0, 255));
    }
    return moved;
}

// The squared distance between two colours.
int Gap(std::uint32_t a, std::uint32_t b) {
    int gap = 0;
    for (const int shift : {16, 8, 0}) {
        const int d = static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF);
        gap += d * d;
    }
    return gap;
}

int BinOf(std::uint32_t rgb) {
    return static_cast<int>((rgb >> 19 & 31) << 10 | (rgb >> 11 & 31) << 5 | (rgb >> 3 & 31));
}

// A run of bins that becomes one palette colour, with what choosing the next box to
// split needs: its pixel count and the axis along which it spreads most.
struct Box {
    std::size_t begin;
    std::size_t end;
    std::uint64_t count = 0;
    int axis = 0;
    int spread = -1;
};

Box MakeBox(const std::vector<Bin>& bins, std::size_t begin, std::size_t end) {
    Box box{begin, end};
    for (std::size_t i = begin; i < end; ++i) box.count += bins[i].count;
    for (int axis = 0; axis < 3; ++axis) {
        int low = 31, high = 0;
        for (std::size_t i = begin; i < end; ++i) {
            low = std::min(low, Channel(bins[i].key, axis));
            high = std::max(high, Channel(bins[i].key, axis));
        }
        if (high - low > box.spread) box.axis = axis, box.spread = high - low;
    }
    return box;
}

// Splits the box whose spread weighs most at the median of its longest axis; false
// when no box holds two bins.
bool SplitOne(std::vector<Bin>& bins, std::vector<Box>& boxes) {
    std::size_t chosen = boxes.size();
    std::uint64_t weight = 0;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        if (boxes[b].end - boxes[b].begin < 2) continue;
        const std::uint64_t w = static_cast<std::uint64_t>(boxes[b].spread + 1) * boxes[b].count;
        if (chosen == boxes.size() || w > weight) chosen = b, weight = w;
    }
    if (chosen == boxes.size()) return false;
    const Box box = boxes[chosen];
    const int axis = box.axis;
    const auto first = bins.begin() + static_cast<std::ptrdiff_t>(box.begin);
    const auto last = bins.begin() + static_cast<std::ptrdiff_t>(box.end);
    std::sort(first, last, [axis](const Bin& a, const Bin& b) {
        const int ca = Channel(a.key, axis);
        const int cb = Channel(b.key, axis);
        return ca != cb ? ca < cb : a.key < b.key;
    });
    const std::uint64_t half = box.count / 2;
    std::uint64_t running = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        running += bins[i].count;
        cut = i + 1;
        if (running >= half) break;
    }
    boxes[chosen] = MakeBox(bins, box.begin, cut);
    boxes.push_back(MakeBox(bins, cut, box.end));
    return true;
}

std::uint32_t MeanOf(const std::vector<Bin>& bins, const Box& box) {
    std::array<std::uint64_t, 3> sums = {};
    const std::uint64_t count = box.count;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) sums[c] += bins[i].sums[c];
    }
    std::uint32_t rgb = 0;
    for (int c = 0; c < 3; ++c) {
        rgb = rgb << 8 | static_cast<std::uint32_t>((sums[c] + count / 2) / count);
    }
    return rgb;
}

// Median cut for pictures with more colours than the palette holds.
IndexedPicture MedianCut(std::span<const std::uint32_t> xrgb, std::optional<std::uint32_t> key,
                         std::size_t colors) {
    std::vector<Bin> table(kBins);
    for (const std::uint32_t pixel : xrgb) {
        if (key && pixel == *key) continue;
        Bin& bin = table[static_cast<std::size_t>(BinOf(pixel))];
        ++bin.count;
        for (int c = 0; c < 3; ++c) bin.sums[c] += pixel >> (16 - 8 * c) & 0xFF;
    }
    std::vector<Bin> bins;
    for (int k = 0; k < kBins; ++k) {
        if (table[static_cast<std::size_t>(k)].count == 0) continue;
        bins.push_back(table[static_cast<std::size_t>(k)]);
        bins.back().key = k;
    }
    std::vector<Box> boxes = {MakeBox(bins, 0, bins.size())};
    while (boxes.size() < colors && SplitOne(bins, boxes)) {
    }
    IndexedPicture picture;
    if (key) picture.palette.push_back(*key);
    std::vector<std::uint8_t> lookup(kBins);
    for (const Box& box : boxes) {
        const std::uint32_t mean = MeanOf(bins, box);
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lookup[static_cast<std::size_t>(bins[i].key)] =
                static_cast<std::uint8_t>(picture.palette.size());
        }
        picture.palette.push_back(key ? MoveOffKey(mean, *key) : mean);
    }
    picture.indices.reserve(xrgb.size());
    for (const std::uint32_t pixel : xrgb) {
        picture.indices.push_back(
            key && pixel == *key ? 0 : lookup[static_cast<std::size_t>(BinOf(pixel))]);
    }
    return picture;
}

}  // namespace

std::uint32_t MoveOffKey(std::uint32_t rgb, std::uint32_t key) {
    // A 16-bit screen keeps the top 5, 6 and 5 bits: a colour equal to the key there
    // would vanish, so the lowest bit the screen keeps of green is flipped.
    constexpr std::uint32_t kKept565 = 0xF8FCF8;
    return ((rgb ^ key) & kKept565) == 0 ? rgb ^ 0x000400 : rgb;
}

std::uint32_t OwnColorNear(std::uint32_t rgb, std::span<const std::uint32_t> others,
                           std::uint32_t key) {
    std::vector<bool> taken(1 << 16);
    taken[To565(key)] = true;
    for (const std::uint32_t other : others) taken[To565(other)] = true;
    // Among the colours a level away in some channel, then two, ... the nearest free one.
    for (int reach = 0; reach < 64; ++reach) {
        std::optional<std::uint32_t> best;
        int bestGap = 0;
        for (int dr = -reach; dr <= reach; ++dr) {
            for (int dg = -reach; dg <= reach; ++dg) {
                for (int db = -reach; db <= reach; ++db) {
                    if (std::max({std::abs(dr), std::abs(dg), std::abs(db)}) != reach) continue;
                    const std::uint32_t candidate = Stepped(rgb, {dr, dg, db});
                    const int gap = Gap(candidate, rgb);
                    if (taken[To565(candidate)] || (best && gap >= bestGap)) continue;
                    best = candidate;
                    bestGap = gap;
                }
            }
        }
        if (best) return *best;
    }
    return rgb;
}

IndexedPicture PaletteQuantizer::Reduce(std::span<const std::uint32_t> xrgb,
                                        std::optional<std::uint32_t> key) {
    const std::size_t colors = key ? 255 : 256;
    std::map<std::uint32_t, std::uint8_t> exact;
    for (const std::uint32_t pixel : xrgb) {
        if (key && pixel == *key) continue;
        if (exact.size() > colors) break;
        exact.emplace(pixel, 0);
    }
    if (exact.size() > colors) return MedianCut(xrgb, key, colors);
    // Few colours: each keeps its own entry exactly.
    IndexedPicture picture;
    if (key) picture.palette.push_back(*key);
    for (auto& [rgb, index] : exact) {
        index = static_cast<std::uint8_t>(picture.palette.size());
        picture.palette.push_back(rgb);
    }
    picture.indices.reserve(xrgb.size());
    for (const std::uint32_t pixel : xrgb) {
        picture.indices.push_back(key && pixel == *key ? 0 : exact.at(pixel));
    }
    return picture;
}

}  // namespace mkdemo
