// The component's exported entry points (listed in vindle.def).
#include "platform/componentruntime.h"
#include "vindle/cscrabinterface.h"
#include "vindle/scrabserver_win.h"

#include <olectl.h>

namespace
{

// The type library in this DLL's resources, loaded without touching the registry.
HRESULT loadOwnTypeLibrary(const std::string &path, ITypeLib **library)
{
    const std::u16string widePath = platform::utf8ToUtf16(path);
    return LoadTypeLibEx(reinterpret_cast<LPCOLESTR>(widePath.c_str()), REGKIND_NONE, library);
}

// Vista's per-user calls of oleaut32, looked up because some SDK headers leave them out.
using RegisterForUserFn = HRESULT(WINAPI *)(ITypeLib *, OLECHAR *, OLECHAR *);
using UnregisterForUserFn = HRESULT(WINAPI *)(REFGUID, WORD, WORD, LCID, SYSKIND);

template <typename Function> Function oleAutomation(const char *name)
{
    const HMODULE module = GetModuleHandleW(L"oleaut32.dll");
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

// The type library's platform: each build registers its own (a 32-bit client reads win32).
constexpr SYSKIND kOwnSysKind = sizeof(void *) == 8 ? SYS_WIN64 : SYS_WIN32;

HRESULT registerIn(platform::RegistrationScope scope)
{
    platform::ClassRecord record;
    record.classId = CLSID_CScrab;
    record.serverPath = platform::modulePathOf(reinterpret_cast<const void *>(&DllRegisterServer));
    record.progId = vindleProgId;
    record.threadingModel = "Apartment";
    if (record.serverPath.empty())
        return E_UNEXPECTED;
    ITypeLib *library = nullptr;
    HRESULT status = loadOwnTypeLibrary(record.serverPath, &library);
    if (FAILED(status))
        return SELFREG_E_TYPELIB;
    // Publishes the library and marshals _CScrab with the standard automation marshaler.
    std::u16string widePath = platform::utf8ToUtf16(record.serverPath);
    const auto path = reinterpret_cast<LPOLESTR>(widePath.data());
    const auto forUser = oleAutomation<RegisterForUserFn>("RegisterTypeLibForUser");
    if (scope == platform::RegistrationScope::User)
        status = forUser ? forUser(library, path, nullptr) : E_NOTIMPL;
    else
        status = RegisterTypeLib(library, path, nullptr);
    library->Release();
    if (FAILED(status))
        return SELFREG_E_TYPELIB;
    return SUCCEEDED(platform::writeClassRecord(record, scope).code) ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregisterIn(platform::RegistrationScope scope)
{
    // A library that was never registered is not an error here.
    const auto forUser = oleAutomation<UnregisterForUserFn>("UnRegisterTypeLibForUser");
    if (scope == platform::RegistrationScope::User) {
        if (forUser)
            forUser(LIBID_vindle, 1, 0, 0x409, kOwnSysKind);
    } else
        UnRegisterTypeLib(LIBID_vindle, 1, 0, 0x409, kOwnSysKind);
    return SUCCEEDED(platform::removeClassRecord(CLSID_CScrab, scope).code) ? S_OK
                                                                            : SELFREG_E_CLASS;
}

} // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID *object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (classId != CLSID_CScrab)
        return CLASS_E_CLASSNOTAVAILABLE;
    return vindle::getScrabClassObject(riid, object);
}

STDAPI DllCanUnloadNow()
{
    return vindle::liveServerObjects() == 0 ? S_OK : S_FALSE;
}

// regsvr32 vindle.dll: the machine's classes (an administrator's).
STDAPI DllRegisterServer()
{
    return registerIn(platform::RegistrationScope::Machine);
}

STDAPI DllUnregisterServer()
{
    return unregisterIn(platform::RegistrationScope::Machine);
}

// regsvr32 /n /i:user vindle.dll registers for the current user alone, without an administrator;
// with /u it removes that registration. Without "user" it is the machine's, as above.
STDAPI DllInstall(BOOL install, PCWSTR commandLine)
{
    const bool user = commandLine != nullptr &&
                      CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) == CSTR_EQUAL;
    if (commandLine != nullptr && *commandLine != L'\0' && !user)
        return E_INVALIDARG;
    const auto scope =
        user ? platform::RegistrationScope::User : platform::RegistrationScope::Machine;
    return install ? registerIn(scope) : unregisterIn(scope);
}
