#include "platform/sparse_copy.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <vector>

#include "platform/host_io.h"

namespace platform {
namespace {

constexpr std::size_t kBufferBytes = 1u << 20;

bool CopyRange(int from, int to, off_t begin, off_t end, std::vector<char>& buffer) {
    while (begin < end) {
        const auto want = static_cast<std::size_t>(
            std::min<off_t>(end - begin, static_cast<off_t>(buffer.size())));
        const ssize_t n = ::pread(from, buffer.data(), want, begin);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        // The source got shorter while being copied: no complete copy is possible.
        if (n <= 0 || !WriteAllAt(to, buffer.data(), static_cast<std::size_t>(n), begin)) {
            return false;
        }
        begin += n;
    }
    return true;
}

bool CopyDataParts(int from, int to, off_t size, std::vector<char>& buffer) {
    off_t pos = 0;
    while (pos < size) {
        const off_t data = ::lseek(from, pos, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) {
                break;  // nothing but a hole up to the end
            }
            return (errno == EINVAL || errno == EOPNOTSUPP) &&
                   CopyRange(from, to, pos, size, buffer);
        }
        if (data >= size) {
            break;
        }
        const off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0) {
            return false;
        }
        const off_t end = std::min(hole, size);
        if (!CopyRange(from, to, data, end, buffer)) {
            return false;
        }
        pos = end;
    }
    return true;
}

}  // namespace

bool CopySparse(int from, int to, off_t size) {
    std::vector<char> buffer;
    try {
        buffer.resize(kBufferBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Setting the size first makes every part not written a hole.
    return ::ftruncate(to, size) == 0 && CopyDataParts(from, to, size, buffer);
}

}  // namespace platform
