#include "ui/kao_select_kinds.h"

#include <algorithm>

#include "kaocg/face_number_map.h"

namespace ui {
namespace {

constexpr std::array<FaceKind, kFaceKindCount> kKinds{{
    {0, L"史實武將(一)", 0, 240},
    {1, L"史實武將(二)", 240, 480},
    {2, L"史實武將(三)", 480, 720},
    {3, L"史實武將(四)", 720, 960},
    {4, L"史實武將(五)", 960, 1192},
    {5, L"公主", 4000, 4024},
    {6, L"文人", 5001, 5013},
    {7, L"事件", 6000, 6027},
    {8, L"諸勢力", 7000, 7016},
    {9, L"登錄武將", 8000, 8180},
    {10, L"ＺＶ追加", 1192, 1338},
    {11, L"追加(一)", 1700, 1940},
    {12, L"追加(二)", 1940, 2180},
    {13, L"追加(三)", 2180, 2420},
    {14, L"追加(四)", 2420, 2660},
    {15, L"追加(五)", 2660, 2700},
}};

constexpr int kRegisteredGeneralKind = 9;
constexpr std::int32_t kBaseRegisteredGeneralEnd = 8179;
constexpr std::array<std::int32_t, 5> kNumbersWithoutPictures{8021, 8056, 8093, 8095, 8120};
constexpr std::int32_t kZVGapFirst = 1198;
constexpr std::int32_t kZVGapLast = 1218;

bool LacksPicture(std::int32_t faceNumber) {
    return std::ranges::find(kNumbersWithoutPictures, faceNumber) != kNumbersWithoutPictures.end();
}

}  // namespace

FaceKind KindOf(int edition, int kind) {
    FaceKind result = kKinds.at(static_cast<std::size_t>(kind));
    if (kind == kRegisteredGeneralKind && edition != kaocg_func::kEditionZV)
        result.end = kBaseRegisteredGeneralEnd;
    return result;
}

std::vector<int> OfferedKinds(int edition, bool registerMode) {
    std::vector<int> kinds;
    for (int kind = registerMode ? kFirstEditKind : 0; kind < kFaceKindCount; ++kind) {
        if (kind != kZVAdditionKind || edition == kaocg_func::kEditionZV)
            kinds.push_back(kind);
    }
    return kinds;
}

bool IsExcludedFaceNumber(int edition, std::int32_t faceNumber) {
    if (LacksPicture(faceNumber))
        return true;
    return edition == kaocg_func::kEditionZV && faceNumber >= kZVGapFirst &&
           faceNumber <= kZVGapLast;
}

std::vector<std::int32_t> ListedFaceNumbers(int edition, int kind) {
    const FaceKind range = KindOf(edition, kind);
    std::vector<std::int32_t> numbers;
    for (std::int32_t m = range.first; m < range.end; ++m) {
        if (!IsExcludedFaceNumber(edition, m))
            numbers.push_back(m);
    }
    return numbers;
}

std::int32_t AnsweredFaceNumber(int edition, int kind, int row) {
    if (row < 0)
        return -1;
    std::int32_t m = KindOf(edition, kind).first;
    for (int count = 0;; ++m) {
        if (LacksPicture(m))
            continue;
        if (count == row)
            return m;
        ++count;
    }
}

std::array<const roster::bushou*, kKindNameSlots> FirstUsers(const roster::bushou_manager& generals,
                                                             std::int32_t first) {
    std::array<const roster::bushou*, kKindNameSlots> users{};
    for (int index = 0; index < generals.count(); ++index) {
        const roster::bushou* general = generals.at(index);
        if (!general || !general->IsValid())
            continue;
        const std::int32_t slot = general->ShownFaceNumber() - first;
        if (slot >= 0 && slot < kKindNameSlots && !users[static_cast<std::size_t>(slot)])
            users[static_cast<std::size_t>(slot)] = general;
    }
    return users;
}

}  // namespace ui
