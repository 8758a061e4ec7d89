#include <array>
#include <cstdint>
#include <string_view>

#include "lumo/image/image.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/g1t_commands.h"
#include "tools/kaocg-tool/g1t_io.h"
#include "tools/kaocg-tool/png_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

// A level decodes to 16 bytes of floats per pixel; beyond this a header that claims a huge
// texture would ask for tens of gigabytes.
constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 26;

const lumo::CG1TTexture& PickTexture(const lumo::CG1TFileImpl& file, std::uint32_t index,
                                     const std::string& path) {
    const lumo::CG1TTexture* texture = file.Texture(index);
    if (!texture) {
        Fail(path + ": no texture " + std::to_string(index) + " (the file has " +
             std::to_string(file.TextureCount()) + ")");
    }
    return *texture;
}

void CheckLevel(const lumo::CG1TTexture& texture, std::uint32_t level, const std::string& where) {
    if (!texture.Surface(0, level)) {
        Fail(where + " has no level " + std::to_string(level) + " (it has " +
             std::to_string(texture.MipCount()) + ")");
    }
    const std::uint64_t pixels =
        std::uint64_t{texture.LevelWidth(level)} * texture.LevelHeight(level);
    if (pixels > kMaxDecodedPixels) {
        Fail(where + " level " + std::to_string(level) + " is too large to decode");
    }
}

}  // namespace

int RunG1tDecode(const Arguments& args) {
    static constexpr std::array<std::string_view, 2> kOptions{"--texture", "--level"};
    const ParsedArgs parsed = ParseArgs(args, kOptions, 2);
    const std::uint32_t index = parsed.NumberOption("--texture", 0, UINT32_MAX);
    const std::uint32_t level = parsed.NumberOption("--level", 0, UINT32_MAX);
    const std::string& inPath = parsed.positional[0];

    lumo::CG1TFileImpl file;
    LoadG1t(inPath, file);
    const lumo::CG1TTexture& texture = PickTexture(file, index, inPath);
    const std::string where = inPath + ": texture " + std::to_string(index);
    CheckLevel(texture, level, where);

    lumo::CImage image;
    RgbaPicture picture;
    if (!texture.GetImage(image, 0, level) ||
        !image.ExportChannels(picture.rgba, lumo::kChannelRGBA)) {
        Fail(where + ": cannot decode level " + std::to_string(level));
    }
    picture.width = image.GetWidth();
    picture.height = image.GetHeight();
    SavePng(parsed.positional[1], picture);
    return kExitSuccess;
}

}  // namespace kaocg_tool
