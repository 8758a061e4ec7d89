#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

// A command's positional words and its "--name value" options.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options;

    std::optional<std::string_view> Option(std::string_view name) const;
    // The option as a decimal number up to max, or fallback when it is absent.
    std::uint32_t NumberOption(std::string_view name, std::uint32_t fallback,
                               std::uint32_t max) const;
};

// Splits args into exactly positionalCount positional words and the allowed options
// ("--name value" or "--name=value"; "--" ends the options). Anything else is a usage error.
ParsedArgs ParseArgs(const Arguments& args, std::span<const std::string_view> allowedOptions,
                     std::size_t positionalCount);

// Takes a valueless flag out of args (the option parser knows only "--name value"); words
// after "--" are positional and stay. True when it was there; twice is a usage error.
bool TakeFlag(Arguments& args, std::string_view flag);

// A decimal number up to max; what names the value in the usage error.
std::uint32_t ParseNumber(std::string_view text, std::string_view what, std::uint32_t max);

}  // namespace kaocg_tool
