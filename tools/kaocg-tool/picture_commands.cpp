#include <array>
#include <iostream>
#include <string>
#include <variant>

#include "lumo/io/utf.h"
#include "picture/bmp_dialog_reader.h"
#include "picture/jpeg_dialog_reader.h"
#include "picture/upright_picture.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/dib_png.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

// The load-image dialog tells the two kinds apart by the first two bytes alone.
bool IsBmp(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// Decodes a picture exactly as the load-image dialog does, turned upright by its orientation. A
// refused file prints the dialog's own message, path line included, so that it can be compared with
// what the editor shows.
int RunPictureDecode(const Arguments& args) {
    const ParsedArgs parsed = ParseArgs(args, {}, 2);
    const std::string& path = parsed.positional[0];
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    const std::wstring widePath = lumo::Utf8ToWide(path);
    std::variant<picture::CDIB, picture::PictureError> result =
        IsBmp(bytes) ? picture::ReadBmpForDialog(bytes, widePath)
                     : picture::ReadJpegForDialog(bytes, widePath);
    picture::TurnUpright(result, bytes, widePath);
    if (const auto* error = std::get_if<picture::PictureError>(&result)) {
        std::cerr << lumo::WideToUtf8(error->text) << std::endl;
        return kExitFailure;
    }
    const picture::CDIB& decoded = std::get<picture::CDIB>(result);
    SavePng(parsed.positional[1], DibToRgba(decoded));
    std::cout << (IsBmp(bytes) ? "BMP" : "JPEG") << ' ' << decoded.Width() << " x "
              << decoded.Height() << std::endl;
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
