#include "platform/wine_registry_value.h"

#include <array>
#include <limits>
#include <optional>

#include "platform/wine_registry_text.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
    return c <= '9' ? static_cast<unsigned>(c - '0') : static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

bool HasHexPrefix(std::string_view text, std::size_t pos) {
    return pos + 2 < text.size() && text[pos] == '0' && (text[pos + 1] | 0x20) == 'x' &&
           IsHexDigit(text[pos + 2]);
}

struct ScannedNumber {
    std::uint64_t value = 0;
    std::size_t end = 0;
};

// Wine reads numbers with strtoul(..., 16): blanks, a sign and "0x" may lead, too many digits
// give the largest value, and without digits nothing is read and the value is 0.
ScannedNumber ScanHexNumber(std::string_view text, std::size_t pos) {
    std::size_t i = SkipBlanks(text, pos, text.size());
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    if (HasHexPrefix(text, i)) {
        i += 2;
    }
    const std::size_t digits = i;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; i < text.size() && IsHexDigit(text[i]); ++i) {
        overflow = overflow || value > (std::numeric_limits<std::uint64_t>::max() >> 4);
        value = value * 16 + HexValue(text[i]);
    }
    if (i == digits) {
        return {0, pos};
    }
    if (overflow) {
        return {std::numeric_limits<std::uint64_t>::max(), i};
    }
    return {negative ? ~value + 1 : value, i};
}

// One line's part of a hex list: bytes "xx" separated by commas and blanks.
bool ReadHexBytes(std::string_view text, std::size_t& pos, std::vector<std::uint8_t>& out) {
    while (pos < text.size() && IsHexDigit(text[pos])) {
        if (HasHexPrefix(text, pos)) {
            pos += 2;
        }
        unsigned value = 0;
        for (; pos < text.size() && IsHexDigit(text[pos]); ++pos) {
            value = value > 0xFF ? value : value * 16 + HexValue(text[pos]);
        }
        if (value > 0xFF) {
            return false;
        }
        out.push_back(static_cast<std::uint8_t>(value));
        pos = SkipBlanks(text, pos, text.size());
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
        }
        pos = SkipBlanks(text, pos, text.size());
    }
    return true;
}

// A trailing backslash continues the list on the next line, which must exist.
bool ReadHexList(std::string_view text, RegistryLine line, std::size_t pos, ParsedValue& v) {
    for (;;) {
        v.dataEnd = line.contentEnd;
        v.next = line.next;
        const std::string_view content = text.substr(0, line.contentEnd);
        if (!ReadHexBytes(content, pos, v.value.data)) {
            return false;
        }
        pos = SkipBlanks(content, pos, content.size());
        if (pos == content.size()) {
            return true;
        }
        if (content[pos] != '\\' || line.next >= text.size()) {
            return false;
        }
        line = LineAt(text, line.next);
        pos = line.first;
    }
}

bool ReadString(std::string_view data, ParsedValue& v) {
    const auto text = ReadEscaped(data, '"');
    if (!text) {
        return false;
    }
    v.value.data.reserve((text->units.size() + 1) * 2);
    for (const char16_t u : text->units) {
        v.value.data.push_back(static_cast<std::uint8_t>(u & 0xFF));
        v.value.data.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    v.value.data.push_back(0);
    v.value.data.push_back(0);
    return true;
}

void ReadDword(std::string_view data, ParsedValue& v) {
    const auto dword = static_cast<std::uint32_t>(ScanHexNumber(data, 0).value);
    for (int shift = 0; shift < 32; shift += 8) {
        v.value.data.push_back(static_cast<std::uint8_t>(dword >> shift));
    }
}

enum class DataKind { kString, kDword, kBinary };

struct TypeTag {
    std::string_view tag;
    std::uint32_t type;
    DataKind kind;
};

constexpr std::array<TypeTag, 6> kTypeTags{{
    {"\"", kRegSz, DataKind::kString},
    {"str:\"", kRegSz, DataKind::kString},
    {"str(2):\"", kRegExpandSz, DataKind::kString},
    {"str(7):\"", kRegMultiSz, DataKind::kString},
    {"hex:", kRegBinary, DataKind::kBinary},
    {"dword:", kRegDword, DataKind::kDword},
}};

struct DataType {
    std::uint32_t type;
    DataKind kind;
    std::size_t tagLength;
};

// The type tag at the start of data; "hex(N):" carries any type number.
std::optional<DataType> ReadTypeTag(std::string_view data) {
    for (const TypeTag& tag : kTypeTags) {
        if (data.starts_with(tag.tag)) {
            return DataType{tag.type, tag.kind, tag.tag.size()};
        }
    }
    if (!data.starts_with("hex(")) {
        return std::nullopt;
    }
    const ScannedNumber number = ScanHexNumber(data, 4);
    if (data.substr(number.end, 2) != "):") {
        return std::nullopt;
    }
    return DataType{static_cast<std::uint32_t>(number.value), DataKind::kBinary, number.end + 2};
}

bool ReadData(std::string_view text, const RegistryLine& line, std::size_t dataBegin,
              ParsedValue& v) {
    const std::string_view data = text.substr(dataBegin, line.contentEnd - dataBegin);
    const auto type = ReadTypeTag(data);
    if (!type) {
        return false;
    }
    v.value.type = type->type;
    switch (type->kind) {
        case DataKind::kString:
            return ReadString(data.substr(type->tagLength), v);
        case DataKind::kDword:
            ReadDword(data.substr(type->tagLength), v);
            return true;
        case DataKind::kBinary:
            return ReadHexList(text, line, dataBegin + type->tagLength, v);
    }
    return false;
}

}  // namespace

RegistryLine LineAt(std::string_view text, std::size_t begin) {
    RegistryLine line;
    line.begin = begin;
    std::size_t end = text.find('\n', begin);
    line.next = end == std::string_view::npos ? text.size() : end + 1;
    end = end == std::string_view::npos ? text.size() : end;
    if (end > begin && text[end - 1] == '\r') {
        --end;
    }
    const std::size_t nul = text.substr(begin, end - begin).find('\0');
    line.contentEnd = nul == std::string_view::npos ? end : begin + nul;
    line.first = SkipBlanks(text, begin, line.contentEnd);
    return line;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos, std::size_t end) {
    while (pos < end && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

ParsedValue ParseValue(std::string_view text, const RegistryLine& line) {
    ParsedValue v;
    v.next = line.next;
    const std::string_view content = text.substr(line.first, line.contentEnd - line.first);
    std::size_t pos = 1;
    if (!content.starts_with('@')) {
        auto name = ReadEscaped(content.substr(1), '"');
        if (!name) {
            return v;
        }
        v.name = std::move(name->units);
        pos += name->length;
    }
    pos = SkipBlanks(content, pos, content.size());
    if (pos >= content.size() || content[pos] != '=') {
        return v;
    }
    v.named = true;
    v.dataBegin = line.first + SkipBlanks(content, pos + 1, content.size());
    v.dataEnd = line.contentEnd;
    if (!ReadData(text, line, v.dataBegin, v)) {
        v.value = RegistryValue{};
    }
    return v;
}

}  // namespace platform
