#include "platform/componentruntime.h"

#include "win32text_win.h"

#include <windows.h>

#include <cstdio>
#include <tuple>

namespace platform
{

namespace
{

using GetClassObjectFn = HRESULT(STDAPICALLTYPE *)(REFCLSID, REFIID, void **);
using RegisterFn = HRESULT(STDAPICALLTYPE *)();

// GetProcAddress gives a generic function pointer; the entry points have their own types.
template <typename Function> Function entryPoint(HMODULE library, const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}

std::string hex(HRESULT code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

ComponentStatus win32Status(LSTATUS error, const std::string &what)
{
    return {HRESULT_FROM_WIN32(DWORD(error)), what + ": " + win32::statusFor(DWORD(error)).message};
}

std::wstring wide(const std::string &utf8)
{
    return win32::toWide(utf8).value_or(std::wstring());
}

// Where one scope's class records live: the machine's HKLM\Software\Classes (what HKCR shows
// to everyone) or the user's HKCU\Software\Classes (what HKCR shows to that user, over HKLM's).
struct ClassesRoot {
    HKEY root;
    std::wstring prefix;
    const char *name;
};

ClassesRoot classesRoot(RegistrationScope scope)
{
    if (scope == RegistrationScope::User)
        return {HKEY_CURRENT_USER, L"Software\\Classes\\",
                "HKEY_CURRENT_USER\\Software\\Classes\\"};
    return {HKEY_LOCAL_MACHINE, L"Software\\Classes\\", "HKEY_LOCAL_MACHINE\\Software\\Classes\\"};
}

// Sets the value `name` (the default value when empty) of `path` under `at`, creating the key.
LSTATUS setClassValue(const ClassesRoot &at, const std::wstring &path, const wchar_t *name,
                      const std::string &value)
{
    HKEY key = nullptr;
    LSTATUS result = RegCreateKeyExW(at.root, (at.prefix + path).c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    const std::wstring text = wide(value);
    result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                            DWORD((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result;
}

// A value of `path` under `root` and `prefix` (HKCR itself: the user's view of both scopes).
std::optional<std::string> classValue(const std::wstring &path, const wchar_t *name,
                                      HKEY root = HKEY_CLASSES_ROOT,
                                      const std::wstring &prefix = {})
{
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(root, (prefix + path).c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return win32::toUtf8(buffer);
}

std::wstring classKey(REFCLSID classId)
{
    return L"CLSID\\" + wide(guidToString(classId));
}

// COM needs an apartment on the calling thread; a thread that has none gets a single-threaded one.
HRESULT enterApartment()
{
    thread_local bool entered = false;
    if (entered)
        return S_OK;
    const HRESULT code = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    entered = SUCCEEDED(code) || code == RPC_E_CHANGED_MODE; // the thread already has one
    return entered ? S_OK : code;
}

std::string programFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string program = win32::toUtf8(std::wstring_view(path, length));
    return program.substr(0, program.find_last_of("\\/") + 1);
}

// Asks a loaded server's class object for an instance, as CoCreateInstance does after loading.
ComponentStatus createFrom(const std::string &path, REFCLSID classId, REFIID iid, void **object)
{
    const HMODULE library = LoadLibraryW(wide(path).c_str());
    if (library == nullptr)
        return {HRESULT_FROM_WIN32(GetLastError()), path + ": " + lastError().message};
    const auto getClassObject = entryPoint<GetClassObjectFn>(library, "DllGetClassObject");
    if (getClassObject == nullptr)
        return {HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND), path + " has no DllGetClassObject"};
    IClassFactory *factory = nullptr;
    HRESULT code = getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory));
    if (FAILED(code) || factory == nullptr)
        return {FAILED(code) ? code : E_UNEXPECTED, "class not available from " + path};
    code = factory->CreateInstance(nullptr, iid, object);
    factory->Release();
    if (FAILED(code))
        return {code, "the class failed to create an object (" + hex(code) + ")"};
    return {};
}

} // namespace

ComponentStatus writeClassRecord(const ClassRecord &record)
{
    return writeClassRecord(record, RegistrationScope::Machine);
}

ComponentStatus removeClassRecord(REFCLSID classId)
{
    return removeClassRecord(classId, RegistrationScope::Machine);
}

ComponentStatus writeClassRecord(const ClassRecord &record, RegistrationScope scope)
{
    const ClassesRoot at = classesRoot(scope);
    const std::wstring key = classKey(record.classId);
    const std::string classId = guidToString(record.classId);
    const std::wstring progId = wide(record.progId);
    for (const auto &[path, name, value] :
         {std::tuple{key, L"", record.progId},
          std::tuple{key + L"\\InprocServer32", L"", record.serverPath},
          std::tuple{key + L"\\InprocServer32", L"ThreadingModel", record.threadingModel},
          std::tuple{key + L"\\ProgID", L"", record.progId},
          std::tuple{key + L"\\VersionIndependentProgID", L"", record.progId},
          std::tuple{progId, L"", record.progId}, std::tuple{progId + L"\\CLSID", L"", classId}}) {
        // The machine's classes need an administrator on Windows, as with regsvr32.
        if (const LSTATUS result = setClassValue(at, path, name, value); result != ERROR_SUCCESS)
            return win32Status(result,
                               std::string("cannot write ") + at.name + win32::toUtf8(path));
    }
    return {};
}

ComponentStatus removeClassRecord(REFCLSID classId, RegistrationScope scope)
{
    const ClassesRoot at = classesRoot(scope);
    const std::wstring key = classKey(classId);
    if (const auto progId = classValue(key + L"\\ProgID", L"", at.root, at.prefix)) {
        // Only the class's own programmatic identifier goes, never one another class took over.
        if (classValue(wide(*progId) + L"\\CLSID", L"", at.root, at.prefix) ==
            guidToString(classId))
            RegDeleteTreeW(at.root, (at.prefix + wide(*progId)).c_str());
    }
    const LSTATUS result = RegDeleteTreeW(at.root, (at.prefix + key).c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        return win32Status(result, std::string("cannot remove ") + at.name + win32::toUtf8(key));
    return {};
}

std::optional<ClassRecord> readClassRecord(REFCLSID classId)
{
    const std::wstring key = classKey(classId);
    const auto library = classValue(key + L"\\InprocServer32", L"");
    if (!library || library->empty())
        return std::nullopt;
    ClassRecord record;
    record.classId = classId;
    record.serverPath = *library;
    record.progId = classValue(key + L"\\ProgID", L"").value_or("");
    record.threadingModel = classValue(key + L"\\InprocServer32", L"ThreadingModel").value_or("");
    return record;
}

std::string modulePathOf(const void *address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return win32::toUtf8(std::wstring_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

ComponentStatus registerServer(const std::string &libraryPath, bool unregister)
{
    if (const HRESULT code = enterApartment(); FAILED(code))
        return {code, "cannot enter a COM apartment (" + hex(code) + ")"};
    const HMODULE library = LoadLibraryW(wide(libraryPath).c_str());
    if (library == nullptr)
        return {HRESULT_FROM_WIN32(GetLastError()), libraryPath + ": " + lastError().message};
    const char *name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto entry = entryPoint<RegisterFn>(library, name);
    if (entry == nullptr)
        return {HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND), libraryPath + " has no " + name};
    const HRESULT code = entry();
    if (FAILED(code))
        return {code, std::string(name) + " failed with " + hex(code)};
    return {code, {}};
}

ComponentStatus createInstance(REFCLSID classId, REFIID iid, void **object,
                               std::string_view fallbackModule)
{
    if (object == nullptr)
        return {E_POINTER, "no place for the object"};
    *object = nullptr;
    if (const HRESULT code = enterApartment(); FAILED(code))
        return {code, "cannot enter a COM apartment (" + hex(code) + ")"};
    const HRESULT code = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, iid, object);
    if (SUCCEEDED(code))
        return {};
    // An unregistered server installed beside the program still serves it.
    const std::string beside = programFolder() + std::string(fallbackModule) + ".dll";
    if (code == REGDB_E_CLASSNOTREG && !fallbackModule.empty() &&
        GetFileAttributesW(wide(beside).c_str()) != INVALID_FILE_ATTRIBUTES)
        return createFrom(beside, classId, iid, object);
    if (code == REGDB_E_CLASSNOTREG)
        return {code, "class not registered: " + guidToString(classId)};
    if (code == E_NOINTERFACE)
        return {code, "no such interface supported: " + guidToString(iid)};
    return {code, "CoCreateInstance failed with " + hex(code)};
}

} // namespace platform
