// LVGL's character maps and kerning tables.
#include "output/lvgl_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace zemtra::font_export {
namespace {

// A run of consecutive characters this long gets a character map of its own (a header of some
// 24 bytes, no list); shorter runs share a sparse map (two bytes a character).
constexpr size_t kOwnMapRun = 12;
// A map's range and list lengths are 16-bit.
constexpr uint32_t kMaxMapSpan = 0xFFFF;

}  // namespace

// Runs of consecutive codes, each its own range when long, the short ones gathered into
// sparse lists; maps never overlap, since LVGL takes the first map whose range holds a code.
std::vector<CharacterMap> CharacterMaps(const std::vector<char32_t>& glyphs) {
    std::vector<CharacterMap> maps;
    CharacterMap sparse;
    bool sparseOpen = false;
    size_t sparseRuns = 0;
    const auto closeSparse = [&] {
        // A list of one run is a range of its own, without the list.
        if (sparseOpen && sparseRuns == 1) sparse.sparse.clear();
        if (sparseOpen) maps.push_back(sparse);
        sparseOpen = false;
        sparseRuns = 0;
    };
    size_t i = 0;
    while (i < glyphs.size()) {
        size_t end = i + 1;
        while (end < glyphs.size() && glyphs[end] == glyphs[end - 1] + 1 && end - i < kMaxMapSpan) {
            ++end;
        }
        const uint32_t first = glyphs[i];
        if (end - i >= kOwnMapRun) {
            closeSparse();
            maps.push_back(
                {first, static_cast<uint32_t>(end - i), static_cast<uint32_t>(i + 1), {}});
        } else {
            // A run stays whole in one list: the list is closed first when it would not fit.
            const uint32_t last = glyphs[end - 1];
            if (sparseOpen && last - sparse.start >= kMaxMapSpan) closeSparse();
            if (!sparseOpen) {
                sparse = {first, 0, static_cast<uint32_t>(i + 1), {}};
                sparseOpen = true;
            }
            for (size_t k = i; k < end; ++k) {
                sparse.sparse.push_back(static_cast<uint16_t>(glyphs[k] - sparse.start));
            }
            sparse.length = last - sparse.start + 1;
            ++sparseRuns;
        }
        i = end;
    }
    closeSparse();
    return maps;
}

namespace {

// The scale (16 = 1.0) that fits the largest adjustment into LVGL's signed byte.
uint32_t KernScale(std::span<const KerningPair> pairs) {
    int64_t largest = 0;
    for (const KerningPair& p : pairs)
        largest = std::max<int64_t>(largest, std::abs(int64_t{p.sixteenths}));
    if (largest <= 127) return 16;
    return static_cast<uint32_t>(std::min<int64_t>((largest * 16 + 126) / 127, 0xFFFF));
}

KernClasses ClassesOf(const std::vector<KernEntry>& entries, size_t glyphCount) {
    KernClasses k;
    // Rows and columns as (other id, value) lists, which entries give in order for rows.
    std::map<uint32_t, std::vector<std::pair<uint32_t, int32_t>>> rows, columns;
    for (const KernEntry& e : entries) {
        rows[e.left].push_back({e.right, e.value});
        columns[e.right].push_back({e.left, e.value});
    }
    const auto classify = [](const auto& lines, std::vector<uint8_t>& of, uint32_t& count) {
        std::map<std::vector<std::pair<uint32_t, int32_t>>, uint32_t> seen;
        for (const auto& [id, line] : lines) {
            auto [it, added] = seen.try_emplace(line, static_cast<uint32_t>(seen.size() + 1));
            if (it->second > 255) return false;
            of[id] = static_cast<uint8_t>(it->second);
        }
        count = static_cast<uint32_t>(seen.size());
        return true;
    };
    k.left.assign(glyphCount + 1, 0);
    k.right.assign(glyphCount + 1, 0);
    if (!classify(rows, k.left, k.leftCount) || !classify(columns, k.right, k.rightCount)) {
        return {};
    }
    k.values.assign(size_t{k.leftCount} * k.rightCount, 0);
    for (const KernEntry& e : entries) {
        k.values[(k.left[e.left] - 1u) * size_t{k.rightCount} + (k.right[e.right] - 1u)] = e.value;
    }
    return k;
}

}  // namespace

LvglKerning MakeLvglKerning(std::span<const KerningPair> pairs,
                            const std::vector<char32_t>& glyphs) {
    LvglKerning k;
    k.scale = KernScale(pairs);
    const auto id = [&](char32_t c) -> uint32_t {
        const auto it = std::lower_bound(glyphs.begin(), glyphs.end(), c);
        return it != glyphs.end() && *it == c ? static_cast<uint32_t>(it - glyphs.begin() + 1) : 0;
    };
    for (const KerningPair& p : pairs) {
        const uint32_t left = id(p.left), right = id(p.right);
        // Rounded to the scale; a value that rounds to nothing changes nothing.
        const auto value =
            static_cast<int32_t>(std::lround(static_cast<double>(p.sixteenths) * 16.0 / k.scale));
        if (left != 0 && right != 0 && value != 0) k.pairs.push_back({left, right, value});
    }
    if (k.pairs.empty()) return k;
    k.wideIds = glyphs.size() > 255;
    const size_t pairBytes = k.pairs.size() * (k.wideIds ? 5 : 3);
    k.classes = ClassesOf(k.pairs, glyphs.size());
    const size_t classBytes =
        k.classes.left.size() * 2 + size_t{k.classes.leftCount} * k.classes.rightCount;
    k.useClasses = k.classes.leftCount != 0 && classBytes < pairBytes;
    return k;
}

}  // namespace zemtra::font_export
