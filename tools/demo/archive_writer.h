#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kaocg_demo {

// The leading bytes of an image archive up to its first slot: the 32-byte header, the entry
// table in the default layout and the info directory, whose records carry the texture's width
// and height in bytes 4..7. Where the info directory of an edition would run into the first
// slot (the ZV stock archives), only the records before the slot are there.
std::vector<std::uint8_t> ArchiveHead(int kind, int edition);

// Writes one of the six image archives (kaocg_func::ArchiveKind) of an edition (0 base, 1 ZV)
// in the game's own layout, sparsely and atomically. Stock slot i holds the face of stock
// face CG id StockFirst + i, drawn, or transparent black when blank is set; every slot of an
// edit kind holds an empty texture and the used-slot bitmap is all clear.
bool WriteImageArchive(const std::string& path, int kind, int edition, bool blank,
                       std::string& error);

}  // namespace kaocg_demo
