#include "app/unattended_run.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "kaocg/face_size.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/crop_face.h"
#include "ui/picture_file_reader.h"

namespace app {
namespace {

// A window that never gets painted (no compositor, a lost expose) is still saved after this.
constexpr int kLongestWaitForPaintMs = 5000;

class ScreenshotAfterPaint : public QObject {
public:
    ScreenshotAfterPaint(QWidget& window, QString path, std::function<void(int)> quit)
        : QObject(&window), m_window(window), m_path(std::move(path)), m_quit(std::move(quit)) {
        window.installEventFilter(this);
        QTimer::singleShot(kLongestWaitForPaintMs, this, &ScreenshotAfterPaint::Schedule);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Paint) {
            Schedule();
        }
        return false;
    }

private:
    // The paint event is seen before it is handled; the children paint after it.
    void Schedule() {
        if (m_scheduled) {
            return;
        }
        m_scheduled = true;
        QTimer::singleShot(0, this, &ScreenshotAfterPaint::SaveAndQuit);
    }

    void SaveAndQuit() {
        const bool saved = m_window.grab().save(m_path, "PNG");
        if (!saved) {
            std::fprintf(stderr, "kaocg-editor: cannot save the screenshot to %s\n",
                         qPrintable(m_path));
        }
        m_quit(saved ? 0 : 1);
    }

    QWidget& m_window;
    QString m_path;
    std::function<void(int)> m_quit;
    bool m_scheduled = false;
};

// The crop dialog for the large face on a picture file, as the load dialog opens it; it owns
// the picture and the face the dialog works on.
class CropPreview : public QObject {
public:
    CropPreview(QWidget& parent, picture::CDIB picture)
        : QObject(&parent),
          m_picture(std::move(picture)),
          m_dialog(ui::MakeCropDialog(m_picture, kaocg_func::kLargeFace.width,
                                      kaocg_func::kLargeFace.height, m_face, std::nullopt,
                                      &parent)) {
        m_dialog->show();
    }
    QWidget& Dialog() { return *m_dialog; }

private:
    picture::CDIB m_picture;
    picture::CDIB m_face;
    std::unique_ptr<ui::CBMPCutDlg> m_dialog;
};

// Nothing, with the reason on standard error, when the file gives no picture.
std::optional<picture::CDIB> ReadPreviewPicture(const QString& path) {
    std::optional<picture::PictureReadResult> read = ui::ReadPictureFile(path);
    if (!read) {
        std::fprintf(stderr, "kaocg-editor: cannot read %s\n", qPrintable(path));
        return std::nullopt;
    }
    if (auto* error = std::get_if<picture::PictureError>(&*read)) {
        std::fprintf(stderr, "kaocg-editor: %s\n",
                     qPrintable(QString::fromStdWString(error->text)));
        return std::nullopt;
    }
    return std::move(std::get<picture::PictureRead>(*read).picture);
}

const char* NonEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' && std::string_view(value) != "0";
}

}  // namespace

void ArmUnattendedRun(QWidget& mainWindow, std::function<void(int)> quit) {
    QWidget* shown = &mainWindow;
    if (const char* file = NonEmpty("KAOCG_CROP_PREVIEW")) {
        std::optional<picture::CDIB> picture = ReadPreviewPicture(QString::fromLocal8Bit(file));
        if (!picture) {
            QTimer::singleShot(0, &mainWindow, [quit = std::move(quit)] { quit(1); });
            return;
        }
        shown = &(new CropPreview(mainWindow, std::move(*picture)))->Dialog();
    }
    if (const char* path = NonEmpty("KAOCG_SCREENSHOT")) {
        new ScreenshotAfterPaint(*shown, QString::fromLocal8Bit(path), std::move(quit));
    } else if (IsSet("KAOCG_EXIT_AFTER_LOAD")) {
        QTimer::singleShot(0, &mainWindow, [quit = std::move(quit)] { quit(0); });
    }
}

}  // namespace app
