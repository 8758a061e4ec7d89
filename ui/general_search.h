#pragma once

#include <functional>

namespace ui {

enum class SearchDirection { kUp = 0, kDown = 1 };

// One search step over `count` list items: the index of the first item that `matches`, tried
// in the order a "find next" walks the list, or -1 when none matches. Down starts after the
// selected item (the first item without a selection), up just before it (the last item without
// a selection); both wrap round, so the selected item itself is tried last.
int FindNextItem(int count, int selected, SearchDirection direction,
                 const std::function<bool(int)>& matches);

}  // namespace ui
