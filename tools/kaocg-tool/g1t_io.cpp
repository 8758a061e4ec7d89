#include "tools/kaocg-tool/g1t_io.h"

#include <cstring>
#include <string_view>

#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/message_translator.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

// The first four bytes in either byte order.
bool HasG1tMagic(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 4 &&
           (std::memcmp(bytes.data(), "GT1G", 4) == 0 || std::memcmp(bytes.data(), "G1TG", 4) == 0);
}

std::string ValidationText(std::uint32_t code) {
    const auto text = lumo::CMessageTranslatorManager::Instance().Lookup(code);
    if (!text) {
        return "validation failed with code " + std::to_string(code);
    }
    std::string_view trimmed = *text;
    // Some of the toolkit's texts end with a space, which would dangle at the end of the line.
    while (!trimmed.empty() && trimmed.back() == ' ') {
        trimmed.remove_suffix(1);
    }
    return std::string(trimmed);
}

}  // namespace

void LoadG1t(const std::string& path, lumo::CG1TFileImpl& file) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    if (!HasG1tMagic(bytes)) {
        Fail(path + ": not a G1T file");
    }
    lumo::CBinaryReaderFromMemory reader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    if (!file.Read(reader)) {
        if (!file.ReadRefusal().empty()) {
            Fail(path + ": unsupported G1T file: " + std::string(file.ReadRefusal()));
        }
        Fail(path + ": damaged G1T file");
    }
}

std::vector<std::uint8_t> SerializeG1t(lumo::CG1TFileImpl& file, const std::string& path) {
    if (!file.Validate()) {
        Fail(path + ": cannot write: " + ValidationText(file.LastError()));
    }
    lumo::CBinaryWriterForUpdateSize counter;
    const std::uint32_t size = file.Write(counter);
    if (size == 0) {
        Fail(path + ": cannot write: " + ValidationText(file.LastError()));
    }
    std::vector<std::uint8_t> bytes(size);
    lumo::CBinaryWriterToMemory writer(bytes.data(), size);
    const std::uint32_t written = file.Write(writer);
    if (written != size || file.WrittenSize() != size) {
        Fail(path + ": wrote " + std::to_string(written) + " bytes of " +
             std::to_string(file.WrittenSize()));
    }
    return bytes;
}

}  // namespace kaocg_tool
