#include "tools/kaocg-tool/face_crop.h"

#include <array>
#include <charconv>
#include <iostream>
#include <string>
#include <string_view>

#include "kaocg/face_size.h"
#include "picture/face_frame.h"
#include "picture/face_scale.h"
#include "picture/orientation.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/dib_png.h"
#include "tools/kaocg-tool/face_files.h"
#include "tools/kaocg-tool/face_suggest.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

using picture::FaceFrame;

struct NamedFace {
    std::string_view name;
    kaocg_func::FaceDimensions dimensions;
};

// The name stays with the size for the messages; `text` lives as long as the arguments.
NamedFace ParseSize(std::string_view text) {
    return {text, ParseFaceSizeName(text)};
}

int ParseQuarterTurns(std::string_view text) {
    constexpr std::array<std::string_view, 4> kDegrees{"0", "90", "180", "270"};
    for (std::size_t turns = 0; turns < kDegrees.size(); ++turns) {
        if (kDegrees[turns] == text)
            return static_cast<int>(turns);
    }
    FailUsage("--rotate must be 0, 90, 180 or 270, not '" + std::string(text) + "'");
}

// "X,Y,W,H", four decimal numbers; X and Y may be negative so that the message can say where
// the frame lies rather than that it cannot be read.
FaceFrame ParseFrame(std::string_view text) {
    std::array<int, 4> values{};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto [next, error] = std::from_chars(at, end, values[i]);
        const bool last = i + 1 == values.size();
        if (error != std::errc{} || next == at ||
            (last ? next != end : next == end || *next != ','))
            FailUsage("--frame must be X,Y,W,H in picture pixels, not '" + std::string(text) + "'");
        at = last ? next : next + 1;
    }
    return {values[0], values[1], values[2], values[3]};
}

std::string FrameText(const FaceFrame& frame) {
    return std::to_string(frame.left) + ',' + std::to_string(frame.top) + ',' +
           std::to_string(frame.width) + ',' + std::to_string(frame.height);
}

std::string ExtentText(long long width, long long height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string ProblemText(picture::FaceFrameProblem problem, const FaceFrame& frame,
                        const picture::CDIB& upright, const NamedFace& face) {
    const auto& size = face.dimensions;
    switch (problem) {
        case picture::FaceFrameProblem::NotPositive:
            return "the width and height must be positive";
        case picture::FaceFrameProblem::OutsidePicture:
            return "reaches outside the upright picture of " +
                   ExtentText(upright.Width(), upright.Height());
        case picture::FaceFrameProblem::WrongAspect:
            return "not of the " + std::string(face.name) + " face's aspect " +
                   ExtentText(size.width, size.height) + " (a width of " +
                   std::to_string(frame.width) + " needs a height of " +
                   std::to_string(static_cast<long long>(frame.width) * size.height / size.width) +
                   ", a height of " + std::to_string(frame.height) + " a width of " +
                   std::to_string(static_cast<long long>(frame.height) * size.width / size.height) +
                   ")";
        case picture::FaceFrameProblem::TooSmall:
            return "smaller than the crop dialog allows, " +
                   std::to_string(picture::kMinimumFrameExtent) + " pixels a side";
        case picture::FaceFrameProblem::None:
            break;
    }
    return {};
}

// Area averaging shrinks and enlarges bilinearly, each direction on its own.
std::string ScalingText(bool nearest, const FaceFrame& frame, const NamedFace& face) {
    if (nearest)
        return "nearest pixel";
    const bool shrinksAcross = frame.width >= face.dimensions.width;
    const bool shrinksDown = frame.height >= face.dimensions.height;
    if (shrinksAcross == shrinksDown)
        return shrinksAcross ? "area averaging" : "bilinear";
    return shrinksAcross ? "area averaging across, bilinear down"
                         : "bilinear across, area averaging down";
}

picture::CDIB Rotated(picture::CDIB upright, int quarterTurns) {
    if (quarterTurns == 0)
        return upright;
    std::optional<picture::CDIB> turned = picture::RotateQuarterTurns(upright, quarterTurns);
    if (!turned)
        Fail("out of memory");
    return std::move(*turned);
}

}  // namespace

int RunFaceCrop(const Arguments& args) {
    Arguments rest = args;
    const bool nearest = TakeFlag(rest, "--nearest");
    static constexpr std::array<std::string_view, 3> kOptions{"--size", "--frame", "--rotate"};
    const ParsedArgs parsed = ParseArgs(rest, kOptions, 2);
    const std::optional<std::string_view> sizeText = parsed.Option("--size");
    if (!sizeText)
        FailUsage("--size is required");
    const NamedFace face = ParseSize(*sizeText);
    const int turns = ParseQuarterTurns(parsed.Option("--rotate").value_or("0"));
    const std::optional<std::string_view> frameText = parsed.Option("--frame");
    const FaceFrame given = frameText ? ParseFrame(*frameText) : FaceFrame{};

    const picture::CDIB upright = Rotated(ReadUprightPicture(parsed.positional[0]), turns);
    const auto& size = face.dimensions;
    // Without a frame, the one the crop dialog proposes first: around the largest face found.
    const FaceFrame frame = frameText ? given : SuggestFaceFrame(upright, size).frame;
    const picture::FaceFrameProblem problem =
        picture::CheckFaceFrame(frame, upright.Width(), upright.Height(), size.width, size.height);
    if (problem != picture::FaceFrameProblem::None)
        Fail("frame " + FrameText(frame) + ": " + ProblemText(problem, frame, upright, face));

    const std::optional<picture::CDIB> cropped = picture::ScaleCropToFace(
        upright, frame.left, frame.top, frame.width, frame.height, size.width, size.height,
        nearest ? picture::FaceScaling::Nearest : picture::FaceScaling::AreaAverage);
    if (!cropped)
        Fail("out of memory");
    SavePng(parsed.positional[1], DibToRgba(*cropped));
    std::cout << "frame " << FrameText(frame) << " of "
              << ExtentText(upright.Width(), upright.Height()) << " -> "
              << ExtentText(size.width, size.height) << ", " << ScalingText(nearest, frame, face)
              << std::endl;
    return kExitSuccess;
}

}  // namespace kaocg_tool
