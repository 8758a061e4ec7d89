// Costs of the texture paths the editor runs most: writing a face slot (BGRA8, 256 x 256) and
// reading one back, and decoding a DXT1 face as the game's own archives may hold it.
#include <benchmark/benchmark.h>

#include <vector>

#include "lumo/image/image.h"
#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"

namespace {

void MakeFace(lumo::CImage& image, std::uint32_t side) {
    std::vector<std::uint8_t> bytes(std::size_t{side} * side * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * 31) ^ (i >> 9));
    }
    image.Create(side, side, lumo::kCreateDirect);
    image.ImportChannels(bytes, lumo::kChannelRGBA);
}

std::vector<std::uint8_t> WriteFace(const lumo::CImage& image, std::uint32_t format) {
    lumo::CG1TFileImpl file;
    file.SetPlatform(0);
    lumo::CG1TTexture& texture = file.AddTexture();
    texture.header.SetFormat(format);
    texture.SetImage(image);
    lumo::CBinaryWriterForUpdateSize counter;
    file.Write(counter);
    std::vector<std::uint8_t> bytes(counter.Tell());
    lumo::CBinaryWriterToMemory writer(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    file.Write(writer);
    return bytes;
}

void BM_WriteFaceBGRA8(benchmark::State& state) {
    lumo::CImage image;
    MakeFace(image, 256);
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteFace(image, lumo::kFormatRGBA8));
    }
}
BENCHMARK(BM_WriteFaceBGRA8)->Unit(benchmark::kMicrosecond);

void ReadAndDecode(benchmark::State& state, std::uint32_t format) {
    lumo::CImage face;
    MakeFace(face, 256);
    const std::vector<std::uint8_t> bytes = WriteFace(face, format);
    for (auto _ : state) {
        lumo::CG1TFileImpl file;
        lumo::CBinaryReaderFromMemory reader(bytes.data(),
                                             static_cast<std::uint32_t>(bytes.size()));
        file.Read(reader);
        lumo::CImage image;
        file.FirstTexture()->GetImage(image);
        benchmark::DoNotOptimize(image.Pixels().data());
    }
}

void BM_ReadFaceBGRA8(benchmark::State& state) {
    ReadAndDecode(state, lumo::kFormatBGRA8);
}
BENCHMARK(BM_ReadFaceBGRA8)->Unit(benchmark::kMicrosecond);

void BM_ReadFaceDXT1(benchmark::State& state) {
    ReadAndDecode(state, lumo::kFormatDXT1);
}
BENCHMARK(BM_ReadFaceDXT1)->Unit(benchmark::kMicrosecond);

}  // namespace
