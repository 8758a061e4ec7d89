#pragma once

#include <cstdint>

#include "kaocg/face_size.h"

namespace kaocg_func {

// Editions of the game.
enum Edition : int {
    kEditionNone = -1,
    kEditionBase = 0,
    kEditionZV = 1,
};

// Face number 1700 + s is edit slot s.
constexpr std::int32_t kFirstEditFaceNumber = 1700;
constexpr std::int32_t kEditSlotCount = 1100;

// The face CG id of a face number in one size, or -1 when no picture belongs to it.
std::int32_t FaceCgIdOf(int edition, std::int32_t faceNumber, int size);

// The stock small faces' id range and count of an edition.
std::int32_t StockSmallFirst(int edition);
std::int32_t StockSmallLast(int edition);
std::int32_t StockCount(int edition);
// The first stock face CG id of a size (small, medium, large).
std::int32_t StockFirst(int edition, int size);

// The face number whose picture is a stock face CG id (the inverse of FaceCgIdOf for stock
// faces), or -1. In the ZV edition the pictures that 1177..1197 share with 1198..1218 answer
// the lower numbers.
std::int32_t StockFaceNumberOf(int edition, std::int32_t faceCgId);

}  // namespace kaocg_func
