#include "tools/demo/slot_batches.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>

namespace kaocg_demo {
namespace {

constexpr std::uint32_t kSlotsPerThread = 16;
constexpr std::uint32_t kMaxThreads = 16;

struct Batch {
    std::uint32_t first = 0;
    std::vector<std::vector<std::uint8_t>> bytes;
    std::vector<std::string> errors;
    std::vector<char> made;
};

// Worker t makes slots t, t + stride, ... of the batch. Nothing may escape a thread, so a
// failure, an exception included, is kept as that slot's error.
void MakeShare(const MakeSlotFn& make, Batch& batch, std::uint32_t t, std::uint32_t stride) {
    for (std::size_t i = t; i < batch.bytes.size(); i += stride) {
        const auto slot = batch.first + static_cast<std::uint32_t>(i);
        try {
            batch.made[i] = make(slot, batch.bytes[i], batch.errors[i]);
        } catch (const std::exception& e) {
            batch.errors[i] = "slot " + std::to_string(slot) + ": " + e.what();
        }
    }
}

void MakeBatch(const MakeSlotFn& make, Batch& batch, std::uint32_t threads) {
    if (threads <= 1) {
        MakeShare(make, batch, 0, 1);
        return;
    }
    std::vector<std::jthread> workers;
    for (std::uint32_t t = 0; t < threads; ++t) {
        try {
            workers.emplace_back(
                [&make, &batch, t, threads] { MakeShare(make, batch, t, threads); });
        } catch (const std::system_error&) {
            MakeShare(make, batch, t, threads);  // no thread to spare: this one does the share
        }
    }
}

}  // namespace

bool RunSlotBatches(std::uint32_t count, bool serial, const MakeSlotFn& make,
                    const WriteSlotFn& write, std::string& error) {
    const std::uint32_t threads =
        serial ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    const std::uint32_t batchSize = threads * kSlotsPerThread;
    Batch batch;
    for (std::uint32_t first = 0; first < count; first += batchSize) {
        const std::uint32_t size = std::min(batchSize, count - first);
        batch.first = first;
        batch.bytes.assign(size, {});
        batch.errors.assign(size, {});
        batch.made.assign(size, 0);
        MakeBatch(make, batch, threads);
        for (std::uint32_t i = 0; i < size; ++i) {
            if (!batch.made[i]) {
                error = batch.errors[i];
                return false;
            }
            if (!write(first + i, batch.bytes[i], error)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace kaocg_demo
