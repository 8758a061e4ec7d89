// Finding the face in a 12-megapixel photo, against decoding that photo with the editor's own
// decoder in the same run. The photo is a portrait that python-matplotlib-data ships,
// enlarged five times to 3000 pixels high and set into a 4000 x 3000 photo-like picture, then
// encoded at quality 90, so that the finder has one real face among camera-like detail.
//
// Benchmarks are named face/12MP/<step>: decode (the load dialog's JPEG reader), grey_copy
// (the finder's downscaled grey copy alone), find (grey copy and detection: what the crop
// dialog waits for), and face/cascade_load (parsing the cascade, once per run of the editor).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "jpeg_peers.h"
#include "picture/face_finder.h"
#include "picture/grey_picture.h"
#include "picture/jpeg_dialog_reader.h"
#include "support/photo_picture.h"

namespace {

constexpr char kPortraitPath[] = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg";
constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kEnlargement = 5;

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<picture::CDIB> Decode(const std::vector<std::uint8_t>& file) {
    picture::JpegReadResult result = picture::ReadJpegForDialog(file, L"photo.jpg");
    if (auto* picture = std::get_if<picture::CDIB>(&result))
        return std::move(*picture);
    return std::nullopt;
}

// The portrait, nearest-pixel enlarged, over the drawn picture's left part.
void PlacePortrait(const picture::CDIB& portrait, bench::RgbPicture& photo) {
    const int width = std::min(portrait.Width() * kEnlargement, photo.width);
    const int height = std::min(portrait.Height() * kEnlargement, photo.height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* bgr = portrait.PixelAddress(x / kEnlargement, y / kEnlargement);
            std::uint8_t* rgb = &photo.samples[(static_cast<std::size_t>(y) * photo.width + x) * 3];
            rgb[0] = bgr[2];
            rgb[1] = bgr[1];
            rgb[2] = bgr[0];
        }
    }
}

std::vector<std::uint8_t> MakePhoto() {
    const std::string bytes = ReadText(kPortraitPath);
    const std::optional<picture::CDIB> portrait =
        Decode({reinterpret_cast<const std::uint8_t*>(bytes.data()),
                reinterpret_cast<const std::uint8_t*>(bytes.data()) + bytes.size()});
    if (!portrait)
        return {};
    testsupport::RawPicture drawn = testsupport::MakePhotoLikePicture(kWidth, kHeight, 1, 16.0f);
    bench::RgbPicture photo{drawn.width, drawn.height, std::move(drawn.samples)};
    PlacePortrait(*portrait, photo);
    return bench::EncodeWithLibjpeg(photo, 90, bench::Subsampling::k420);
}

struct Fixture {
    std::string cascade;
    std::vector<std::uint8_t> file;
    std::optional<picture::CDIB> photo;
    picture::FaceFinder finder;
};

void DecodePhoto(benchmark::State& state, const Fixture* f) {
    for (auto _ : state) {
        std::optional<picture::CDIB> photo = Decode(f->file);
        benchmark::DoNotOptimize(photo);
    }
}

void GreyCopy(benchmark::State& state, const Fixture* f) {
    for (auto _ : state) {
        picture::GreyPicture grey =
            picture::DownscaleToGrey(*f->photo, picture::FaceFinder::kLongSide);
        benchmark::DoNotOptimize(grey.pixels.data());
    }
}

void FindFaces(benchmark::State& state, const Fixture* f) {
    std::size_t faces = 0;
    for (auto _ : state) {
        faces = f->finder.Find(*f->photo).size();
        benchmark::DoNotOptimize(faces);
    }
    state.counters["faces"] = static_cast<double>(faces);
}

void LoadCascade(benchmark::State& state, const Fixture* f) {
    for (auto _ : state) {
        picture::FaceFinder finder;
        benchmark::DoNotOptimize(finder.Load(f->cascade));
    }
}

bool Prepare(Fixture& f) {
    if (!picture::FaceFinder::Available()) {
        std::fprintf(stderr, "bench_faces: built without face detection\n");
        return false;
    }
    f.cascade = ReadText(std::string(picture::FaceFinder::DefaultCascadePath()));
    f.file = MakePhoto();
    if (f.file.empty() || !f.finder.Load(f.cascade)) {
        std::fprintf(stderr, "bench_faces: needs opencv-data and python-matplotlib-data\n");
        return false;
    }
    f.photo = Decode(f.file);
    return f.photo.has_value();
}

}  // namespace

int main(int argc, char** argv) {
    Fixture fixture;
    if (Prepare(fixture)) {
        const auto ms = benchmark::kMillisecond;
        benchmark::RegisterBenchmark("face/12MP/decode", DecodePhoto, &fixture)
            ->Unit(ms)
            ->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark("face/12MP/grey_copy", GreyCopy, &fixture)
            ->Unit(ms)
            ->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark("face/12MP/find", FindFaces, &fixture)
            ->Unit(ms)
            ->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark("face/cascade_load", LoadCascade, &fixture)
            ->Unit(ms)
            ->MeasureProcessCPUTime();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
