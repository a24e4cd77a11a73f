#include <vellum/platform/GlobalMemory.h>

#include <gtest/gtest.h>

#include <cstring>

namespace vellum::test {
namespace {

TEST(GlobalMemory, BlocksLockToTheirBytesAndRefuseBadHandles) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 5u);
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[4], 0); // zero-filled
    std::memcpy(bytes, "vlm!", 5);
    EXPECT_EQ(GlobalLock(block), bytes);  // a second lock sees the same bytes
    EXPECT_EQ(GlobalUnlock(block), TRUE); // still locked once
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GlobalUnlock(block), FALSE); // not locked at all
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "vlm!");
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);

    // A freed or never allocated handle is refused, not followed.
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalFree(block), block);
    int stranger = 0;
    EXPECT_EQ(GlobalLock(&stranger), nullptr);

    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    EXPECT_NE(GlobalLock(empty), nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    GlobalUnlock(empty);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

} // namespace
} // namespace vellum::test
