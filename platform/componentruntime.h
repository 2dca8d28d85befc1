#pragma once

#include "platform/componentstrings.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// Outcome of a component-system call: the HRESULT and, on failure, a readable message.
struct ComponentStatus {
    HRESULT code = S_OK;
    std::string message;

    bool ok() const { return SUCCEEDED(code); }
};

// What registration publishes for one creatable class.
struct ClassRecord {
    CLSID classId{};
    std::string serverPath;     // absolute path of the in-process server
    std::string progId;         // e.g. "vindle.CScrab"
    std::string threadingModel; // e.g. "Apartment"
};

// Publishes / withdraws a class; called by a server's DllRegisterServer / DllUnregisterServer.
// POSIX: one file per class, $XDG_CONFIG_HOME/ravo2/components/{CLSID}.ini (default ~/.config).
// Win32: the machine's classes (HKLM\Software\Classes, an administrator's).
ComponentStatus writeClassRecord(const ClassRecord &record);
ComponentStatus removeClassRecord(REFCLSID classId);

// Whose classes a Win32 registration changes: the machine's, or the current user's
// (HKCU\Software\Classes, no administrator needed). POSIX records are always the user's.
enum class RegistrationScope { Machine, User };
ComponentStatus writeClassRecord(const ClassRecord &record, RegistrationScope scope);
ComponentStatus removeClassRecord(REFCLSID classId, RegistrationScope scope);
std::optional<ClassRecord> readClassRecord(REFCLSID classId);

// The absolute path of the loaded library that holds `address` (a server's own file).
std::string modulePathOf(const void *address);

// Loads `libraryPath` and calls its DllRegisterServer, or DllUnregisterServer when `unregister`.
ComponentStatus registerServer(const std::string &libraryPath, bool unregister);

// Creates an instance of a registered class and asks it for `iid`. When the class has no record, or
// its record names a file that is gone, the server `fallbackModule` (a base name such as "vindle")
// is looked for beside the program and in the program's library folder (<bin>/../lib/ravo2, which
// the build tree mirrors). Servers stay loaded for the rest of the process.
ComponentStatus createInstance(REFCLSID classId, REFIID iid, void **object,
                               std::string_view fallbackModule = {});

} // namespace platform
