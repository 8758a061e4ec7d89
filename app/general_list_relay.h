#pragma once

#include "document/feedback.h"

namespace app {

// The document is made before the list view, which is built on it; the document is given
// this relay, which passes its calls on once the view exists.
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

}  // namespace app
