// Decoding the photos users load: a 12-megapixel camera picture and a 1-megapixel one, both
// 4:2:0, made and encoded when the benchmark starts so that no picture file is needed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "picture/jpeg_decoder.h"
#include "picture/jpeg_dialog_reader.h"
#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"

namespace {

// Sensor grain strong enough that the files come out at about the bits per pixel of camera
// pictures at this quality.
constexpr float kGrain = 16.0f;

std::vector<std::uint8_t> MakePhotoJpeg(int width, int height) {
    testsupport::jpeg::EncodeOptions options;
    options.lumaH = 2;
    options.lumaV = 2;
    options.quality = 90;
    return testsupport::jpeg::Encode(testsupport::MakePhotoLikePicture(width, height, 1, kGrain),
                                     options);
}

const std::vector<std::uint8_t>& Photo12Mp() {
    static const std::vector<std::uint8_t> file = MakePhotoJpeg(4000, 3000);
    return file;
}

const std::vector<std::uint8_t>& Photo1Mp() {
    static const std::vector<std::uint8_t> file = MakePhotoJpeg(1280, 800);
    return file;
}

void DecodeFile(benchmark::State& state, const std::vector<std::uint8_t>& file) {
    double pixels = 0;
    for (auto _ : state) {
        picture::JpegDecoder decoder;
        if (decoder.ReadHeaders(file.data(), file.size()) != 0 || decoder.Decode() != 0) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(decoder.Plane(0));
        pixels += static_cast<double>(decoder.Width()) * decoder.Height();
    }
    state.counters["pixels"] = benchmark::Counter(pixels, benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_JpegDecode12MegapixelPhoto(benchmark::State& state) {
    DecodeFile(state, Photo12Mp());
}
BENCHMARK(BM_JpegDecode12MegapixelPhoto)->Unit(benchmark::kMillisecond);

void BM_JpegDecode1MegapixelPhoto(benchmark::State& state) {
    DecodeFile(state, Photo1Mp());
}
BENCHMARK(BM_JpegDecode1MegapixelPhoto)->Unit(benchmark::kMillisecond);

// What the load-image dialog waits for: decoding and the 24-bit bottom-up picture.
void BM_JpegReadForDialog1MegapixelPhoto(benchmark::State& state) {
    const std::vector<std::uint8_t>& file = Photo1Mp();
    for (auto _ : state) {
        picture::JpegReadResult result = picture::ReadJpegForDialog(file, L"photo.jpg");
        if (!std::holds_alternative<picture::CDIB>(result)) {
            state.SkipWithError("reading failed");
            return;
        }
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_JpegReadForDialog1MegapixelPhoto)->Unit(benchmark::kMillisecond);

}  // namespace
