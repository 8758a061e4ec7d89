#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace kaocg_func {

// A Windows result code; negative values are failures.
using HResult = std::int32_t;
constexpr HResult kResultFail = static_cast<HResult>(0x80004005u);  // E_FAIL

// A holder the document keeps for the whole run. Nothing on the face path fills it: faces go
// straight from the archives into pictures. It owns its records, and each record its memory
// block and two lists, so that whatever is put in is released with it.
class framebuffer {
public:
    struct record {
        std::vector<std::uint8_t> block;
        std::vector<std::uint32_t> first;
        std::vector<std::uint32_t> second;
    };

    framebuffer() = default;
    virtual ~framebuffer();
    framebuffer(const framebuffer&) = delete;
    framebuffer& operator=(const framebuffer&) = delete;

    // There is nothing to draw from: always kResultFail.
    virtual HResult Draw();

    std::vector<record>& Records() { return records_; }
    const std::vector<record>& Records() const { return records_; }

private:
    std::vector<record> records_;
};

// An empty framebuffer; nothing when memory runs out, which the document reports.
std::unique_ptr<framebuffer> CreateFramebuffer();

}  // namespace kaocg_func
