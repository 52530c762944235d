#pragma once

#include <cstddef>
#include <cstdint>

namespace oruvel::monitor {

// A movable memory block handle, as the global-memory functions hand out. Null is no block.
struct MemoryBlock;
using MemoryHandle = MemoryBlock*;

inline constexpr std::uint32_t kZeroInit = 0x40;

// The global-memory functions over the heap: allocate (zeroed with kZeroInit), lock (a pointer; the lock count rises),
// unlock, size and free.
MemoryHandle globalAlloc(std::uint32_t flags, std::size_t size);
void* globalLock(MemoryHandle block);
bool globalUnlock(MemoryHandle block);
std::size_t globalSize(MemoryHandle block);
void globalFree(MemoryHandle block);

// Owns one memory block: frees it when destroyed unless ownership was handed on with ReleaseDontFreeMemory.
class cMemory {
public:
    cMemory() = default;
    ~cMemory() { FreeMemory(); }
    cMemory(const cMemory&) = delete;
    cMemory& operator=(const cMemory&) = delete;

    MemoryHandle Handle() const { return handle_; }
    // Frees any held block, then takes `block`.
    void Handle(MemoryHandle block);
    // Null without a block; otherwise locks it when not yet locked and returns the locked pointer.
    void* Pointer();
    std::size_t Size() const { return globalSize(handle_); }

    bool AllocateMemory(std::size_t size, std::uint32_t flags);
    // Only when a block is held and not locked yet; false otherwise (also when already locked).
    bool LockMemory();
    void UnlockMemory();
    void FreeMemory();
    // Unlocks and forgets the block without freeing it: whoever took the handle owns it now.
    void ReleaseDontFreeMemory();

private:
    MemoryHandle handle_ = nullptr;
    void* pointer_ = nullptr;
};

} // namespace oruvel::monitor
