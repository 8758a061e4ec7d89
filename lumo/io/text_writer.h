#pragma once

#include <string_view>

#include "lumo/io/non_copyable.h"

namespace lumo {

// Destination of the toolkit's diagnostic text.
class CTextWriterBase : public CNonCopyable {
public:
    virtual void Write(std::string_view text) = 0;
    virtual void Write(std::wstring_view text) = 0;
    virtual void Flush() = 0;
};

// The debugger output: on this platform standard error, and only while the environment
// variable KAOCG_DEBUG is set, so the editor stays quiet for players.
class CTextWriterToDebug : public CTextWriterBase {
public:
    void Write(std::string_view text) override;
    void Write(std::wstring_view text) override;
    void Flush() override {}
};

// The toolkit prints diagnostics to every registered writer. Writers are borrowed; unregister
// one before destroying it.
void RegisterTextWriter(CTextWriterBase* writer);
void UnregisterTextWriter(CTextWriterBase* writer);
void DebugPrint(std::string_view text);
void DebugPrint(std::wstring_view text);

// The process-wide debug writer, registered on first use of DebugPrint.
CTextWriterToDebug& DebugWriter();

}  // namespace lumo
