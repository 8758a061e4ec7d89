#pragma once

#include <cstdint>
#include <vector>

namespace lumo {

// A typed record of a G1T file: the extra items of the file and the attribute items of a
// texture share this shape. Stored as u16 type, u8 value count, u8 second byte, then the
// values as u32.
struct CG1TItem {
    std::uint16_t type = 0;
    std::uint8_t second = 0;
    std::vector<std::uint32_t> values;

    bool operator==(const CG1TItem&) const = default;
};

// Attribute kind whose second value 1 marks a normal map.
constexpr std::uint16_t kAttributeNormalMap = 3;

inline bool IsNormalMap(const std::vector<CG1TItem>& attributes) {
    return !attributes.empty() && attributes.front().type == kAttributeNormalMap &&
           attributes.front().values.size() > 1 && attributes.front().values[1] == 1;
}

}  // namespace lumo
