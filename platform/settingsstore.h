#pragma once

#include "status.h"

#include <string>
#include <string_view>

namespace platform
{

// The per-user settings store: text values addressed by application, section and key.
// POSIX: an INI file "$XDG_CONFIG_HOME/<application>/<application>.ini" (default ~/.config),
// readable by QSettings. Win32: HKCU\Software\VB and VBA Program Settings\<application>\<section>.
class SettingsStore
{
public:
    explicit SettingsStore(std::string application);

    // The stored text, or `defaultValue` when the key (or the whole store) is absent.
    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue) const;

    // Stores the text; the store is rewritten whole so a crash never leaves half of it.
    Status save(std::string_view section, std::string_view key, std::string_view value);

    // Where the values live (file path or registry key), for messages and tests.
    std::string location() const;

private:
    std::string m_application; // e.g. "ravo2"
};

} // namespace platform
