#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "support/allocation_probe.h"

namespace lumo {
namespace {

TEST(BinaryReader, ShortReadFailsAndChangesNothing) {
    const std::array<std::uint8_t, 7> block{1, 2, 3, 4, 5, 6, 7};
    CBinaryReaderFromMemory reader(block.data(), block.size());
    std::uint32_t v = 0;
    ASSERT_EQ(reader.Read(v), 4u);
    EXPECT_EQ(v, 0x04030201u);

    std::uint32_t untouched = 0xDEADBEEF;
    EXPECT_EQ(reader.Read(untouched), 0u);  // 3 bytes left
    EXPECT_EQ(untouched, 0xDEADBEEFu);
    EXPECT_EQ(reader.Tell(), 4u);

    std::uint8_t rest[3] = {};
    EXPECT_EQ(reader.ReadArray(rest, 3), 3u);  // exactly to the end
    EXPECT_EQ(reader.Tell(), reader.GetSize());
    std::uint8_t past = 0;
    EXPECT_EQ(reader.Read(past), 0u);
}

TEST(BinaryReader, SeekPastEndIsCaughtByTheNextRead) {
    const std::array<std::uint8_t, 4> block{};
    CBinaryReaderFromMemory reader(block.data(), block.size());
    reader.Seek(0xFFFFFFFE);  // position + size must not wrap around
    std::uint32_t v = 0;
    EXPECT_EQ(reader.Read(v), 0u);
    reader.Seek(2);
    EXPECT_EQ(reader.Read(v), 0u);
    EXPECT_EQ(reader.AlignTo(2, 4), 2u);  // skipping never checks
    EXPECT_EQ(reader.Tell(), 4u);
}

TEST(BinaryWriter, WritesThatEndAtCapacitySucceedThroughEveryOperation) {
    std::array<std::uint8_t, 8> block{};
    {
        CBinaryWriterToMemory writer(block.data(), block.size());
        writer.Seek(4);
        EXPECT_EQ(writer.Write(std::uint32_t{0x11223344}), 4u);
        EXPECT_EQ(writer.Write(std::uint8_t{1}), 0u);
        EXPECT_EQ(writer.Tell(), 8u);
    }
    {
        CBinaryWriterToMemory writer(block.data(), block.size());
        writer.Seek(6);
        const std::uint16_t pair[1] = {7};
        EXPECT_EQ(writer.WriteArray(pair, 1), 2u);
        writer.Seek(4);
        EXPECT_EQ(writer.WriteBits(std::uint32_t{5}, {4, 20, 8}), 4u);
        writer.Seek(0);
        EXPECT_EQ(writer.Write(block.data(), 8), 8u);
        writer.Seek(0);
        EXPECT_EQ(writer.Write(1.0f), 4u);
        EXPECT_EQ(writer.AlignTo(4, 8), 4u);
        EXPECT_EQ(writer.Tell(), 8u);
        EXPECT_EQ(writer.AlignTo(9, 8), 0u);  // 7 bytes do not fit
        EXPECT_EQ(writer.Tell(), 8u);
    }
}

TEST(BinaryWriter, ByteOrderFollowsTheSwapFlag) {
    std::array<std::uint8_t, 8> block{};
    CBinaryWriterToMemory writer(block.data(), block.size());
    writer.Write(std::uint32_t{0x11223344});
    writer.SetSwap(true);
    writer.Write(std::uint32_t{0x11223344});
    EXPECT_EQ(block, (std::array<std::uint8_t, 8>{0x44, 0x33, 0x22, 0x11, 0x11, 0x22, 0x33, 0x44}));

    CBinaryReaderFromMemory reader(block.data(), block.size());
    reader.SetSwap(true);
    std::uint32_t first = 0;
    reader.Read(first);
    EXPECT_EQ(first, 0x44332211u);
}

TEST(BinaryWriter, SwappedBitFieldsPutTheFirstFieldInTheTopBits) {
    std::array<std::uint8_t, 4> block{};
    CBinaryWriterToMemory writer(block.data(), block.size());
    writer.SetSwap(true);
    const std::uint32_t value = 0x3 | (0xABCDEu << 4) | (0x01u << 24);
    writer.WriteBits(value, {4, 20, 8});
    // Stored word 0x3ABCDE01, big-endian.
    EXPECT_EQ(block, (std::array<std::uint8_t, 4>{0x3A, 0xBC, 0xDE, 0x01}));

    CBinaryReaderFromMemory reader(block.data(), block.size());
    reader.SetSwap(true);
    std::uint32_t back = 0;
    EXPECT_EQ(reader.ReadBits(back, {4, 20, 8}), 4u);
    EXPECT_EQ(back, value);

    // Without swapping the value is a plain little-endian word.
    CBinaryWriterToMemory plain(block.data(), block.size());
    plain.WriteBits(value, {4, 20, 8});
    EXPECT_EQ(block, (std::array<std::uint8_t, 4>{0xE3, 0xCD, 0xAB, 0x01}));
}

TEST(BinaryWriter, BitFieldsRoundTripInEveryWidth) {
    std::array<std::uint8_t, 15> block{};
    CBinaryWriterToMemory writer(block.data(), block.size());
    writer.SetSwap(true);
    writer.WriteBits(std::uint64_t{0x0123456789ABCDEF}, {8, 16, 40});
    writer.WriteBits(std::uint16_t{0xBEEF}, {3, 13});
    writer.WriteBits(std::uint8_t{0xA5}, {1, 7});
    CBinaryReaderFromMemory reader(block.data(), block.size());
    reader.SetSwap(true);
    std::uint64_t v64 = 0;
    std::uint16_t v16 = 0;
    std::uint8_t v8 = 0;
    reader.ReadBits(v64, {8, 16, 40});
    reader.ReadBits(v16, {3, 13});
    reader.ReadBits(v8, {1, 7});
    EXPECT_EQ(v64, 0x0123456789ABCDEFu);
    EXPECT_EQ(v16, 0xBEEF);
    EXPECT_EQ(v8, 0xA5);
}

TEST(CountingWriter, CountsWithoutWriting) {
    CBinaryWriterForUpdateSize counter;
    EXPECT_EQ(counter.Write(std::uint32_t{1}), 4u);
    const std::uint8_t bytes[12] = {};
    EXPECT_EQ(counter.WriteArray(bytes, 12), 12u);
    EXPECT_EQ(counter.AlignTo(16, 32), 16u);
    EXPECT_EQ(counter.Tell(), 32u);
    EXPECT_EQ(counter.WriteBits(std::uint16_t{1}, {16}), 2u);
    EXPECT_EQ(counter.Write(bytes, 5), 5u);
    EXPECT_EQ(counter.Tell(), 39u);
    EXPECT_EQ(counter.GetSize(), 0u);
}

TEST(CountingWriter, PaddingIsCountedWithoutAllocatingAndStopsAtFourGibibytes) {
    testsupport::ResetLargestAllocation();
    CBinaryWriterForUpdateSize counter;
    EXPECT_EQ(counter.AlignTo(1, 0x80000000u), 0x7FFFFFFFu);
    EXPECT_LT(testsupport::LargestAllocation(), 65536u);
    EXPECT_EQ(counter.AlignTo(0, 0x80000001u), 0u);  // already aligned
    EXPECT_EQ(counter.AlignTo(1, 0x80000001u), 0x80000000u);
    EXPECT_EQ(counter.Tell(), 0xFFFFFFFFu);
    EXPECT_EQ(counter.Write(std::uint8_t{1}), 0u);  // a 32-bit position ends here
    EXPECT_EQ(counter.Tell(), 0xFFFFFFFFu);

    std::array<std::uint8_t, 8> block{};
    CBinaryWriterToMemory writer(block.data(), block.size());
    testsupport::ResetLargestAllocation();
    EXPECT_EQ(writer.AlignTo(1, 0x80000000u), 0u);
    EXPECT_LT(testsupport::LargestAllocation(), 65536u);
}

TEST(BinFileIO, PaddingAndBase) {
    CBinaryWriterForUpdateSize stream;
    EXPECT_EQ(stream.PaddingFor(33, 32), 31u);
    EXPECT_EQ(stream.PaddingFor(64, 32), 0u);
    EXPECT_EQ(stream.PaddingFor(5, 0), 0u);
    stream.SetBase(100);
    EXPECT_EQ(stream.SeekFromBase(8), 108u);
    EXPECT_EQ(stream.TellFromBase(), 8u);
    EXPECT_EQ(stream.Skip(4), 4u);
    EXPECT_EQ(stream.Tell(), 112u);
}

}  // namespace
}  // namespace lumo
