#pragma once

#include <QString>
#include <array>

#include "document/feedback.h"
#include "picture/dib.h"
#include "ui/game_dlg.h"
#include "ui/open_file_chooser.h"

class QLabel;
class QPushButton;

namespace ui {

// "載入圖像": one frame per face size, each filled by reading a BMP or JPEG file and cropping
// it in CBMPCutDlg. "確定" is enabled only once all three sizes are filled; on it the three
// pictures are 24-bit, bottom-up and exactly 240 x 240, 96 x 120 and 60 x 60.
class CBMPReadDlg : public CGameDlg {
    Q_OBJECT

public:
    enum FaceSize { kLarge = 0, kMedium = 1, kSmall = 2 };
    static constexpr int kSizeCount = 3;

    // `chooser` asks for the file, `messageBox` shows why a file cannot be read; both must
    // outlive the dialog.
    CBMPReadDlg(IOpenFileChooser& chooser, document::IMessageBox& messageBox,
                QWidget* parent = nullptr);

    int DoModal() { return exec(); }

    // The cropped picture of a size (kLarge, kMedium, kSmall); an 8-bit placeholder of the
    // size's dimensions until the size is filled.
    const picture::CDIB& Cropped(int size) const;
    bool IsFilled(int size) const;
    bool AllFilled() const;
    // The folder of the last chosen file; the next file dialog opens there.
    const QString& RememberedFolder() const { return m_folder; }
    // The last picture read successfully, as decoded (invalid before any).
    const picture::CDIB& CurrentPicture() const { return m_current; }

    // Width and height of a face size.
    static int TargetWidth(int size);
    static int TargetHeight(int size);

    // What "讀取" of a size does: choose, read, crop.
    void ReadForSize(int size);

protected:
    const LayoutRecord* LayoutTable() const override;
    bool WantsToolTips() const override { return false; }
    QRect AdjustRect(int id, const QRect& rect) const override;

private:
    bool ReadFile(const QString& path);
    void ShowCropped(int size);

    IOpenFileChooser& m_chooser;
    document::IMessageBox& m_messageBox;
    std::array<picture::CDIB, kSizeCount> m_targets;
    std::array<bool, kSizeCount> m_filled{};
    std::array<QLabel*, kSizeCount> m_pictures{};
    std::array<QLabel*, kSizeCount> m_frames{};
    picture::CDIB m_current;
    QString m_folder;
    QPushButton* m_ok = nullptr;
};

}  // namespace ui
