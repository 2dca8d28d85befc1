#include "vindle/client/vindleclient.h"

#include "platform/componentruntime.h"
#include "platform/componentstrings.h"
#include "vindle/cscrabinterface.h"

#include <cstdio>

namespace vindleclient
{
namespace
{

std::string describe(HRESULT code)
{
    char text[48];
    std::snprintf(text, sizeof text, "error 0x%08X", static_cast<unsigned>(code));
    return text;
}

// One Russian sentence per way the component can fail to be created.
std::string reasonFor(HRESULT code)
{
    if (code == REGDB_E_CLASSNOTREG)
        return "компонент vindle не зарегистрирован и не установлен рядом с программой.";
    if (code == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND))
        return "не удалось загрузить библиотеку компонента vindle.";
    if (code == HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND) || code == E_NOINTERFACE ||
        code == CLASS_E_CLASSNOTAVAILABLE)
        return "библиотека компонента vindle не та или повреждена.";
    return "компонент vindle не смог создать объект.";
}

} // namespace

Result browse(const std::string &libraryPath)
{
    Result result;
    _CScrab *scrab = nullptr;
    const platform::ComponentStatus created = platform::createInstance(
        CLSID_CScrab, IID__CScrab, reinterpret_cast<void **>(&scrab), "vindle");
    if (!created.ok()) {
        result.reason = reasonFor(created.code);
        result.error = created.message.empty() ? describe(created.code) : created.message;
        return result;
    }
    BSTR path = platform::allocBstr(std::string_view(libraryPath));
    BYTE modal = 1;
    BSTR index = nullptr;
    const HRESULT status = scrab->vindle(&path, &modal, &index);
    if (SUCCEEDED(status)) {
        result.ok = true;
        result.index = platform::utf16ToUtf8(platform::bstrText(index));
    } else {
        result.reason = "компонент vindle сообщил об ошибке.";
        result.error = "vindle: " + describe(status);
    }
    SysFreeString(index);
    SysFreeString(path);
    scrab->Release();
    return result;
}

} // namespace vindleclient
