#pragma once

#include <stdexcept>
#include <string>

namespace kaocg_tool {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitFailure = 1,  // the command ran and could not do its job
    kExitUsage = 2,    // the command line itself is wrong
};

// Carries a failure up to main, which prints it as the one diagnostic line of the run; the
// commands stay free of error plumbing and cannot print a second line by accident.
class ToolError : public std::runtime_error {
public:
    ToolError(int exitCode, const std::string& message)
        : std::runtime_error(message), m_exitCode(exitCode) {}
    int ExitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};

[[noreturn]] inline void Fail(const std::string& message) {
    throw ToolError(kExitFailure, message);
}

[[noreturn]] inline void FailUsage(const std::string& message) {
    throw ToolError(kExitUsage, message);
}

}  // namespace kaocg_tool
