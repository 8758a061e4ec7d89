#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/feedback.h"

namespace testsupport {

// Stands in for every window the document reports to: records each message box, question,
// progress step and list refill, and answers questions with `answer`.
class RecordingUi : public document::IMessageBox,
                    public document::IMessageDialog,
                    public document::IProgressWindow,
                    public document::IGeneralList {
public:
    void Show(std::wstring_view text) override { boxes.emplace_back(text); }
    int Show(std::wstring_view text, int kind) override {
        dialogs.emplace_back(text);
        kinds.push_back(kind);
        return answer;
    }
    int ShowWithCheckBox(std::wstring_view text, int kind, bool& checked) override {
        checked = false;
        return Show(text, kind);
    }
    int AskDiscard(std::wstring_view text, const picture::CDIB* picture) override {
        ++discardQuestions;
        lastQuestionHadPicture = picture != nullptr;
        return Show(text, kYesNo);
    }
    void Open(std::wstring_view text, int range) override {
        progressText = text;
        progressRange = range;
        ++opens;
    }
    void Step() override { ++steps; }
    void Close() override { ++closes; }
    void FillList() override { ++fills; }

    void ClearRecords() {
        boxes.clear();
        dialogs.clear();
        kinds.clear();
        progressText.clear();
        progressRange = opens = steps = closes = fills = discardQuestions = 0;
    }

    std::vector<std::wstring> boxes, dialogs;
    std::vector<int> kinds;
    int answer = document::IMessageDialog::kResultYes;
    std::wstring progressText;
    int progressRange = 0, opens = 0, steps = 0, closes = 0, fills = 0;
    int discardQuestions = 0;  // questions asked with "否" as the default answer
    bool lastQuestionHadPicture = false;
};

}  // namespace testsupport
