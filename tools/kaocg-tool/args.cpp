#include "tools/kaocg-tool/args.h"

#include <algorithm>
#include <charconv>

#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

bool IsOption(std::string_view word) {
    return word.size() > 1 && word.front() == '-';
}

// Splits one "--name value" or "--name=value" option off args at i, advancing i past its value.
void TakeOption(const Arguments& args, std::size_t& i, std::span<const std::string_view> allowed,
                ParsedArgs& parsed) {
    const std::string& word = args[i];
    const std::size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
        FailUsage("unknown option " + name);
    }
    std::string value;
    if (eq != std::string::npos) {
        value = word.substr(eq + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        FailUsage("option " + name + " needs a value");
    }
    if (!parsed.options.emplace(name, std::move(value)).second) {
        FailUsage("option " + name + " given twice");
    }
}

}  // namespace

std::optional<std::string_view> ParsedArgs::Option(std::string_view name) const {
    const auto it = options.find(name);
    if (it == options.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::uint32_t ParsedArgs::NumberOption(std::string_view name, std::uint32_t fallback,
                                       std::uint32_t max) const {
    const auto text = Option(name);
    return text ? ParseNumber(*text, name, max) : fallback;
}

ParsedArgs ParseArgs(const Arguments& args, std::span<const std::string_view> allowedOptions,
                     std::size_t positionalCount) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || !IsOption(word)) {
            parsed.positional.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else {
            TakeOption(args, i, allowedOptions, parsed);
        }
    }
    if (parsed.positional.size() != positionalCount) {
        FailUsage("expected " + std::to_string(positionalCount) + " argument(s), got " +
                  std::to_string(parsed.positional.size()));
    }
    return parsed;
}

bool TakeFlag(Arguments& args, std::string_view flag) {
    const auto end = std::find(args.begin(), args.end(), "--");
    const auto count = std::count(args.begin(), end, flag);
    if (count > 1) {
        FailUsage("option " + std::string(flag) + " given twice");
    }
    if (count == 1) {
        args.erase(std::find(args.begin(), end, flag));
    }
    return count == 1;
}

std::uint32_t ParseNumber(std::string_view text, std::string_view what, std::uint32_t max) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value > max) {
        FailUsage(std::string(what) + " must be a number from 0 to " + std::to_string(max) +
                  ", not '" + std::string(text) + "'");
    }
    return value;
}

}  // namespace kaocg_tool
