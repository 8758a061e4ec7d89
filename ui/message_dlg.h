#pragma once

#include <QString>
#include <vector>

#include "ui/game_dlg.h"

class QCheckBox;
class QImage;
class QLabel;
class QPushButton;

namespace ui {

// The editor's message box: a text, one of four button sets and an optional check box
// "今後不顯示此訊息。". The result is the number of the pressed button:
//   kind 0: "確認" 0
//   kind 1: "是" 1, "否" 2
//   kind 2: "以別名儲存" 3, "覆蓋儲存" 4, "中止" 5
//   kind 3: "別名" 6, "全部別名" 7, "覆蓋" 8, "全部覆蓋" 9, "中止" 10
// Enter gives the first button's number, Escape and closing the window the last one's.
class CMessageDlg : public CGameDlg {
    Q_OBJECT

public:
    // An unknown kind shows the confirm button, so that the dialog can always be answered.
    CMessageDlg(int kind, const QString& text, bool offerCheckBox, QWidget* parent = nullptr);
    CMessageDlg(int kind, int textId, bool offerCheckBox, QWidget* parent = nullptr);

    // For a question whose first answer discards work: the last button ("否") becomes the one
    // Enter presses.
    void SetDefaultToLast();
    // A picture shown above the text.
    void SetPicture(const QImage& image);

    // The check box says "不顯示以別名儲存的確認訊息。" instead.
    void SetAlternativeCheckText(bool alternative) { m_alternativeCheckText = alternative; }

    int DoModal() { return exec(); }
    // The check box's state as the pressed button took it; false after Escape or closing.
    bool IsChecked() const { return m_checked; }

    int Kind() const { return m_kind; }
    int EnterResult() const;
    int EscapeResult() const;

    void reject() override;

protected:
    const LayoutRecord* LayoutTable() const override;
    void LayOut() override;

private:
    int m_kind;
    bool m_offerCheckBox;
    bool m_alternativeCheckText = false;
    bool m_checked = false;
    bool m_defaultLast = false;
    QLabel* m_picture = nullptr;
    QLabel* m_text;
    QCheckBox* m_checkBox;
    std::vector<QPushButton*> m_buttons;
};

}  // namespace ui
