#include "platform/session_safe_registry.h"

#include "platform/case_fold.h"
#include "platform/wine_reg_command.h"
#include "platform/wine_server_probe.h"

namespace platform {
namespace {

std::pair<std::wstring, std::wstring> FoldedName(std::wstring_view key, std::wstring_view name) {
    return {FoldCase(key), FoldCase(name)};
}

}  // namespace

bool PrefixWineSession::IsServerRunning() const {
    return IsWineServerRunning(m_prefix);
}

bool PrefixWineSession::WriteDword(std::wstring_view key, std::wstring_view name,
                                   std::uint32_t value) {
    return IsWineOnPath() && AddDwordThroughWine(m_prefix, key, name, value);
}

SessionSafeRegistry::SessionSafeRegistry(Registry& file, WineSession& session,
                                         PendingRegistryWrites& pending)
    : m_file(file), m_session(session), m_pending(pending) {
    WritePending();
}

std::optional<std::uint32_t> SessionSafeRegistry::ReadDword(std::wstring_view key,
                                                            std::wstring_view name) const {
    if (const auto found = m_handedToWine.find(FoldedName(key, name));
        found != m_handedToWine.end()) {
        return found->second;
    }
    if (const auto pending = m_pending.Find(key, name)) {
        return pending;
    }
    return m_file.ReadDword(key, name);
}

bool SessionSafeRegistry::WriteDword(std::wstring_view key, std::wstring_view name,
                                     std::uint32_t value) {
    if (!m_file.KeyExists(key)) {
        return false;  // values are written only into keys the game made
    }
    if (!m_session.IsServerRunning()) {
        return m_file.WriteDword(key, name, value) && m_pending.Remove(key, name);
    }
    if (m_session.WriteDword(key, name, value)) {
        m_handedToWine[FoldedName(key, name)] = value;
        return m_pending.Remove(key, name);
    }
    return m_pending.Put(key, name, value);
}

void SessionSafeRegistry::WritePending() {
    if (m_pending.Writes().empty() || m_session.IsServerRunning()) {
        return;
    }
    const std::vector<PendingRegistryWrites::Write> writes = m_pending.Writes();
    for (const auto& write : writes) {
        // A key that is gone takes its value with it; a write that failed stays pending.
        if (!m_file.KeyExists(write.key) || m_file.WriteDword(write.key, write.name, write.value)) {
            m_pending.Remove(write.key, write.name);
        }
    }
}

}  // namespace platform
