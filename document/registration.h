#pragma once

#include <cstdint>

#include "document/document.h"
#include "kaocg/face_size.h"
#include "picture/dib.h"
#include "roster/bushou.h"

namespace document {

// Edit slots a registration may fill (face numbers 1700..2699); the archives' last 100 slots
// are never written.
inline constexpr std::int32_t kRegistrableSlots = 1000;

// The visible sizes of the three crops, and the textures they are stored in.
using FaceSize = kaocg_func::FaceDimensions;
using kaocg_func::kLargeFace;
using kaocg_func::kMediumFace;
using kaocg_func::kSmallFace;

// The picture a crop is stored from: a black, top-down, 24-bit texture-sized square with the
// crop's top-left width x height pixels copied to its top-left corner.
picture::CDIB BuildRegistrationPicture(const picture::CDIB& crop, const FaceSize& size);

// Writes three crops into edit slot faceNumber - 1700 (slots 0..999 only), reads the slot's
// thumbnail back and refills the list. Unlike a silent write, a failed one is reported with
// string 426, since the player has already been told the face was registered. True when all
// three pictures were written.
bool RegisterFace(CQ06KaoCgEditDoc& doc, const picture::CDIB& large, const picture::CDIB& medium,
                  const picture::CDIB& small, std::int32_t faceNumber);

// The number the select dialog answered, as the general should carry it: in the ZV edition
// the items listed after the gap 1198..1218 come back 21 too low.
std::int32_t ListedFaceNumber(int edition, std::int32_t chosen);

// Gives a general the chosen face (memory only); the two generals whose face is fixed keep it.
void ChangeFace(CQ06KaoCgEditDoc& doc, roster::bushou& general, std::int32_t chosen);

}  // namespace document
