#include "monitor/c_memory.h"

#include <cstring>
#include <memory>

namespace oruvel::monitor {

struct MemoryBlock {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
    int locks = 0;
};

MemoryHandle globalAlloc(std::uint32_t flags, std::size_t size) {
    auto block = std::make_unique<MemoryBlock>();
    block->bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size == 0 ? 1 : size);
    block->size = size;
    if ((flags & kZeroInit) != 0) {
        std::memset(block->bytes.get(), 0, size);
    }
    return block.release();
}

void* globalLock(MemoryHandle block) {
    if (block == nullptr) {
        return nullptr;
    }
    ++block->locks;
    return block->bytes.get();
}

bool globalUnlock(MemoryHandle block) {
    if (block == nullptr || block->locks == 0) {
        return false;
    }
    return --block->locks > 0;
}

std::size_t globalSize(MemoryHandle block) { return block == nullptr ? 0 : block->size; }

void globalFree(MemoryHandle block) { delete block; }

void cMemory::Handle(MemoryHandle block) {
    if (handle_ != nullptr) {
        FreeMemory();
    }
    handle_ = block;
}

void* cMemory::Pointer() {
    if (handle_ == nullptr) {
        return nullptr;
    }
    if (pointer_ == nullptr) {
        LockMemory();
    }
    return pointer_;
}

bool cMemory::AllocateMemory(std::size_t size, std::uint32_t flags) {
    FreeMemory();
    handle_ = globalAlloc(flags, size);
    return handle_ != nullptr;
}

bool cMemory::LockMemory() {
    if (handle_ == nullptr || pointer_ != nullptr) {
        return false;
    }
    pointer_ = globalLock(handle_);
    return pointer_ != nullptr;
}

void cMemory::UnlockMemory() {
    if (handle_ != nullptr && pointer_ != nullptr) {
        globalUnlock(handle_);
        pointer_ = nullptr;
    }
}

void cMemory::FreeMemory() {
    if (handle_ != nullptr) {
        UnlockMemory();
        globalFree(handle_);
        handle_ = nullptr;
    }
}

void cMemory::ReleaseDontFreeMemory() {
    UnlockMemory();
    handle_ = nullptr;
}

} // namespace oruvel::monitor
