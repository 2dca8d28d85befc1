// vindle-regsvr [/u] <library>: calls a component library's DllRegisterServer or
// DllUnregisterServer, like regsvr32.
#include "platform/componentruntime.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

// regsvr32's exit statuses: bad arguments, library not loaded, entry missing, entry failed.
enum Exit { Success = 0, Usage = 1, LoadFailed = 3, EntryMissing = 4, EntryFailed = 5 };

int exitFor(HRESULT code)
{
    if (code == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND))
        return LoadFailed;
    if (code == HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND))
        return EntryMissing;
    return EntryFailed;
}

} // namespace

int main(int argc, char **argv)
{
    bool unregister = false;
    std::string library;
    int libraries = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "/u") == 0 || std::strcmp(argv[i], "-u") == 0) {
            unregister = true;
        } else {
            library = argv[i];
            ++libraries;
        }
    }
    if (libraries != 1) {
        std::fprintf(stderr, "usage: vindle-regsvr [/u] <library>\n");
        return Usage;
    }
    const char *entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const platform::ComponentStatus status = platform::registerServer(library, unregister);
    if (!status.ok()) {
        std::fprintf(stderr, "%s in %s failed: %s\n", entry, library.c_str(),
                     status.message.c_str());
        return exitFor(status.code);
    }
    std::printf("%s in %s succeeded.\n", entry, library.c_str());
    return Success;
}
