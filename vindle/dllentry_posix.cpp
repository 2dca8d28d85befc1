// The component's four exported entry points; everything else in the module stays hidden.
#include "platform/componentruntime.h"
#include "vindle/cscrabinterface.h"
#include "vindle/scrabfactory.h"
#include "vindle/scrabobject.h"

#define VINDLE_EXPORT extern "C" __attribute__((visibility("default")))

VINDLE_EXPORT HRESULT DllGetClassObject(REFCLSID classId, REFIID riid, void **object);
VINDLE_EXPORT HRESULT DllCanUnloadNow();
VINDLE_EXPORT HRESULT DllRegisterServer();
VINDLE_EXPORT HRESULT DllUnregisterServer();

HRESULT DllGetClassObject(REFCLSID classId, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(classId == CLSID_CScrab))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new vindle::ScrabFactory;
    const HRESULT status = factory->QueryInterface(riid, object);
    factory->Release();
    return status;
}

HRESULT DllCanUnloadNow()
{
    return vindle::liveObjects.load() == 0 ? S_OK : S_FALSE;
}

HRESULT DllRegisterServer()
{
    platform::ClassRecord record;
    record.classId = CLSID_CScrab;
    record.serverPath = platform::modulePathOf(reinterpret_cast<const void *>(&DllRegisterServer));
    record.progId = vindleProgId;
    record.threadingModel = "Apartment";
    if (record.serverPath.empty())
        return E_UNEXPECTED;
    return platform::writeClassRecord(record).code;
}

HRESULT DllUnregisterServer()
{
    return platform::removeClassRecord(CLSID_CScrab).code;
}
