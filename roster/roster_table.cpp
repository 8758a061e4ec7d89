#include "roster/roster_table.h"

#include "kaocg/face_number_map.h"

namespace roster {

std::span<const RosterRow> RosterTable(int edition) {
    switch (edition) {
        case kaocg_func::kEditionBase:
            return BaseEditionRoster();
        case kaocg_func::kEditionZV:
            return ZvEditionRoster();
        default:
            return {};
    }
}

}  // namespace roster
