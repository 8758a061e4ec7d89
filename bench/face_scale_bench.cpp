// The crop dialog's decision on a 12 MP photo: area averaging against the nearest-pixel
// stretch it replaced as the default, on the whole 4000 x 3000 picture and on the centred
// frame of each face; and the quarter turn that a sideways phone photo costs when it is read.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "picture/face_frame.h"
#include "picture/face_scale.h"
#include "picture/orientation.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Varied bytes, bottom-up like every picture the readers give.
const picture::CDIB& Photo() {
    static const picture::CDIB photo = [] {
        auto dib = picture::CDIB::CreateWithPixels(kWidth, -kHeight, {}, 24);
        std::uint32_t state = 12345;
        for (std::uint8_t& byte : dib->Pixels()) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<std::uint8_t>(state >> 24);
        }
        return std::move(*dib);
    }();
    return photo;
}

void Scale(benchmark::State& state, picture::FaceScaling scaling, bool wholePicture, int faceWidth,
           int faceHeight) {
    const picture::FaceFrame frame =
        wholePicture ? picture::FaceFrame{0, 0, kWidth, kHeight}
                     : picture::CentredFaceFrame(kWidth, kHeight, faceWidth, faceHeight);
    const picture::CDIB& photo = Photo();
    for (auto _ : state) {
        auto face = picture::ScaleCropToFace(photo, frame.left, frame.top, frame.width,
                                             frame.height, faceWidth, faceHeight, scaling);
        benchmark::DoNotOptimize(face);
    }
    state.counters["source Mpixel/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * frame.width * frame.height / 1e6,
        benchmark::Counter::kIsRate);
}

void TurnUpright(benchmark::State& state) {
    const picture::CDIB& photo = Photo();
    for (auto _ : state) {
        auto upright = picture::ApplyOrientation(photo, 6);
        benchmark::DoNotOptimize(upright);
    }
}

using picture::FaceScaling;
BENCHMARK_CAPTURE(Scale, whole_area, FaceScaling::AreaAverage, true, 240, 240)
    ->Name("face_scale/12MP_to_240/area_average")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, whole_nearest, FaceScaling::Nearest, true, 240, 240)
    ->Name("face_scale/12MP_to_240/nearest")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, large_area, FaceScaling::AreaAverage, false, 240, 240)
    ->Name("face_scale/large_frame/area_average")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, medium_area, FaceScaling::AreaAverage, false, 96, 120)
    ->Name("face_scale/medium_frame/area_average")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, small_area, FaceScaling::AreaAverage, false, 60, 60)
    ->Name("face_scale/small_frame/area_average")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, small_nearest, FaceScaling::Nearest, false, 60, 60)
    ->Name("face_scale/small_frame/nearest")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TurnUpright)->Name("orientation/12MP/6")->Unit(benchmark::kMillisecond);

}  // namespace
