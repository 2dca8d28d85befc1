// The component's four exported entry points (listed in vindle.def).
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

STDAPI DllRegisterServer()
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
    status = RegisterTypeLib(library, reinterpret_cast<LPOLESTR>(widePath.data()), nullptr);
    library->Release();
    if (FAILED(status))
        return SELFREG_E_TYPELIB;
    return SUCCEEDED(platform::writeClassRecord(record).code) ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer()
{
    // A library that was never registered is not an error here.
    UnRegisterTypeLib(LIBID_vindle, 1, 0, 0x409, SYS_WIN64);
    return SUCCEEDED(platform::removeClassRecord(CLSID_CScrab).code) ? S_OK : SELFREG_E_CLASS;
}
