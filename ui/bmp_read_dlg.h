#pragma once

#include <QString>
#include <array>
#include <optional>

#include "document/feedback.h"
#include "picture/dib.h"
#include "ui/crop_face.h"
#include "ui/game_dlg.h"
#include "ui/open_file_chooser.h"

class QLabel;
class QPushButton;

namespace ui {

// "載入圖像": one frame per face size, each filled by reading a BMP or JPEG file and cropping
// it in CBMPCutDlg, or by cropping the picture another size was cut from again ("使用相同圖像").
// "確定" is enabled only once all three sizes are filled; on it the three
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
    // The last picture read successfully, upright as it was last cropped (invalid before any).
    const picture::CDIB& CurrentPicture() const { return m_current; }
    // Whether "使用相同圖像" of a size is offered: another size has been filled, so there is
    // a picture to frame it on.
    bool CanUseSamePicture(int size) const;

    // Width and height of a face size.
    static int TargetWidth(int size);
    static int TargetHeight(int size);

    // What "讀取" of a size does: choose, read, crop.
    void ReadForSize(int size);
    // What "使用相同圖像" of a size does: crop the current picture again, framed like the last
    // face decided on it.
    void CropSameForSize(int size);

protected:
    const LayoutRecord* LayoutTable() const override;
    bool WantsToolTips() const override { return false; }
    QRect AdjustRect(int id, const QRect& rect) const override;

private:
    struct DecidedFrame {
        int size;
        FaceFrame frame;
    };

    bool ReadFile(const QString& path);
    void Crop(int size, const std::optional<FaceFrame>& frame);
    void ShowCropped(int size);
    void UpdateButtons();

    IOpenFileChooser& m_chooser;
    document::IMessageBox& m_messageBox;
    std::array<picture::CDIB, kSizeCount> m_targets;
    std::array<bool, kSizeCount> m_filled{};
    std::array<QLabel*, kSizeCount> m_pictures{};
    std::array<QLabel*, kSizeCount> m_frames{};
    std::array<QPushButton*, kSizeCount> m_same{};
    picture::CDIB m_current;
    // The frame last decided on m_current; none until a crop of it is decided.
    std::optional<DecidedFrame> m_lastFrame;
    QString m_folder;
    QPushButton* m_ok = nullptr;
};

}  // namespace ui
