// From a 12 MP photo file to the first paint of the fitted crop dialog, as "讀取" does it
// (read, decode, turn upright, open the dialog, paint the view), against libjpeg-turbo decoding
// the same file, in the same run. The photo is drawn (a smooth fractal with sensor grain) and
// encoded at quality 90 in 4:2:0 when the program starts, as bench_jpeg's 12MP_420.
//   bench_crop_open [benchmark options]
//   bench_crop_open --write-photo=FILE   writes that photo and exits (for the memory runs)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <variant>

#include "jpeg_peers.h"
#include "kaocg/face_size.h"
#include "support/photo_picture.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/crop_face.h"
#include "ui/crop_view.h"
#include "ui/picture_file_reader.h"

namespace {

constexpr float kGrain = 16.0f;
constexpr int kQuality = 90;

std::vector<std::uint8_t> MakePhoto() {
    testsupport::RawPicture drawn = testsupport::MakePhotoLikePicture(4000, 3000, 1, kGrain);
    bench::RgbPicture picture{drawn.width, drawn.height, std::move(drawn.samples)};
    return bench::EncodeWithLibjpeg(picture, kQuality, bench::Subsampling::k420);
}

bool WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

struct PhotoFile {
    QTemporaryDir folder;
    QString path;
    std::vector<std::uint8_t> bytes;
};

const PhotoFile& Photo() {
    static PhotoFile* photo = [] {
        auto* made = new PhotoFile;
        made->bytes = MakePhoto();
        made->path = made->folder.filePath(QStringLiteral("photo.jpg"));
        if (!WriteFile(made->path, made->bytes))
            std::fprintf(stderr, "bench_crop_open: cannot write the photo\n");
        return made;
    }();
    return *photo;
}

// The dialog at the size it opens with on a 1920 x 1080 desktop, as bench_crop_view's.
void BM_PhotoFileToFirstFittedPaint(benchmark::State& state) {
    const QString& path = Photo().path;
    for (auto _ : state) {
        std::optional<picture::PictureReadResult> read = ui::ReadPictureFile(path);
        if (!read || !std::holds_alternative<picture::PictureRead>(*read)) {
            state.SkipWithError("the photo does not read");
            return;
        }
        const picture::CDIB& upright = std::get<picture::PictureRead>(*read).picture;
        picture::CDIB face;
        auto dialog =
            ui::MakeCropDialog(upright, kaocg_func::kLargeFace.width, kaocg_func::kLargeFace.height,
                               face, std::nullopt, nullptr);
        dialog->resize(ui::CBMPCutDlg::OpeningSize(QRect(0, 0, 1920, 1040)));
        dialog->show();
        benchmark::DoNotOptimize(dialog->View()->Render());
    }
}
BENCHMARK(BM_PhotoFileToFirstFittedPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LibjpegTurboDecode(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = Photo().bytes;
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        if (!bench::DecodeWithLibjpeg(bytes, out)) {
            state.SkipWithError("libjpeg-turbo does not decode the photo");
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_LibjpegTurboDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kWrite = "--write-photo=";
    if (argc == 2 && std::strncmp(argv[1], kWrite, std::strlen(kWrite)) == 0)
        return WriteFile(QString::fromLocal8Bit(argv[1] + std::strlen(kWrite)), MakePhoto()) ? 0
                                                                                             : 1;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
