#pragma once

#include <map>
#include <string>

#include "platform/pending_registry_writes.h"
#include "platform/registry.h"

namespace platform {

// The prefix's running Wine, as far as the registry needs it.
class WineSession {
public:
    virtual ~WineSession() = default;
    virtual bool IsServerRunning() const = 0;
    // Hands a value to the running wineserver; false when that is not possible.
    virtual bool WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) = 0;
};

// The wineserver of one prefix and the "wine" program on the PATH.
class PrefixWineSession final : public WineSession {
public:
    explicit PrefixWineSession(std::string prefix) : m_prefix(std::move(prefix)) {}
    bool IsServerRunning() const override;
    bool WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) override;

private:
    std::string m_prefix;
};

// A registry file whose values are never lost to a running Wine. While a wineserver of the
// prefix runs it holds the registry in memory and its next save drops what was written into
// the file meanwhile; so then a value goes to the server itself, or, when that cannot be done,
// waits in the pending writes and is written into the file by the first start that finds no
// server. Reads see the newest value either way.
class SessionSafeRegistry final : public Registry {
public:
    SessionSafeRegistry(Registry& file, WineSession& session, PendingRegistryWrites& pending);

    bool KeyExists(std::wstring_view key) const override { return m_file.KeyExists(key); }
    std::optional<std::wstring> ReadString(std::wstring_view key,
                                           std::wstring_view name) const override {
        return m_file.ReadString(key, name);
    }
    std::optional<std::uint32_t> ReadDword(std::wstring_view key,
                                           std::wstring_view name) const override;
    bool WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) override;

    // Writes the pending values into the file, unless a wineserver runs.
    void WritePending();

private:
    Registry& m_file;
    WineSession& m_session;
    PendingRegistryWrites& m_pending;
    // Values handed to the server in this run, which the file shows only once Wine saves.
    std::map<std::pair<std::wstring, std::wstring>, std::uint32_t> m_handedToWine;
};

}  // namespace platform
