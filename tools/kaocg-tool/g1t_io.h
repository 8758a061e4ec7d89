#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lumo/io/g1t/g1t_file.h"

namespace kaocg_tool {

// Reads the G1T file at path into file. Throws ToolError when the file cannot be read or
// does not parse; the message tells a file of another kind from a damaged G1T file.
void LoadG1t(const std::string& path, lumo::CG1TFileImpl& file);

// Validates file and returns its complete bytes. Throws ToolError with the toolkit's text of
// the validation failure, naming path, or when the written size disagrees with the header.
std::vector<std::uint8_t> SerializeG1t(lumo::CG1TFileImpl& file, const std::string& path);

}  // namespace kaocg_tool
