#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <memory>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "document/document.h"
#include "private_runtime_folder.h"
#include "resources/string_table.h"
#include "roster/roster_table.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"
#include "ui/cg_dialog_bar.h"
#include "ui/general_list_model.h"
#include "ui/kao_cg_edit_view.h"

namespace mainwindow_test {

using RecordingUi = testsupport::RecordingUi;

// The document is made before the list it reports to.
class ListRelay : public document::IGeneralList {
public:
    void FillList() override {
        if (target != nullptr) {
            target->FillList();
        }
    }
    document::IGeneralList* target = nullptr;
};

inline std::wstring Text(int id) {
    return std::wstring(resources::LoadString(id));
}

inline bool IsFixed(const roster::bushou& general) {
    return roster::FixedFaceOf(general.Code()) >= 0;
}

// The editor's windows over a freshly loaded blank installation.
class MainWindow : public ::testing::Test {
protected:
    explicit MainWindow(bool zv = true) : demo(zv) {}

    void SetUp() override {
        frame = std::make_unique<app::CMainFrame>(doc, ui, ui);
        list.target = &frame->View();
        ASSERT_TRUE(doc.LoadAllData());
        ui.ClearRecords();
    }

    ui::CQ06KaoCgEditView& View() { return frame->View(); }
    roster::bushou_manager& Generals() { return *doc.GeneralManager(); }
    // The characters shown, without the word joiners that keep the mark together.
    QString ItemText(int item) {
        return View()
            .model()
            ->index(item, 0)
            .data(Qt::DisplayRole)
            .toString()
            .remove(QChar(0x2060));
    }
    QColor ItemColour(int item) {
        return View().model()->index(item, 0).data(Qt::ForegroundRole).value<QBrush>().color();
    }
    // The item of the n-th listed general, which is also its roster position.
    roster::bushou& GeneralOfItem(int item) { return *View().GeneralAt(item); }
    void ChangeFace(int item, std::int32_t face) { GeneralOfItem(item).SetCurrentFace(face); }

    testsupport::PrivateRuntimeFolder runtime;
    testsupport::DemoPrefix demo;
    RecordingUi ui;
    ListRelay list;
    document::CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, list}};
    std::unique_ptr<app::CMainFrame> frame;
};

}  // namespace mainwindow_test
