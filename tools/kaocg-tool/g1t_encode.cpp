#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "lumo/image/image.h"
#include "lumo/image/mip_filter.h"
#include "lumo/image/pixel_codec.h"
#include "lumo/io/pixel_format.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/g1t_commands.h"
#include "tools/kaocg-tool/g1t_io.h"
#include "tools/kaocg-tool/png_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

constexpr std::uint32_t kMaxLevels = 15;      // the record keeps the count in a nibble
constexpr std::uint32_t kMaxSide = 1u << 15;  // and each side's log2 in a nibble
constexpr std::uint32_t kMaxPlatform = lumo::kPlatformCount - 1;

struct EncodeOptions {
    std::uint32_t format = 0;
    std::string formatName;
    std::uint32_t platform = 0;
    std::uint32_t levels = 1;
    std::uint32_t filter = lumo::kFilterBox;
};

EncodeOptions ReadOptions(const ParsedArgs& parsed) {
    EncodeOptions options;
    const auto name = parsed.Option("--format");
    if (!name) {
        FailUsage("--format is required");
    }
    const auto code = lumo::FormatFromName(*name);
    if (!code) {
        FailUsage("unknown format name '" + std::string(*name) + "'");
    }
    // A picture without a palette cannot fill an indexed format.
    if (lumo::PaletteEntries(*code) != 0) {
        FailUsage("format " + std::string(*name) + " needs a palette and cannot be encoded");
    }
    options.format = *code;
    options.formatName = *name;
    options.platform = parsed.NumberOption("--platform", 0, kMaxPlatform);
    options.levels = parsed.NumberOption("--levels", 1, kMaxLevels);
    if (options.levels == 0) {
        FailUsage("--levels must be a number from 1 to " + std::to_string(kMaxLevels));
    }
    options.filter = parsed.NumberOption("--filter", lumo::kFilterBox, lumo::kFilterNormal);
    return options;
}

// The container would silently clamp the level count; a user asking for more levels than the
// picture has should hear about it.
void CheckPicture(const RgbaPicture& picture, std::uint32_t levels, const std::string& path) {
    const std::string size = std::to_string(picture.width) + " x " + std::to_string(picture.height);
    if (!std::has_single_bit(picture.width) || !std::has_single_bit(picture.height)) {
        Fail(path + ": sides must be powers of two, the picture is " + size);
    }
    if (picture.width > kMaxSide || picture.height > kMaxSide) {
        Fail(path + ": sides must be at most " + std::to_string(kMaxSide) + ", the picture is " +
             size);
    }
    const std::uint32_t possible = std::bit_width(std::max(picture.width, picture.height));
    if (levels > possible) {
        Fail(path + ": a " + size + " picture has only " + std::to_string(possible) + " levels");
    }
}

// The format the platform stores in place of the one asked for. Validation would make the same
// switch, but only after the picture had been encoded in the format asked for, and a switched
// texture keeps no pixels. A code the platform has no place for is left to validation, which
// names the fault.
std::uint32_t StoredFormat(const EncodeOptions& options) {
    const std::uint32_t stored = lumo::PlatformFormat(options.platform, options.format);
    if (stored >= lumo::kFormatCodeCount) {
        return options.format;
    }
    if (!lumo::HasPixelCodec(stored, options.platform)) {
        const std::string storedName(lumo::FormatName(stored).value_or("?"));
        Fail("format " + options.formatName +
             (stored == options.format ? "" : " (stored as " + storedName + ")") +
             " has no encoder on platform " + std::to_string(options.platform));
    }
    return stored;
}

void FillTexture(lumo::CG1TFileImpl& file, const RgbaPicture& picture, const EncodeOptions& options,
                 const std::string& path) {
    lumo::CImage image;
    if (!image.Create(picture.width, picture.height, lumo::kCreateDirect) ||
        !image.ImportChannels(picture.rgba, lumo::kChannelRGBA)) {
        Fail(path + ": cannot take over the picture");
    }
    file.SetPlatform(options.platform);
    lumo::CG1TTexture& texture = file.AddTexture();
    texture.header.SetMipCount(options.levels);
    if (!file.SetPixelFormat(StoredFormat(options))) {
        Fail("format " + options.formatName + " cannot be set on a texture");
    }
    if (!texture.SetImage(image, 0, options.filter)) {
        Fail(path + ": cannot encode the picture as " + options.formatName);
    }
}

}  // namespace

int RunG1tEncode(const Arguments& args) {
    static constexpr std::array<std::string_view, 4> kOptions{"--format", "--platform", "--levels",
                                                              "--filter"};
    const ParsedArgs parsed = ParseArgs(args, kOptions, 2);
    const EncodeOptions options = ReadOptions(parsed);
    const std::string& inPath = parsed.positional[0];
    const std::string& outPath = parsed.positional[1];

    const RgbaPicture picture = LoadPng(inPath);
    CheckPicture(picture, options.levels, inPath);
    lumo::CG1TFileImpl file;
    FillTexture(file, picture, options, inPath);
    WriteFileAtomically(outPath, SerializeG1t(file, outPath));
    return kExitSuccess;
}

}  // namespace kaocg_tool
