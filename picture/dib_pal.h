#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "picture/dib.h"

namespace picture {

// One display-palette entry: red, green, blue and the entry's flags.
struct PALETTEENTRY {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
};

inline constexpr std::uint8_t PC_NOCOLLAPSE = 4;

// The colours of an indexed picture as a palette for display. Entries 10 to 246 are marked
// not to be collapsed onto the display's fixed colours, which sit at both ends of the range.
class CDIBPal {
public:
    // Fails for a picture without a colour table (direct-colour pictures).
    bool Create(const CDIB& picture);
    std::span<const PALETTEENTRY> Entries() const { return m_entries; }

private:
    std::vector<PALETTEENTRY> m_entries;
};

}  // namespace picture
