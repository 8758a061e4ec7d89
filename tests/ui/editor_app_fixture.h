#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/editor_app.h"
#include "document/feedback.h"
#include "platform/platform.h"
#include "private_runtime_folder.h"

namespace testsupport {

// Stands in for the plain message box, so that a test reads what the user would have seen.
class RecordingMessageBox : public document::IMessageBox {
public:
    void Show(std::wstring_view text) override { shown.emplace_back(text); }
    std::vector<std::wstring> shown;
};

// One editor start in a test: the application object over a prefix, its messages recorded.
struct EditorStart {
    explicit EditorStart(const std::string& prefix)
        : app(platform::CreateWinePlatform(prefix),
              app::CQ06KaoCgEditApp::Options{&messages, std::chrono::milliseconds(300)}) {}

    RecordingMessageBox messages;
    app::CQ06KaoCgEditApp app;
};

}  // namespace testsupport
