#include <array>
#include <iostream>
#include <string>
#include <variant>

#include "lumo/io/utf.h"
#include "picture/upright_picture.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/dib_png.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

// The editor's message puts the path on a line of its own above the text.
std::string OneLine(const std::wstring& text) {
    std::string line = lumo::WideToUtf8(text);
    for (char& c : line) {
        c = c == '\n' ? ' ' : c;
    }
    return line;
}

// Decodes a picture exactly as the load-image dialog does, turned upright by its orientation. A
// refused file prints the dialog's own message, path line included, so that it can be compared with
// what the editor shows; a warning the dialog would show first is printed, and the picture is still
// written.
int RunPictureDecode(const Arguments& args) {
    const ParsedArgs parsed = ParseArgs(args, {}, 2);
    const std::string& path = parsed.positional[0];
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    picture::PictureReadResult result = picture::ReadPictureUpright(bytes, lumo::Utf8ToWide(path));
    if (const auto* error = std::get_if<picture::PictureError>(&result)) {
        std::cerr << lumo::WideToUtf8(error->text) << std::endl;
        return kExitFailure;
    }
    const picture::PictureRead& read = std::get<picture::PictureRead>(result);
    if (read.warning) {
        std::cerr << "warning: " << OneLine(read.warning->text) << std::endl;
    }
    SavePng(parsed.positional[1], DibToRgba(read.picture));
    std::cout << picture::KindName(read.kind) << ' ' << read.picture.Width() << " x "
              << read.picture.Height() << std::endl;
    return kExitSuccess;
}

}  // namespace

std::span<const Command> PictureCommands() {
    static constexpr std::array<Command, 1> kCommands{{
        {"picture decode", "FILE OUT.png", &RunPictureDecode},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
