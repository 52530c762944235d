#include "monitor/c_memory.h"

#include <gtest/gtest.h>

using namespace oruvel::monitor;

TEST(cMemory, OwnsLocksAndHandsOnItsBlock) {
    cMemory m;
    EXPECT_EQ(m.Pointer(), nullptr);
    EXPECT_EQ(m.Size(), 0U);
    ASSERT_TRUE(m.AllocateMemory(64, kZeroInit));
    EXPECT_EQ(m.Size(), 64U);
    auto* bytes = static_cast<unsigned char*>(m.Pointer());
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[63], 0) << "zero-initialised";
    EXPECT_FALSE(m.LockMemory()) << "already locked";
    EXPECT_EQ(m.Pointer(), bytes) << "keeps the first pointer";
    m.UnlockMemory();
    EXPECT_TRUE(m.LockMemory());

    const MemoryHandle handed = m.Handle();
    m.ReleaseDontFreeMemory();
    EXPECT_EQ(m.Handle(), nullptr);
    EXPECT_EQ(globalSize(handed), 64U) << "the block lives on with its new owner";
    cMemory owner;
    owner.Handle(handed);
    EXPECT_EQ(owner.Size(), 64U);
    owner.Handle(globalAlloc(0, 8)); // frees the previous block first
    EXPECT_EQ(owner.Size(), 8U);
}
