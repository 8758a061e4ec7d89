#include <array>
#include <cstdio>
#include <iostream>
#include <string>

#include "lumo/io/pixel_format.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/g1t_commands.h"
#include "tools/kaocg-tool/g1t_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

// Four-character codes come from the file and may hold any byte.
std::string FourCCText(const lumo::FourCC& code) {
    std::string text;
    for (char c : code) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            std::array<char, 5> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\x%02X", byte);
            text += escaped.data();
        }
    }
    return text;
}

std::string FormatText(std::uint32_t code) {
    const auto name = lumo::FormatName(code);
    return std::to_string(code) + " " + (name ? std::string(*name) : std::string("(unnamed)"));
}

std::string WordsText(const std::vector<std::uint32_t>& words) {
    if (words.empty()) {
        return "(none)";
    }
    std::string text;
    for (std::uint32_t word : words) {
        text += (text.empty() ? "" : " ") + std::to_string(word);
    }
    return text;
}

void PrintHeader(const lumo::CG1TFileImpl& file) {
    std::cout << "magic: " << FourCCText(file.magic) << '\n'
              << "version: " << FourCCText(file.version) << '\n'
              << "file size: " << file.fileSize << '\n'
              << "header size: " << file.headerSize << '\n'
              << "texture count: " << file.textureCount << '\n'
              << "platform: " << file.platform << '\n'
              << "extra block size: " << file.extraBlockSize << '\n'
              << "per-texture words: " << WordsText(file.textureWords) << '\n'
              << "trailing block: " << (file.trailer ? "yes" : "no") << '\n';
}

void PrintTexture(std::size_t index, const lumo::CG1TTexture& t) {
    const bool extended = t.header.HasExtendedHeader();
    std::cout << "texture " << index << ": format " << FormatText(t.Format()) << ", " << t.Width()
              << " x " << t.Height() << ", levels " << t.MipCount() << ", layout "
              << (t.header.Layout() == lumo::kLayoutCube ? "cube" : "single") << ", platform "
              << t.platform << ", extended header " << (extended ? "yes" : "no")
              << ", colour space "
              << (extended ? std::to_string(t.extended.ColorSpace()) : std::string("-")) << '\n';
}

}  // namespace

int RunG1tInfo(const Arguments& args) {
    const ParsedArgs parsed = ParseArgs(args, {}, 1);
    lumo::CG1TFileImpl file;
    LoadG1t(parsed.positional[0], file);
    PrintHeader(file);
    for (std::size_t i = 0; i < file.TextureCount(); ++i) {
        PrintTexture(i, *file.Texture(i));
    }
    if (!std::cout.flush()) {
        Fail("cannot write to standard output");
    }
    return kExitSuccess;
}

}  // namespace kaocg_tool
