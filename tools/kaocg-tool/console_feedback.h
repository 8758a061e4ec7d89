#pragma once

#include <string>
#include <string_view>

#include "document/feedback.h"

namespace kaocg_tool {

// The document's windows for a command-line run: messages are kept for the command to turn
// into its one diagnostic line, questions answer "否" so nothing is overwritten unasked, and
// progress and list refills have nothing to show.
class ConsoleFeedback : public document::IMessageBox,
                        public document::IMessageDialog,
                        public document::IProgressWindow,
                        public document::IGeneralList {
public:
    void Show(std::wstring_view text) override { m_box = text; }
    int Show(std::wstring_view text, int kind) override {
        m_dialog = text;
        return kind == kConfirm ? kResultConfirm : kResultNo;
    }
    int ShowWithCheckBox(std::wstring_view text, int kind, bool& checked) override {
        checked = false;
        return Show(text, kind);
    }
    void Open(std::wstring_view, int) override {}
    void Step() override {}
    void Close() override {}
    void FillList() override {}

    // The last text of the message box and of the message dialog, empty when none.
    const std::wstring& LastBoxText() const { return m_box; }
    const std::wstring& LastDialogText() const { return m_dialog; }

private:
    std::wstring m_box;
    std::wstring m_dialog;
};

}  // namespace kaocg_tool
