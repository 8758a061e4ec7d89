#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Value types as Windows numbers them.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

// A value as Windows hands it out: strings are UTF-16LE with their terminating zero.
struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
};

// One line of a registry file as Wine reads it. [begin, contentEnd) leaves out the line
// break, a carriage return before it and everything from a NUL byte on; first is the first
// character that is not blank (contentEnd on a blank line); next starts the following line.
struct RegistryLine {
    std::size_t begin = 0;
    std::size_t first = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
};

RegistryLine LineAt(std::string_view text, std::size_t begin);
std::size_t SkipBlanks(std::string_view text, std::size_t pos, std::size_t end);

struct ParsedValue {
    // False when the name or the "=" after it cannot be read; Wine skips such a line.
    bool named = false;
    std::u16string name;  // empty for the default value "@"
    // A value whose data cannot be read stays as REG_NONE without data, as Wine keeps it.
    RegistryValue value;
    std::size_t dataBegin = 0;  // the data: from the type tag to the end of its last line
    std::size_t dataEnd = 0;
    std::size_t next = 0;  // the line after the value (hex lists may go on over lines)
};

// Reads the value on a line whose first character is '@' or '"'.
ParsedValue ParseValue(std::string_view text, const RegistryLine& line);

}  // namespace platform
