#include "tools/kaocg-tool/face_suggest.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "picture/face_finder.h"
#include "picture/face_suggestion.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

void Warn(const std::string& message) {
    std::cerr << "kaocg-tool: warning: " << message << std::endl;
}

// The cascade is read where the build found it, as the editor reads it.
picture::FaceFinder LoadFinder() {
    picture::FaceFinder finder;
    if (!picture::FaceFinder::Available()) {
        Warn("built without face detection; the frame is centred");
        return finder;
    }
    const std::string path(picture::FaceFinder::DefaultCascadePath());
    std::error_code code;
    if (path.empty() || !std::filesystem::is_regular_file(path, code)) {
        Warn("no face cascade" + (path.empty() ? std::string() : " at " + path) +
             "; the frame is centred");
        return finder;
    }
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    if (!finder.Load({reinterpret_cast<const char*>(bytes.data()), bytes.size()}))
        Warn(path + ": not a face cascade; the frame is centred");
    return finder;
}

}  // namespace

const kaocg_func::FaceDimensions& ParseFaceSizeName(std::string_view name) {
    if (name == "large")
        return kaocg_func::kLargeFace;
    if (name == "medium")
        return kaocg_func::kMediumFace;
    if (name == "small")
        return kaocg_func::kSmallFace;
    FailUsage("--size must be large, medium or small, not '" + std::string(name) + "'");
}

FaceSuggestion SuggestFaceFrame(const picture::CDIB& picture,
                                const kaocg_func::FaceDimensions& size) {
    const std::vector<picture::FaceRect> faces = LoadFinder().Find(picture);
    const std::vector<picture::FaceFrame> frames = picture::SuggestFaceFrames(
        faces, picture.Width(), picture.Height(), size.width, size.height);
    return {frames.front(), faces.size()};
}

}  // namespace kaocg_tool
