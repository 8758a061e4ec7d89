#include <gtest/gtest.h>

#include "platform/memory_file.h"

namespace platform {
namespace {

TEST(FilesInMemory, BehavesLikeAFile) {
    MemoryFile file(std::vector<std::uint8_t>{1, 2, 3});
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 3u);
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    ASSERT_TRUE(file.Seek(5));
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    ASSERT_TRUE(file.Write("\x09", 1));  // the gap fills with zeros
    EXPECT_EQ(file.Bytes(), (std::vector<std::uint8_t>{1, 2, 3, 0, 0, 9}));
    ASSERT_TRUE(file.Seek(1));
    ASSERT_TRUE(file.Write("\x07\x07", 2));
    EXPECT_EQ(file.Position(), 3u);
    EXPECT_EQ(file.Size(), 6u);
    EXPECT_EQ(file.TakeBytes(), (std::vector<std::uint8_t>{1, 7, 7, 0, 0, 9}));
    EXPECT_EQ(file.Size(), 0u);
}

TEST(FilesInMemory, RefusesWritesPastItsLimitWithoutAllocating) {
    MemoryFile file;
    ASSERT_TRUE(file.Seek(MemoryFile::kMaxSize));
    EXPECT_FALSE(file.Write("x", 1));
    ASSERT_TRUE(file.Seek(~std::uint64_t{0}));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(file.Size(), 0u);
}

}  // namespace
}  // namespace platform
