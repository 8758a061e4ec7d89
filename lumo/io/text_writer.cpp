#include "lumo/io/text_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "lumo/io/utf.h"

namespace lumo {
namespace {

struct WriterList {
    std::mutex lock;
    std::vector<CTextWriterBase*> writers;
};

WriterList& Writers() {
    static WriterList list;
    return list;
}

bool DebugOutputEnabled() {
    static const bool enabled = std::getenv("KAOCG_DEBUG") != nullptr;
    return enabled;
}

void EnsureDebugWriterRegistered() {
    static const bool once = [] {
        RegisterTextWriter(&DebugWriter());
        return true;
    }();
    (void)once;
}

template <typename Text>
void PrintToAll(Text text) {
    EnsureDebugWriterRegistered();
    WriterList& list = Writers();
    std::lock_guard guard(list.lock);
    for (CTextWriterBase* writer : list.writers) {
        writer->Write(text);
    }
}

}  // namespace

void CTextWriterToDebug::Write(std::string_view text) {
    if (DebugOutputEnabled()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

void CTextWriterToDebug::Write(std::wstring_view text) {
    if (DebugOutputEnabled()) {
        Write(std::string_view(WideToUtf8(text)));
    }
}

CTextWriterToDebug& DebugWriter() {
    static CTextWriterToDebug writer;
    return writer;
}

void RegisterTextWriter(CTextWriterBase* writer) {
    WriterList& list = Writers();
    std::lock_guard guard(list.lock);
    if (writer &&
        std::find(list.writers.begin(), list.writers.end(), writer) == list.writers.end()) {
        list.writers.push_back(writer);
    }
}

void UnregisterTextWriter(CTextWriterBase* writer) {
    WriterList& list = Writers();
    std::lock_guard guard(list.lock);
    std::erase(list.writers, writer);
}

void DebugPrint(std::string_view text) {
    PrintToAll(text);
}
void DebugPrint(std::wstring_view text) {
    PrintToAll(text);
}

}  // namespace lumo
