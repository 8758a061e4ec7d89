#include "ui/guide_message.h"

#include "document/game_environment.h"

namespace ui {

bool ShowGuideMessage(platform::Registry& registry, std::wstring_view flag, std::wstring_view text,
                      document::IMessageDialog& dialog) {
    if (game::ReadConfigFlag(registry, flag) != 0)
        return false;
    bool checked = false;
    dialog.ShowWithCheckBox(text, document::IMessageDialog::kConfirm, checked);
    game::WriteConfigFlag(registry, flag, checked ? 1 : 0);
    return true;
}

}  // namespace ui
