#pragma once

namespace kaocg_func {

// The direction of an archive transfer. Values other than these two make every archive
// operation fail, so a mode read from anywhere untrusted cannot pick a direction by accident.
enum class TransferMode : int {
    Load = 0,
    Save = 1,
};

}  // namespace kaocg_func
