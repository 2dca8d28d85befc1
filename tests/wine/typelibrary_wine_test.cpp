#include "platform/componentstrings.h"
#include "vindle/cscrabinterface.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{

const GUID kEnumId = {0xACF24A92, 0x0341, 0x4A27, {0x97, 0xB0, 0xA8, 0x0D, 0x7D, 0x44, 0xE7, 0x4D}};

// The type library carried by the built DLL as resource 1, read without the registry.
class TypeLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::u16string path = platform::utf8ToUtf16(RAVO2_VINDLE_DLL);
        ASSERT_EQ(
            LoadTypeLibEx(reinterpret_cast<LPCOLESTR>(path.c_str()), REGKIND_NONE, &m_library),
            S_OK);
    }
    void TearDown() override
    {
        if (m_library)
            m_library->Release();
    }

    static std::wstring name(ITypeInfo *info, MEMBERID id)
    {
        BSTR text = nullptr;
        info->GetDocumentation(id, &text, nullptr, nullptr, nullptr);
        std::wstring result = text ? text : L"";
        SysFreeString(text);
        return result;
    }

    ITypeLib *m_library = nullptr;
};

} // namespace

TEST_F(TypeLibrary, LibraryAndClassIdentities)
{
    TLIBATTR *attributes = nullptr;
    ASSERT_EQ(m_library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, LIBID_vindle);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0x409u);
    m_library->ReleaseTLibAttr(attributes);
    BSTR libraryName = nullptr;
    m_library->GetDocumentation(-1, &libraryName, nullptr, nullptr, nullptr);
    EXPECT_STREQ(libraryName, L"vindle");
    SysFreeString(libraryName);

    ITypeInfo *coclass = nullptr;
    ASSERT_EQ(m_library->GetTypeInfoOfGuid(CLSID_CScrab, &coclass), S_OK);
    TYPEATTR *classAttributes = nullptr;
    coclass->GetTypeAttr(&classAttributes);
    EXPECT_EQ(classAttributes->typekind, TKIND_COCLASS);
    EXPECT_TRUE(classAttributes->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(classAttributes->cImplTypes, 1);
    coclass->ReleaseTypeAttr(classAttributes);
    EXPECT_EQ(name(coclass, MEMBERID_NIL), L"CScrab");
    INT flags = 0;
    coclass->GetImplTypeFlags(0, &flags);
    EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
    HREFTYPE reference = 0;
    ITypeInfo *defaultInterface = nullptr;
    coclass->GetRefTypeOfImplType(0, &reference);
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, &defaultInterface), S_OK);
    EXPECT_EQ(name(defaultInterface, MEMBERID_NIL), L"_CScrab");
    defaultInterface->Release();
    coclass->Release();
}

TEST_F(TypeLibrary, EnumerationOfIconSizes)
{
    ITypeInfo *info = nullptr;
    ASSERT_EQ(m_library->GetTypeInfoOfGuid(kEnumId, &info), S_OK);
    EXPECT_EQ(name(info, MEMBERID_NIL), L"enmSizeIcon");
    TYPEATTR *attributes = nullptr;
    info->GetTypeAttr(&attributes);
    EXPECT_EQ(attributes->typekind, TKIND_ENUM);
    std::map<std::wstring, LONG> values;
    for (WORD i = 0; i < attributes->cVars; ++i) {
        VARDESC *variable = nullptr;
        info->GetVarDesc(i, &variable);
        values[name(info, variable->memid)] = variable->lpvarValue->lVal;
        info->ReleaseVarDesc(variable);
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();
    EXPECT_EQ(values, (std::map<std::wstring, LONG>{{L"LargeIcon", 32}, {L"SmallIcon", 16}}));
}

TEST_F(TypeLibrary, DualInterfaceWithItsSlotsInOrder)
{
    ITypeInfo *dispatch = nullptr;
    ASSERT_EQ(m_library->GetTypeInfoOfGuid(IID__CScrab, &dispatch), S_OK);
    TYPEATTR *attributes = nullptr;
    dispatch->GetTypeAttr(&attributes);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    const WORD wanted = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE;
    EXPECT_EQ(attributes->wTypeFlags & (wanted | TYPEFLAG_FDISPATCHABLE),
              wanted | TYPEFLAG_FDISPATCHABLE);
    dispatch->ReleaseTypeAttr(attributes);

    HREFTYPE vtablePart = 0;
    ITypeInfo *info = nullptr;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &vtablePart), S_OK);
    ASSERT_EQ(dispatch->GetRefTypeInfo(vtablePart, &info), S_OK);
    struct Slot {
        const wchar_t *name;
        MEMBERID id;
        INVOKEKIND kind;
        short parameters; // the trailing out-parameter of a result included
    };
    const Slot slots[] = {{L"vindle", DISPID_vindle, INVOKE_FUNC, 3},
                          {L"FileName", DISPID_FileName, INVOKE_PROPERTYPUT, 1},
                          {L"FileName", DISPID_FileName, INVOKE_PROPERTYGET, 1},
                          {L"NumberIcons", DISPID_NumberIcons, INVOKE_PROPERTYGET, 1},
                          {L"ShowIcon", DISPID_ShowIcon, INVOKE_FUNC, 2}};
    info->GetTypeAttr(&attributes);
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attributes->wTypeFlags & (wanted | TYPEFLAG_FOLEAUTOMATION),
              wanted | TYPEFLAG_FOLEAUTOMATION);
    ASSERT_EQ(attributes->cFuncs, 5);
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < 5; ++i) {
        FUNCDESC *function = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
        EXPECT_EQ(name(info, function->memid), slots[i].name);
        EXPECT_EQ(function->memid, slots[i].id) << i;
        EXPECT_EQ(function->invkind, slots[i].kind) << i;
        EXPECT_EQ(function->cParams, slots[i].parameters) << i;
        // After IUnknown's three and IDispatch's four slots.
        EXPECT_EQ(function->oVft, short((7 + i) * sizeof(void *))) << i;
        info->ReleaseFuncDesc(function);
    }
    info->Release();
    dispatch->Release();
}
