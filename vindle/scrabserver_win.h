#pragma once

#include "platform/componenttypes.h"

namespace vindle
{

// The Windows server of CScrab: IDispatch is served by the type library that the DLL carries as
// resource 1, so automation clients get the platform's own argument conversions.

// The class object (IClassFactory) that DllGetClassObject hands out.
HRESULT getScrabClassObject(REFIID riid, void **object);

// Objects and server locks alive; the module may be unloaded when this is 0.
long liveServerObjects();

} // namespace vindle
