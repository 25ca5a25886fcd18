#include "units/SpriteCache.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Bounds {
    int x0, y0, x1, y1; // inclusive; x1 < x0 when empty
};

// The smallest rectangle holding every pixel of a memory bitmap that is not mask.
template <typename Pixel> Bounds visibleBounds(BITMAP* b, Pixel mask) {
    Bounds r{b->w, b->h, -1, -1};
    for (int y = 0; y < b->h; y++) {
        const Pixel* row = (const Pixel*)b->line[y];
        int x = 0, last = b->w - 1;
        while (x < b->w && row[x] == mask)
            x++;
        if (x == b->w) continue;
        while (row[last] == mask)
            last--;
        r.x0 = std::min(r.x0, x);
        r.x1 = std::max(r.x1, last);
        r.y0 = std::min(r.y0, y);
        r.y1 = y;
    }
    return r;
}

Bounds visibleBounds(BITMAP* b) {
    int mask = bitmap_mask_color(b);
    switch (bitmap_color_depth(b)) {
    case 8:
        return visibleBounds<uint8_t>(b, (uint8_t)mask);
    case 15:
    case 16:
        return visibleBounds<uint16_t>(b, (uint16_t)mask);
    case 32:
        return visibleBounds<uint32_t>(b, (uint32_t)mask);
    }
    Bounds r{b->w, b->h, -1, -1}; // 24-bit pixels are not words: read one at a time
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            if (getpixel(b, x, y) != mask) r = {std::min(r.x0, x), std::min(r.y0, y), std::max(r.x1, x), y};
    return r;
}

const int creditLimit = 32 * spriteCacheDrawsPerMaking;

} // namespace

SpriteCache::SpriteCache(size_t budgetBytes)
    : bytes(0), count(0), budget(budgetBytes), draws(0), credit(creditLimit) {}

SpriteCache::~SpriteCache() {
    clear();
}

SpriteCache& SpriteCache::drawing() {
    // Never destroyed: loaders that are globals empty it as they end, whatever the order of exit.
    static SpriteCache* cache = new SpriteCache();
    return *cache;
}

void SpriteCache::draw(BITMAP* bmp, BITMAP* pic, int x, int y, fixed angle, fixed scale) {
    if (!bmp || !pic) return;
    // A mirrored or vanishing draw, or one across colour depths, is left to Allegro as it comes.
    if (scale <= 0 || bitmap_color_depth(bmp) != bitmap_color_depth(pic)) {
        pivot_scaled_sprite(bmp, pic, x, y, pic->w / 2, pic->h / 2, angle, scale);
        return;
    }
    // Rounded to the nearest whole unit; a whole turn is 256 units, whatever the sign.
    int turn = (int)(((long long)angle + 0x8000) >> 16) & 255;
    SheetKey key{pic, scale};
    auto found = sheets.find(key); // emplace would build a sheet at every draw
    if (found == sheets.end()) {
        found = sheets.emplace(key, Sheet{}).first;
        bytes += sizeof(Sheet);
    }
    Sheet& sheet = found->second;
    Picture* p = sheet.turns[turn];
    if (!p) {
        uint64_t& asked = sheet.asked[turn / 64];
        uint64_t bit = uint64_t(1) << (turn % 64);
        bool again = (asked & bit) != 0;
        asked |= bit;
        if (again && credit >= spriteCacheDrawsPerMaking) {
            credit -= spriteCacheDrawsPerMaking;
            p = make(pic, turn, scale); // may forget the sheet
        }
    }
    if (credit < creditLimit) credit++;
    if (!p) {
        pivot_scaled_sprite(bmp, pic, x, y, pic->w / 2, pic->h / 2, itofix(turn), scale);
        return;
    }
    p->lastDrawn = ++draws;
    if (p->sprite) draw_rle_sprite(bmp, p->sprite, x + p->left, y + p->top);
}

SpriteCache::Picture* SpriteCache::make(BITMAP* pic, int angle, fixed scale) {
    // The farthest corner from the pivot, scaled, bounds the turned frame; a pixel of margin on
    // each side takes the rounding of the edges.
    double reach = std::hypot((double)std::max(pic->w / 2, pic->w - pic->w / 2),
                              (double)std::max(pic->h / 2, pic->h - pic->h / 2));
    double half = std::ceil(reach * fixtof(scale)) + 2;
    int depth = bitmap_color_depth(pic);
    double side = 2 * half + 1;
    if (side * side * ((depth + 7) / 8) > budget / 8.0) return nullptr;
    int pivot = (int)half;
    BITMAP* turned = create_bitmap_ex(depth, (int)side, (int)side);
    if (!turned) return nullptr;
    clear_to_color(turned, bitmap_mask_color(turned));
    pivot_scaled_sprite(turned, pic, pivot, pivot, pic->w / 2, pic->h / 2, itofix(angle), scale);
    Bounds v = visibleBounds(turned);
    Picture made{nullptr, v.x0 - pivot, v.y0 - pivot, sizeof(Picture), 0};
    if (v.x1 >= v.x0) {
        BITMAP* visible = create_sub_bitmap(turned, v.x0, v.y0, v.x1 - v.x0 + 1, v.y1 - v.y0 + 1);
        made.sprite = visible ? get_rle_sprite(visible) : nullptr;
        if (visible) destroy_bitmap(visible);
        if (!made.sprite) {
            destroy_bitmap(turned);
            return nullptr;
        }
        made.bytes += sizeof(RLE_SPRITE) + made.sprite->size;
    }
    destroy_bitmap(turned);
    if (bytes + made.bytes > budget) forgetOldest();
    auto placed = sheets.emplace(SheetKey{pic, scale}, Sheet{});
    if (placed.second) bytes += sizeof(Sheet);
    Picture*& p = placed.first->second.turns[angle];
    p = new Picture(made);
    bytes += made.bytes;
    count++;
    return p;
}

void SpriteCache::dropPicture(Picture*& p) {
    if (!p) return;
    if (p->sprite) destroy_rle_sprite(p->sprite);
    bytes -= p->bytes;
    count--;
    delete p;
    p = nullptr;
}

void SpriteCache::dropSheet(Sheet& sheet) {
    for (Picture*& p : sheet.turns)
        dropPicture(p);
    bytes -= sizeof(Sheet);
}

void SpriteCache::forgetOldest() {
    // Forgetting a quarter of the budget at once keeps the sort out of most draws.
    std::vector<std::pair<uint64_t, Picture**>> kept;
    kept.reserve(count);
    for (auto& entry : sheets)
        for (Picture*& p : entry.second.turns)
            if (p) kept.emplace_back(p->lastDrawn, &p);
    std::sort(kept.begin(), kept.end());
    for (auto& k : kept) {
        if (bytes <= budget - budget / 4) break;
        dropPicture(*k.second);
    }
    for (auto it = sheets.begin(); it != sheets.end();) {
        bool empty = std::all_of(std::begin(it->second.turns), std::end(it->second.turns),
                                 [](Picture* p) { return !p; });
        if (empty) {
            bytes -= sizeof(Sheet);
            it = sheets.erase(it);
        } else {
            ++it;
        }
    }
}

void SpriteCache::forget(BITMAP* pic) {
    for (auto it = sheets.begin(); it != sheets.end();) {
        if (it->first.pic == pic) {
            dropSheet(it->second);
            it = sheets.erase(it);
        } else {
            ++it;
        }
    }
}

void SpriteCache::clear() {
    for (auto& entry : sheets)
        dropSheet(entry.second);
    decltype(sheets)().swap(sheets); // clear() would keep the buckets
}
