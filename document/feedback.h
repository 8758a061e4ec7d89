#pragma once

#include <string_view>

namespace picture {
class CDIB;
}

namespace document {

// Where the document's long operations report to; the user interface implements these.

// The platform message box with only an OK button.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void Show(std::wstring_view text) = 0;
};

// One step of the progress window.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void Step() = 0;
};

// The progress window: a text and a bar of `range` steps over the main window.
class IProgressWindow : public IProgress {
public:
    virtual void Open(std::wstring_view text, int range) = 0;
    virtual void Close() = 0;
};

// The editor's own message dialog. Kinds are button sets; the result is the number of the
// pressed button (kind 0: "確認" 0; kind 1: "是" 1, "否" 2; kind 2: 3, 4, 5; kind 3: 6 .. 10).
class IMessageDialog {
public:
    enum Kind : int { kConfirm = 0, kYesNo = 1, kSaveAs = 2, kRenameAll = 3 };
    enum Result : int { kResultConfirm = 0, kResultYes = 1, kResultNo = 2 };
    virtual ~IMessageDialog() = default;
    virtual int Show(std::wstring_view text, int kind) = 0;
    // With the check box "今後不顯示此訊息。"; `checked` holds its state afterwards.
    virtual int ShowWithCheckBox(std::wstring_view text, int kind, bool& checked) = 0;
    // A question of kind 1 whose "是" discards work: Enter answers "否", as Escape does. The
    // picture, when given, is shown with the text.
    virtual int AskDiscard(std::wstring_view text, const picture::CDIB* picture) {
        (void)picture;
        return Show(text, kYesNo);
    }
};

// The main list view, refilled after loading and after every change of faces.
class IGeneralList {
public:
    virtual ~IGeneralList() = default;
    virtual void FillList() = 0;
};

}  // namespace document
