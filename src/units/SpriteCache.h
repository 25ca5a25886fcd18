#ifndef VORN_UNITS_SPRITECACHE_H
#define VORN_UNITS_SPRITECACHE_H

#include <allegro.h>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

// The most memory the pictures of the drawing's sprite cache take, in bytes (32 MB).
const size_t spriteCacheBudgetBytes = 32u * 1024u * 1024u;
// Draws that earn the making of one picture: a crowd seen for the first time is drawn at about
// its uncached cost, its pictures made over the next frames (in draws).
const int spriteCacheDrawsPerMaking = 8;

// Unit frames drawn turned and scaled once, then copied as they are: a rotated, scaled draw costs
// about twice a masked copy, and a crowd shows the same frames at the same few angles and scales.
// A picture is kept per frame, angle (rounded to a whole angle unit, 1/256 of a turn) and scale,
// made on its second draw (a turning unit passes many angles only once), at most one per
// spriteCacheDrawsPerMaking draws after a first few. Once the pictures pass the budget, the least
// recently drawn are forgotten until a quarter of the budget is free again.
// Frames are known by their address: whoever frees frames must forget them here first (the
// loader empties the cache whenever it releases datafiles or retires unit types).
class SpriteCache {
  public:
    explicit SpriteCache(size_t budgetBytes = spriteCacheBudgetBytes);
    ~SpriteCache();
    SpriteCache(const SpriteCache&) = delete;
    SpriteCache& operator=(const SpriteCache&) = delete;

    // The cache every unit draws through.
    static SpriteCache& drawing();

    // Draws pic onto bmp as pivot_scaled_sprite(bmp, pic, x, y, pic->w / 2, pic->h / 2, angle,
    // scale) does, at the angle rounded to a whole angle unit; angle in angle units, scale fixed.
    void draw(BITMAP* bmp, BITMAP* pic, int x, int y, fixed angle, fixed scale);
    void forget(BITMAP* pic); // every picture made from pic
    void clear();
    size_t getBytes() const { return bytes; }
    size_t getCount() const { return count; }

  private:
    // One frame turned to one angle.
    struct Picture {
        RLE_SPRITE* sprite; // null when the turned frame shows no pixel
        int left, top;      // of the sprite, from the pivot, in pixels
        size_t bytes;
        uint64_t lastDrawn; // draws counts when it was last drawn
    };
    // One frame at one scale, at every whole angle (null where not made yet).
    struct Sheet {
        Picture* turns[256];
        uint64_t asked[4]; // bit per angle: drawn once uncached, so the next draw makes its picture
    };
    struct SheetKey {
        BITMAP* pic;
        fixed scale;
        bool operator==(const SheetKey& o) const { return pic == o.pic && scale == o.scale; }
    };
    struct SheetKeyHash {
        size_t operator()(const SheetKey& k) const {
            return std::hash<uintptr_t>()((uintptr_t)k.pic) * 31u + (size_t)(uint32_t)k.scale;
        }
    };

    // The picture of pic at angle (whole units) and scale, made now, or null when it would take
    // over an eighth of the budget or cannot be made (then the frame is drawn turned directly).
    Picture* make(BITMAP* pic, int angle, fixed scale);
    void dropPicture(Picture*& p);
    void dropSheet(Sheet& sheet);
    void forgetOldest();

    std::unordered_map<SheetKey, Sheet, SheetKeyHash> sheets;
    size_t bytes;   // of the pictures and sheets
    size_t count;   // pictures kept
    size_t budget;  // in bytes
    uint64_t draws; // made so far; stamps a picture's last draw
    int credit;     // draws not yet spent on making pictures, at most 32 makings' worth
};

#endif
