#pragma once

#include <cstddef>
#include <string_view>

#include "kaocg/face_size.h"
#include "picture/dib.h"
#include "picture/face_frame.h"

namespace kaocg_tool {

// The first frame the crop dialog proposes for one face size, and how many faces were found.
struct FaceSuggestion {
    picture::FaceFrame frame;
    std::size_t faces;
};

// "large", "medium" or "small"; anything else is a usage error.
const kaocg_func::FaceDimensions& ParseFaceSizeName(std::string_view name);

// The frame around the largest face found, as the crop dialog places it, or the centred frame
// when no face is found or the build has no face detection (which is said once on stderr).
FaceSuggestion SuggestFaceFrame(const picture::CDIB& picture,
                                const kaocg_func::FaceDimensions& size);

}  // namespace kaocg_tool
