#pragma once

#include "document/feedback.h"

namespace app {

// The document is made before the windows it reports to (the view and the frame are built on
// it), so it is given these relays, which pass each call on once the windows exist.

class GeneralListRelay final : public document::IGeneralList {
public:
    void SetTarget(document::IGeneralList* target) { m_target = target; }
    void FillList() override {
        if (m_target != nullptr) {
            m_target->FillList();
        }
    }

private:
    document::IGeneralList* m_target = nullptr;
};

class ProgressWindowRelay final : public document::IProgressWindow {
public:
    void SetTarget(document::IProgressWindow* target) { m_target = target; }
    void Open(std::wstring_view text, int range) override {
        if (m_target != nullptr) {
            m_target->Open(text, range);
        }
    }
    void Step() override {
        if (m_target != nullptr) {
            m_target->Step();
        }
    }
    void Close() override {
        if (m_target != nullptr) {
            m_target->Close();
        }
    }

private:
    document::IProgressWindow* m_target = nullptr;
};

// Without its dialog nobody can answer a question: "否" keeps the document from going ahead.
class MessageDialogRelay final : public document::IMessageDialog {
public:
    void SetTarget(document::IMessageDialog* target) { m_target = target; }
    int Show(std::wstring_view text, int kind) override {
        return m_target != nullptr ? m_target->Show(text, kind) : kResultNo;
    }
    int ShowWithCheckBox(std::wstring_view text, int kind, bool& checked) override {
        return m_target != nullptr ? m_target->ShowWithCheckBox(text, kind, checked) : kResultNo;
    }

private:
    document::IMessageDialog* m_target = nullptr;
};

}  // namespace app
