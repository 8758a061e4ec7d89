#pragma once

#include <string_view>

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

}  // namespace document
