#include "ui/general_search.h"

namespace ui {

int FindNextItem(int count, int selected, SearchDirection direction,
                 const std::function<bool(int)>& matches) {
    if (count <= 0) {
        return -1;
    }
    // A selection the list no longer holds counts as none.
    if (selected < 0 || selected >= count) {
        selected = -1;
    }
    if (direction == SearchDirection::kDown) {
        const int start = selected < 0 ? count - 1 : selected;
        for (int i = 1; i <= count; ++i) {
            const int candidate = (start + i) % count;
            if (matches(candidate)) {
                return candidate;
            }
        }
        return -1;
    }
    const int base = selected < 0 ? 0 : selected;
    for (int j = count - 1; j >= 0; --j) {
        const int candidate = (base + j) % count;
        if (matches(candidate)) {
            return candidate;
        }
    }
    return -1;
}

}  // namespace ui
