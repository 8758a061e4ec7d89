#pragma once

#include <stdexcept>

namespace picture {

// The decoder's own failures. They never leave the decoder: its two entry points catch them and
// return a negative result, keeping the text of the failing step for diagnostics.
class EJpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading past the end of the caller's buffer.
class EBufferError : public EJpegError {
public:
    using EJpegError::EJpegError;
};

// An allocation failed or would exceed what the picture may need.
class EMemoryError : public EJpegError {
public:
    using EJpegError::EJpegError;
};

// A table index out of range.
class EIndexError : public EJpegError {
public:
    using EJpegError::EJpegError;
};

// Malformed data: a refused marker, a broken table or an entropy-coded value that cannot be.
class EDataFormatError : public EJpegError {
public:
    using EJpegError::EJpegError;
};

// Well-formed data that this baseline decoder does not handle.
class ENotSupported : public EDataFormatError {
public:
    using EDataFormatError::EDataFormatError;
};

}  // namespace picture
