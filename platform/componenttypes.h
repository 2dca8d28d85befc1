#pragma once

// The component system's types (HRESULT, GUID, BSTR, IUnknown, IDispatch, VARIANT): the platform's
// own on Windows, a stand-in with the same layout and vtable order elsewhere.
#ifdef _WIN32
#include <objbase.h>
#include <oleauto.h>
#include <unknwn.h>
#else
#include "platform/componenttypes_posix.h"
#endif
