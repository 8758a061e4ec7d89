#include "picture/face_frame.h"

#include <algorithm>

namespace picture {

// A picture smaller than the face keeps the face's own size at the top-left corner, as the
// crop dialog has always opened.
FaceFrame CentredFaceFrame(int pictureWidth, int pictureHeight, int faceWidth, int faceHeight) {
    const long long byWidth = static_cast<long long>(pictureWidth) * faceHeight;
    const long long byHeight = static_cast<long long>(pictureHeight) * faceWidth;
    int width = pictureWidth;
    int height = pictureHeight;
    if (byWidth > byHeight)
        width = static_cast<int>(byHeight / faceHeight);
    else
        height = static_cast<int>(byWidth / faceWidth);
    if (width < faceWidth || height < faceHeight)
        return {0, 0, faceWidth, faceHeight};
    return {(pictureWidth - width) / 2, (pictureHeight - height) / 2, width, height};
}

}  // namespace picture
