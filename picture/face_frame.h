#pragma once

namespace picture {

// A selection for one face size in picture pixels: top-left corner and extent.
struct FaceFrame {
    int left;
    int top;
    int width;
    int height;
};

// The largest frame of the face's aspect (faceWidth x faceHeight) centred on the picture.
FaceFrame CentredFaceFrame(int pictureWidth, int pictureHeight, int faceWidth, int faceHeight);

}  // namespace picture
