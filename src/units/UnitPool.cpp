#include "units/UnitPool.h"

#include <new>

UnitPool::UnitPool(size_t bytes, size_t align) : blockBytes(bytes), alignment(align) {}

UnitPool::~UnitPool() {
    releaseSlabs();
}

void* UnitPool::take() {
    inUse++;
    if (freeBlocks) {
        FreeBlock* block = freeBlocks;
        freeBlocks = block->next;
        return block;
    }
    if (freshLeft == 0) {
        fresh = static_cast<char*>(::operator new(blockBytes* blocksPerSlab, std::align_val_t(alignment)));
        slabs.push_back(fresh);
        freshLeft = blocksPerSlab;
    }
    void* block = fresh;
    fresh += blockBytes;
    freshLeft--;
    return block;
}

void UnitPool::give(void* block) {
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = freeBlocks;
    freeBlocks = freed;
    if (--inUse == 0) releaseSlabs();
}

void UnitPool::releaseSlabs() {
    for (char* slab : slabs)
        ::operator delete(slab, std::align_val_t(alignment));
    slabs.clear();
    freeBlocks = nullptr;
    fresh = nullptr;
    freshLeft = 0;
}
