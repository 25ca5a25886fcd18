#ifndef VORN_UNITS_UNITPOOL_H
#define VORN_UNITS_UNITPOOL_H

#include <cstddef>
#include <vector>

// Blocks of one size for the units of a round. A crowd's units come and go by the thousand, and
// taken from the general heap among pictures and lists of every size they leave it more holes as
// a long round goes on. Here a freed block is the next one handed out, and the slabs go back to
// the system once no block is in use (a round's end).
class UnitPool {
  public:
    // blockBytes a multiple of alignment, alignment a power of two.
    UnitPool(size_t blockBytes, size_t alignment);
    ~UnitPool();
    UnitPool(const UnitPool&) = delete;
    UnitPool& operator=(const UnitPool&) = delete;

    void* take();
    void give(void* block);                   // a block take() handed out and not given back since
    size_t getInUse() const { return inUse; } // blocks
    size_t getSlabCount() const { return slabs.size(); }

    static constexpr size_t blocksPerSlab = 128;

  private:
    struct FreeBlock {
        FreeBlock* next;
    };
    void releaseSlabs();

    size_t blockBytes, alignment;
    std::vector<char*> slabs;
    FreeBlock* freeBlocks = nullptr; // the last given back first
    char* fresh = nullptr;           // the next never handed out block of the newest slab
    size_t freshLeft = 0;            // blocks
    size_t inUse = 0;                // blocks
};

#endif
