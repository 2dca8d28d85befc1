#include "platform/componentruntime.h"
#include "vindle/cscrabinterface.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

namespace
{

constexpr HRESULT kObjectNotSet = static_cast<HRESULT>(0x800A005B); // error 91
const std::wstring kShell32 = L"C:\\windows\\system32\\shell32.dll";
const std::wstring kUser32 = L"C:\\windows\\system32\\user32.dll";

std::wstring wide(const std::string &utf8)
{
    const std::u16string text = platform::utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

// A path as Windows compares it: either separator, any case.
std::wstring comparable(const std::string &path)
{
    std::wstring text = wide(path);
    for (wchar_t &c : text)
        c = c == L'/' ? L'\\' : towlower(c);
    return text;
}

// Frees a BSTR at the end of its scope.
struct Bstr {
    BSTR text = nullptr;
    ~Bstr() { SysFreeString(text); }
    std::wstring str() const { return text ? std::wstring(text, SysStringLen(text)) : L"(null)"; }
};

// The component registered for one test and unregistered after it, in one COM apartment.
class ComServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        const platform::ComponentStatus status = platform::registerServer(RAVO2_VINDLE_DLL, false);
        ASSERT_TRUE(status.ok()) << status.message;
    }
    void TearDown() override
    {
        platform::registerServer(RAVO2_VINDLE_DLL, true);
        CoUninitialize();
    }

    static _CScrab *create()
    {
        _CScrab *scrab = nullptr;
        const platform::ComponentStatus status =
            platform::createInstance(CLSID_CScrab, IID__CScrab, reinterpret_cast<void **>(&scrab));
        EXPECT_TRUE(status.ok()) << status.message;
        return scrab;
    }

    static HRESULT invoke(IDispatch *object, const wchar_t *name, WORD flags, DISPPARAMS &params,
                          VARIANT &result, EXCEPINFO &exception)
    {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, 0x409, &id);
        if (FAILED(found))
            return found;
        VariantInit(&result);
        return object->Invoke(id, IID_NULL, 0x409, flags, &params, &result, &exception, nullptr);
    }
};

} // namespace

TEST_F(ComServer, RegistrationPublishesTheClassAndItsProgrammaticIdentifier)
{
    const auto record = platform::readClassRecord(CLSID_CScrab);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(comparable(record->serverPath), comparable(RAVO2_VINDLE_DLL));
    EXPECT_EQ(record->threadingModel, "Apartment");
    EXPECT_EQ(record->progId, "vindle.CScrab");
    CLSID fromProgId{};
    ASSERT_EQ(CLSIDFromProgID(L"vindle.CScrab", &fromProgId), S_OK);
    EXPECT_EQ(fromProgId, CLSID_CScrab);
    ITypeLib *library = nullptr;
    ASSERT_EQ(LoadRegTypeLib(LIBID_vindle, 1, 0, 0x409, &library), S_OK);
    library->Release();

    ASSERT_TRUE(platform::registerServer(RAVO2_VINDLE_DLL, true).ok());
    EXPECT_FALSE(platform::readClassRecord(CLSID_CScrab).has_value());
    EXPECT_NE(CLSIDFromProgID(L"vindle.CScrab", &fromProgId), S_OK);
    EXPECT_NE(LoadRegTypeLib(LIBID_vindle, 1, 0, 0x409, &library), S_OK);
    void *object = nullptr;
    EXPECT_EQ(platform::createInstance(CLSID_CScrab, IID__CScrab, &object).code,
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);

    // Unregistered, a server beside the program still serves it.
    wchar_t program[MAX_PATH];
    std::wstring beside(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"vindle.dll";
    if (GetFileAttributesW(beside.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "vindle.dll is not beside this test";
    const platform::ComponentStatus fallback =
        platform::createInstance(CLSID_CScrab, IID__CScrab, &object, "vindle");
    ASSERT_TRUE(fallback.ok()) << fallback.message;
    static_cast<_CScrab *>(object)->Release();
}

TEST_F(ComServer, TheSlotsCountIconsAndReportTheMissingParts)
{
    _CScrab *scrab = create();
    ASSERT_NE(scrab, nullptr);
    Bstr name;
    LONG count = -1;
    ASSERT_EQ(scrab->get_FileName(&name.text), S_OK);
    EXPECT_EQ(name.str(), L"");
    ASSERT_EQ(scrab->get_NumberIcons(&count), S_OK);
    EXPECT_EQ(count, 0);

    Bstr path{SysAllocString(kShell32.c_str())};
    ASSERT_EQ(scrab->put_FileName(path.text), S_OK);
    scrab->get_NumberIcons(&count);
    EXPECT_GT(count, 100);
    Bstr user32{SysAllocString(kUser32.c_str())};
    scrab->put_FileName(user32.text);
    LONG fewer = -1;
    scrab->get_NumberIcons(&fewer);
    EXPECT_GT(fewer, 0);
    EXPECT_LT(fewer, count);
    Bstr missing{SysAllocString(L"C:\\no\\such.dll")};
    scrab->put_FileName(missing.text);
    scrab->get_NumberIcons(&count);
    EXPECT_EQ(count, 0);

    // No browser window has registered a drawing surface in this thread.
    enmSizeIcon size = LargeIcon;
    EXPECT_EQ(scrab->ShowIcon(0, &size), kObjectNotSet);
    EXPECT_EQ(scrab->Release(), 0u);
}

TEST_F(ComServer, DispatchGoesThroughTheTypeLibrary)
{
    _CScrab *scrab = create();
    ASSERT_NE(scrab, nullptr);
    UINT infos = 0;
    EXPECT_EQ(scrab->GetTypeInfoCount(&infos), S_OK);
    EXPECT_EQ(infos, 1u);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"numbericons"), const_cast<LPOLESTR>(L"FILENAME"),
                        const_cast<LPOLESTR>(L"ShowIcon"), const_cast<LPOLESTR>(L"Vindle")};
    const DISPID expected[] = {DISPID_NumberIcons, DISPID_FileName, DISPID_ShowIcon, DISPID_vindle};
    for (int i = 0; i < 4; ++i) {
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(scrab->GetIDsOfNames(IID_NULL, &names[i], 1, 0x409, &id), S_OK);
        EXPECT_EQ(id, expected[i]);
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Count")};
    DISPID id = 0;
    EXPECT_EQ(scrab->GetIDsOfNames(IID_NULL, unknown, 1, 0x409, &id), DISP_E_UNKNOWNNAME);

    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(kShell32.c_str());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put{&value, &putId, 1, 1};
    VARIANT result;
    EXCEPINFO exception{};
    EXPECT_EQ(invoke(scrab, L"FileName", DISPATCH_PROPERTYPUT, put, result, exception), S_OK);
    VariantClear(&value);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(invoke(scrab, L"NumberIcons", DISPATCH_PROPERTYGET, none, result, exception), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    LONG direct = 0;
    scrab->get_NumberIcons(&direct);
    EXPECT_EQ(result.lVal, direct);

    // Arguments in reverse order: SizeIcon (by reference), then Icon.
    LONG size = 16;
    VARIANT arguments[2];
    arguments[0].vt = VT_I4 | VT_BYREF;
    arguments[0].plVal = &size;
    arguments[1].vt = VT_I4;
    arguments[1].lVal = 0;
    DISPPARAMS show{arguments, nullptr, 2, 0};
    EXPECT_EQ(invoke(scrab, L"ShowIcon", DISPATCH_METHOD, show, result, exception),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, kObjectNotSet);
    EXPECT_NE(exception.bstrDescription, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    scrab->Release();
}

TEST_F(ComServer, TheModuleMayUnloadOnlyWhenNothingIsAlive)
{
    _CScrab *scrab = create();
    ASSERT_NE(scrab, nullptr);
    const HMODULE module = GetModuleHandleW(L"vindle.dll");
    ASSERT_NE(module, nullptr);
    using CanUnloadFn = HRESULT(STDAPICALLTYPE *)();
    const auto canUnload = reinterpret_cast<CanUnloadFn>(
        reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    scrab->Release();
    EXPECT_EQ(canUnload(), S_OK);
}
