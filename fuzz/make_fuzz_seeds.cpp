// Writes small valid inputs for each fuzz target into DIR/<target>/, so that the fuzzers start
// from files that reach deep into the readers instead of from nothing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kaocg/kao_cg_id_archive.h"
#include "lumo/image/image.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"
#include "picture/bmp_builder.h"
#include "picture/exif_builder.h"
#include "platform/memory_file.h"
#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"
#include "tools/demo/user_reg_writer.h"

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
    // A phone photo stored sideways, so that the fuzzer starts inside the Exif directory.
    Save(folder, "exif6.jpg",
         picture::testing::WithOrientation(testsupport::jpeg::Encode(photo), 6, true));
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

// Files for the readers' later paths: bit-field masks, an Adobe segment saying R, G, B, a
// scan cut short, a header form the own reader leaves to a library.
void PictureSeeds(const fs::path& folder) {
    using picture::testing::Bmp;
    picture::testing::BmpFile masked = Bmp(5, 3, 32, std::vector<std::uint32_t>(15, 0x12345678));
    masked.compression = picture::BI_BITFIELDS;
    masked.masks = {0x000003FF, 0x000FFC00, 0x3FF00000};
    picture::testing::BmpFile v5 = Bmp(5, 3, 24, std::vector<std::uint32_t>(15, 0x123456));
    v5.headerSize = 124;
    const auto photo = testsupport::MakePhotoLikePicture(37, 29, 3);
    Bytes jpeg = testsupport::jpeg::Encode(photo, {});
    const Bytes adobe = {0xFF, 0xEE, 0, 14, 'A', 'd', 'o', 'b', 'e', 0, 100, 0, 0, 0, 0, 0};
    Bytes rgb = jpeg;
    rgb.insert(rgb.begin() + 2, adobe.begin(), adobe.end());
    const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() * 3 / 4));
    for (const char* target : {"fuzz_picture", "fuzz_bmp"}) {
        Save(folder / target, "bitfields.bmp", picture::testing::Build(masked));
    }
    for (const char* target : {"fuzz_picture", "fuzz_jpeg"}) {
        Save(folder / target, "adobe_rgb.jpg", rgb);
        Save(folder / target, "cut.jpg", cut);
    }
    Save(folder / "fuzz_picture", "v5.bmp", picture::testing::Build(v5));
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

// ID archives of both editions as the editor writes them, one cut short in the middle of a
// record, and one with the other edition's magic.
void IdArchiveSeeds(const fs::path& folder) {
    kaocg_func::FaceSlotTable table;
    table.fill(kaocg_func::kNoFaceEntry);
    for (std::size_t code = 0; code < table.size(); code += 7) {
        table[code] = static_cast<std::uint32_t>(1700 + code % 1000);
    }
    table[1665] = 1665 | kaocg_func::kImportedFlag;
    table[1685] = 4007;
    for (const bool zv : {false, true}) {
        platform::MemoryFile file;
        kaocg_func::WriteFaceIdFile(file, zv, table);
        Bytes bytes = file.TakeBytes();
        const std::string edition = zv ? "zv" : "base";
        Save(folder, edition + ".q06", bytes);
        Save(folder, edition + "_short.q06", Bytes(bytes.begin(), bytes.begin() + 16 + 8 * 40 + 6));
        const std::string_view other = zv ? kaocg_func::kIdMagicBase : kaocg_func::kIdMagicZV;
        std::copy(other.begin(), other.end(), bytes.begin());
        Save(folder, edition + "_other_magic.q06", bytes);
    }
}

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The user.reg of the stand-in installation, and hand-written files with every value type,
// escapes, hex lists continued over lines, options, repeated sections and Windows line breaks.
void UserRegSeeds(const fs::path& folder) {
    kaocg_demo::UserRegContent content;
    content.installs = {{false, L"C:\\Program Files (x86)\\TAVU\\Quorvane06 Tc\\"},
                        {true, L"C:\\Program Files (x86)\\TAVU\\Quorvane06ZV Tc\\"}};
    content.documentsFolder = L"C:\\users\\player\\Documents";
    Save(folder, "stand_in.reg", TextBytes(kaocg_demo::UserRegText(content)));
    content.installs.resize(1);
    Save(folder, "stand_in_base.reg", TextBytes(kaocg_demo::UserRegText(content)));

    const std::string types =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
        "#arch=win64\n\n"
        "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] 1700000000\n"
        "#time=1da1b2c3d4e5f60\n"
        "#class=\"cls\"\n"
        "\"GUIDE_MSG_0\"=dword:00000001\n"
        "@=\"default\"\n"
        "\"Plain\"=str:\"p\"\n"
        "\"Expand\"=str(2):\"%USERPROFILE%\\\\x\"\n"
        "\"Multi\"=str(7):\"a\\0b\\0\"\n"
        "\"Bin\"=hex:00,01,fe,\\\n  ff\n"
        "\"Qword\"=hex(b):01,02,03,04,05,06,07,08\n"
        "\"Esc\\\"aped\"=\"\\x4e2d\\x00e9a\\101\\e\\t\xc3\xa9\"\n"
        "\n"
        "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Link] 1700000000\n"
        "#link\n"
        "\"SymbolicLinkValue\"=hex(6):5c,00,52,00\n"
        "\n"
        "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] 1700000001\n"
        "\"GUIDE_MSG_1\"=dword:ffffffff\n";
    Save(folder, "types.reg", TextBytes(types));
    std::string crlf;
    for (const char c : types) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    Save(folder, "types_crlf.reg", TextBytes(crlf));
    Save(folder, "no_final_break.reg",
         TextBytes("WINE REGISTRY Version 2\n[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Sub] "
                   "0\n\"v\"=hex:01,\\\n02"));
    Save(folder, "stops_reading.reg",
         TextBytes("WINE REGISTRY Version 2\n#arch=arm\n[Software\\\\TAVU] 0\n\"a\"=dword:1\n"));
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
    PictureSeeds(root);
    G1tSeeds(root / "fuzz_g1t");
    SlotSeeds(root / "fuzz_slot");
    IdArchiveSeeds(root / "fuzz_id_archive");
    UserRegSeeds(root / "fuzz_user_reg");
    return 0;
}
