#include "platform/componentruntime.h"

#include <dlfcn.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#ifndef RAVO2_COMPONENT_RELDIR
#define RAVO2_COMPONENT_RELDIR "../lib/ravo2"
#endif

namespace platform
{
namespace
{

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void **);
using RegisterFn = HRESULT (*)();

std::string configHome()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return config;
    const char *home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd *pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : "/tmp";
    }
    return std::string(home) + "/.config";
}

std::string recordFolder()
{
    return configHome() + "/ravo2/components";
}

std::string recordPath(REFCLSID classId)
{
    return recordFolder() + "/" + guidToString(classId) + ".ini";
}

// Creates every missing folder of `path` (private to the user, as XDG asks).
bool makeFolders(const std::string &path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

ComponentStatus errnoStatus(const std::string &what)
{
    return {E_FAIL, what + ": " + std::strerror(errno)};
}

std::string dlError()
{
    const char *text = dlerror();
    return text ? text : "unknown loader error";
}

std::string programFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    std::string path(buffer, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/'));
}

// The installed copy of `module` beside the program, then in the program's library folders.
std::string findInstalledServer(std::string_view module)
{
    const std::string folder = programFolder();
    if (module.empty() || folder.empty())
        return {};
    const std::string file = "/lib" + std::string(module) + ".so";
    for (const std::string &dir :
         {folder, folder + "/../lib/ravo2", folder + "/" + RAVO2_COMPONENT_RELDIR}) {
        if (::access((dir + file).c_str(), R_OK) == 0)
            return dir + file;
    }
    return {};
}

// The user's record when its server file is there, else the copy installed with the program; a
// record left by a build tree since deleted must not hide that copy.
std::string serverPathFor(REFCLSID classId, std::string_view fallbackModule)
{
    const auto record = readClassRecord(classId);
    if (record && ::access(record->serverPath.c_str(), F_OK) == 0)
        return record->serverPath;
    const std::string installed = findInstalledServer(fallbackModule);
    if (!installed.empty() || !record)
        return installed;
    return record->serverPath; // loading it reports the missing file
}

void *loadServer(const std::string &path, ComponentStatus &status)
{
    void *library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        status = {HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), dlError()};
    return library;
}

void *entryPoint(void *library, const char *name, ComponentStatus &status)
{
    void *entry = ::dlsym(library, name);
    if (!entry)
        status = {HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND), dlError()};
    return entry;
}

std::string hex(HRESULT code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

} // namespace

ComponentStatus writeClassRecord(const ClassRecord &record)
{
    const std::string folder = recordFolder();
    if (!makeFolders(folder))
        return errnoStatus("cannot create " + folder);
    const std::string path = recordPath(record.classId);
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << "[Class]\nCLSID=" << guidToString(record.classId)
            << "\nInprocServer32=" << record.serverPath << "\nProgID=" << record.progId
            << "\nThreadingModel=" << record.threadingModel << "\n";
        if (!out.flush())
            return errnoStatus("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        return errnoStatus("cannot replace " + path);
    return {};
}

ComponentStatus removeClassRecord(REFCLSID classId)
{
    const std::string path = recordPath(classId);
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        return errnoStatus("cannot remove " + path);
    return {};
}

// The records are the user's whatever the scope.
ComponentStatus writeClassRecord(const ClassRecord &record, RegistrationScope)
{
    return writeClassRecord(record);
}

ComponentStatus removeClassRecord(REFCLSID classId, RegistrationScope)
{
    return removeClassRecord(classId);
}

std::optional<ClassRecord> readClassRecord(REFCLSID classId)
{
    std::ifstream in(recordPath(classId));
    if (!in)
        return std::nullopt;
    ClassRecord record;
    record.classId = classId;
    for (std::string line; std::getline(in, line);) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "InprocServer32")
            record.serverPath = value;
        else if (key == "ProgID")
            record.progId = value;
        else if (key == "ThreadingModel")
            record.threadingModel = value;
    }
    if (record.serverPath.empty())
        return std::nullopt;
    return record;
}

std::string modulePathOf(const void *address)
{
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    return ::realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
}

ComponentStatus registerServer(const std::string &libraryPath, bool unregister)
{
    char resolved[PATH_MAX];
    const std::string path = ::realpath(libraryPath.c_str(), resolved) ? resolved : libraryPath;
    ComponentStatus status;
    void *library = loadServer(path, status);
    if (!library)
        return status;
    const char *name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<RegisterFn>(entryPoint(library, name, status));
    if (!entry)
        return status;
    const HRESULT code = entry();
    if (FAILED(code))
        return {code, std::string(name) + " failed with " + hex(code)};
    return {code, {}};
}

ComponentStatus createInstance(REFCLSID classId, REFIID iid, void **object,
                               std::string_view fallbackModule)
{
    if (!object)
        return {E_POINTER, "no place for the object"};
    *object = nullptr;
    const std::string path = serverPathFor(classId, fallbackModule);
    if (path.empty())
        return {REGDB_E_CLASSNOTREG, "class not registered: " + guidToString(classId)};
    ComponentStatus status;
    void *library = loadServer(path, status);
    if (!library)
        return status;
    auto getClassObject =
        reinterpret_cast<GetClassObjectFn>(entryPoint(library, "DllGetClassObject", status));
    if (!getClassObject) {
        ::dlclose(library);
        return status;
    }
    IClassFactory *factory = nullptr;
    HRESULT code = getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory));
    if (FAILED(code) || !factory)
        return {FAILED(code) ? code : E_UNEXPECTED,
                "class not available from " + path + " (" + hex(code) + ")"};
    code = factory->CreateInstance(nullptr, iid, object);
    factory->Release();
    if (code == E_NOINTERFACE)
        return {code, "no such interface supported: " + guidToString(iid)};
    if (FAILED(code))
        return {code, "the class failed to create an object (" + hex(code) + ")"};
    return {};
}

} // namespace platform
