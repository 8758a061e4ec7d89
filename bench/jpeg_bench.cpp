// Decoding the photos users load, against two well-known decoders in the same run: a
// 12-megapixel camera picture in 4:2:0 and in 4:4:4, and a 1-megapixel one. The pictures are
// drawn (a smooth fractal with sensor grain) and encoded at quality 90 when the program
// starts, so that they compress like photos and no picture file is needed.
//
// Benchmarks are named jpeg_decode/<picture>/<decoder>; every decoder ends with a 24-bit
// picture in memory.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "jpeg_peers.h"
#include "picture/jpeg_dialog_reader.h"
#include "support/photo_picture.h"

namespace {

// Sensor grain strong enough that the files come out at about the bits per pixel of camera
// pictures at this quality.
constexpr float kGrain = 16.0f;
constexpr int kQuality = 90;

struct TestPhoto {
    const char* name;
    int width;
    int height;
    bench::Subsampling subsampling;
};

constexpr TestPhoto kPhotos[] = {
    {"12MP_420", 4000, 3000, bench::Subsampling::k420},
    {"12MP_444", 4000, 3000, bench::Subsampling::k444},
    {"1MP_420", 1280, 800, bench::Subsampling::k420},
};

std::vector<std::uint8_t> MakePhotoJpeg(const TestPhoto& photo) {
    testsupport::RawPicture drawn =
        testsupport::MakePhotoLikePicture(photo.width, photo.height, 1, kGrain);
    bench::RgbPicture picture{drawn.width, drawn.height, std::move(drawn.samples)};
    return bench::EncodeWithLibjpeg(picture, kQuality, photo.subsampling);
}

using Decoder = std::function<bool(const std::vector<std::uint8_t>&)>;

bool DecodeWithEditor(const std::vector<std::uint8_t>& file) {
    picture::JpegReadResult result = picture::ReadJpegForDialog(file, L"photo.jpg");
    benchmark::DoNotOptimize(result);
    return std::holds_alternative<picture::CDIB>(result);
}

bool DecodeWithLibjpeg(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> out;
    const bool ok = bench::DecodeWithLibjpeg(file, out);
    benchmark::DoNotOptimize(out.data());
    return ok;
}

void Decode(benchmark::State& state, const std::vector<std::uint8_t>* file, Decoder decoder,
            int pixelsPerFile) {
    for (auto _ : state) {
        if (!decoder(*file)) {
            state.SkipWithError("decoding failed");
            return;
        }
    }
    state.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * pixelsPerFile / 1e6, benchmark::Counter::kIsRate);
    state.counters["file_MB"] = static_cast<double>(file->size()) / 1e6;
}

void RegisterAll(std::vector<std::vector<std::uint8_t>>& files) {
    const std::pair<const char*, Decoder> decoders[] = {
        {"editor", DecodeWithEditor},
        {"libjpeg-turbo", DecodeWithLibjpeg},
        {"stb_image", bench::DecodeWithStbImage},
    };
    files.reserve(std::size(kPhotos));
    for (const TestPhoto& photo : kPhotos) {
        files.push_back(MakePhotoJpeg(photo));
        if (files.back().empty()) {
            std::fprintf(stderr, "bench_jpeg: encoding %s failed\n", photo.name);
            continue;
        }
        for (const auto& [decoderName, decoder] : decoders) {
            const std::string name = std::string("jpeg_decode/") + photo.name + "/" + decoderName;
            benchmark::RegisterBenchmark(name.c_str(), Decode, &files.back(), decoder,
                                         photo.width * photo.height)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<std::uint8_t>> files;
    RegisterAll(files);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
