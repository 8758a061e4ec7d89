#include "kaocg/framebuffer.h"

#include <new>

namespace kaocg_func {

framebuffer::~framebuffer() = default;

HResult framebuffer::Draw() {
    return kResultFail;
}

std::unique_ptr<framebuffer> CreateFramebuffer() {
    return std::unique_ptr<framebuffer>(new (std::nothrow) framebuffer());
}

}  // namespace kaocg_func
