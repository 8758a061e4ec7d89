#include "picture/dib_pal.h"

namespace picture {

bool CDIBPal::Create(const CDIB& picture) {
    const std::span<const RGBQUAD> table = picture.ColourTable();
    if (table.empty() || table.size() > 256) {
        return false;
    }
    std::vector<PALETTEENTRY> entries(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint8_t flags = (i >= 10 && i <= 246) ? PC_NOCOLLAPSE : 0;
        entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, flags};
    }
    m_entries = std::move(entries);
    return true;
}

}  // namespace picture
