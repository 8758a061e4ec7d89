#pragma once

#include <string_view>

#include "document/feedback.h"
#include "platform/registry.h"

namespace ui {

// Shows a guide message with the check box "今後不顯示此訊息。" unless its flag (e.g.
// game::kGuideFlagRegister) is set, then stores the check box's state in the flag. Without
// the editor's Configs key the message shows every time. True when it was shown.
bool ShowGuideMessage(platform::Registry& registry, std::wstring_view flag, std::wstring_view text,
                      document::IMessageDialog& dialog);

}  // namespace ui
