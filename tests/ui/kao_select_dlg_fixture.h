#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <string>

#include "document/document.h"
#include "document/game_environment.h"
#include "private_runtime_folder.h"
#include "resources/string_table.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"
#include "ui/kao_select_dlg.h"

namespace kaoselect_test {

// A loaded document over a blank installation of one edition, and the dialogs over it.
class KaoSelectFixture : public ::testing::Test {
protected:
    explicit KaoSelectFixture(bool zv = true) : demo(zv) {}

    void SetUp() override {
        ASSERT_TRUE(doc.LoadAllData());
        ui.ClearRecords();
    }

    std::unique_ptr<ui::CKaoSelectDlg> Open(int mode) {
        return std::make_unique<ui::CKaoSelectDlg>(doc, mode, ui);
    }
    // Shows the dialog and lets its queued opening guide run.
    static void ShowAndSettle(ui::CKaoSelectDlg& dialog) {
        dialog.show();
        QCoreApplication::processEvents();
    }
    static void ChooseKind(ui::CKaoSelectDlg& dialog, const QString& label) {
        const int position = dialog.KindCombo()->findText(label);
        ASSERT_GE(position, 0) << label.toStdString();
        dialog.KindCombo()->setCurrentIndex(position);
    }
    // The row listed for a face number, or -1.
    static int RowOf(ui::CKaoSelectDlg& dialog, int faceNumber) {
        for (int row = 0; row < dialog.FaceList()->count(); ++row) {
            if (dialog.FaceList()->item(row)->data(Qt::UserRole).toInt() == faceNumber)
                return row;
        }
        return -1;
    }
    static QString TextOf(ui::CKaoSelectDlg& dialog, int faceNumber) {
        const int row = RowOf(dialog, faceNumber);
        return row < 0 ? QString() : dialog.FaceList()->item(row)->text();
    }
    static void Select(ui::CKaoSelectDlg& dialog, int faceNumber) {
        const int row = RowOf(dialog, faceNumber);
        ASSERT_GE(row, 0) << faceNumber;
        dialog.FaceList()->setCurrentRow(row);
    }
    roster::bushou* Changeable(int after = 0) {
        for (int i = 0; i < doc.GeneralManager()->count(); ++i) {
            roster::bushou* general = doc.GeneralManager()->at(i);
            if (roster::FixedFaceOf(general->Code()) < 0 && after-- == 0)
                return general;
        }
        return nullptr;
    }
    int Shown(int stringId) const {
        const std::wstring text(resources::LoadString(stringId));
        return static_cast<int>(std::count(ui.dialogs.begin(), ui.dialogs.end(), text));
    }

    testsupport::PrivateRuntimeFolder runtime;
    testsupport::DemoPrefix demo;
    testsupport::RecordingUi ui;
    document::CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, ui}};
};

class KaoSelectBase : public KaoSelectFixture {
protected:
    KaoSelectBase() : KaoSelectFixture(false) {}
};

}  // namespace kaoselect_test
