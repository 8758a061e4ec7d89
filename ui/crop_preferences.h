#pragma once

namespace ui {

// Whether "決定" of the crop dialog scales with nearest pixels rather than area averaging: a
// preference of this user interface, kept in the editor's own Qt settings, not with the
// game's configuration. False until the player ticks it.
bool ReadNearestScaling();
void WriteNearestScaling(bool nearest);

}  // namespace ui
