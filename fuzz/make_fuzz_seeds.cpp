// Writes small valid inputs for each fuzz target into DIR/<target>/, so that the fuzzers start
// from files that reach deep into the readers instead of from nothing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"
#include "picture/bmp_builder.h"
#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Save(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void JpegSeeds(const fs::path& folder) {
    using testsupport::jpeg::EncodeOptions;
    const auto photo = testsupport::MakePhotoLikePicture(37, 29, 3);
    const struct {
        const char* name;
        int components, h, v, restart;
    } kinds[] = {{"444", 3, 1, 1, 0},
                 {"422", 3, 2, 1, 0},
                 {"420", 3, 2, 2, 0},
                 {"grey", 1, 1, 1, 0},
                 {"restart", 3, 2, 2, 3}};
    for (const auto& kind : kinds) {
        EncodeOptions options;
        options.components = kind.components;
        options.lumaH = kind.h;
        options.lumaV = kind.v;
        options.restartInterval = kind.restart;
        Save(folder, std::string(kind.name) + ".jpg", testsupport::jpeg::Encode(photo, options));
    }
}

void BmpSeeds(const fs::path& folder) {
    using picture::testing::Bmp;
    for (std::uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        std::vector<std::uint32_t> pixels(7 * 5);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] =
                static_cast<std::uint32_t>(i * 2654435761u) >> (32 - std::min<int>(bits, 24));
        }
        picture::testing::BmpFile file = Bmp(7, bits == 8 ? -5 : 5, bits, pixels);
        if (bits <= 8) {
            file.table.resize(std::size_t{1} << bits);
        }
        Save(folder, std::to_string(bits) + ".bmp", picture::testing::Build(file));
    }
}

Bytes WriteG1t(std::uint32_t platform, std::uint32_t format, std::uint32_t levels, bool cube) {
    lumo::CG1TFileImpl file;
    file.SetPlatform(platform);
    file.extraItems = {{1, 0, {2, 3}}};
    lumo::CG1TTexture& texture = file.AddTexture();
    texture.header.SetFormat(format);
    texture.header.SetMipCount(levels);
    texture.header.SetLayout(cube ? lumo::kLayoutCube : lumo::kLayoutSingle);
    texture.header.SetExtendedHeader(true);
    lumo::CImage image;
    image.Create(8, 8, lumo::kCreateDirect);
    for (std::uint32_t face = 0; face < texture.FaceCount(); ++face) {
        texture.SetImage(image, face);
    }
    lumo::CBinaryWriterForUpdateSize counter;
    file.Write(counter);
    Bytes bytes(counter.Tell());
    lumo::CBinaryWriterToMemory writer(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    file.Write(writer);
    return bytes;
}

void G1tSeeds(const fs::path& folder) {
    Save(folder, "bgra8.g1t", WriteG1t(0, lumo::kFormatBGRA8, 1, false));
    Save(folder, "rgba8_be_mips.g1t", WriteG1t(1, lumo::kFormatRGBA8, 3, false));
    Save(folder, "dxt1_cube.g1t", WriteG1t(0, lumo::kFormatDXT1, 2, true));
    Save(folder, "dxt5_p2.g1t", WriteG1t(2, lumo::kFormatDXT5, 1, false));
    Save(folder, "half_p4.g1t", WriteG1t(4, lumo::kFormatDXT3, 2, false));
}

// Slots as the editor writes them (44-byte headers) and as the game ships them (56 bytes).
void SlotSeeds(const fs::path& folder) {
    Bytes slot = WriteG1t(0, lumo::kFormatBGRA8, 1, false);
    slot.resize(slot.size() + 12, 0);
    Save(folder, "editor.slot", slot);
    Save(folder, "dxt5.slot", WriteG1t(0, lumo::kFormatDXT5, 1, false));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    JpegSeeds(root / "fuzz_jpeg");
    BmpSeeds(root / "fuzz_bmp");
    G1tSeeds(root / "fuzz_g1t");
    SlotSeeds(root / "fuzz_slot");
    return 0;
}
