// CScrab created through the component runtime and driven as other clients drive it: through the
// raw slots of its table and through IDispatch by name.
#include "iconfixtures.h"
#include "platform/componentruntime.h"
#include "platform/componentstrings.h"
#include "vindle/client/vindleclient.h"
#include "vindle/cscrabinterface.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <dlfcn.h>

#include <memory>

namespace
{

const HRESULT error9 = static_cast<HRESULT>(0x800A0009);
const HRESULT error91 = static_cast<HRESULT>(0x800A005B);

// Calls slot `index` of a component's table the way a C client would.
template <typename... Args> HRESULT callSlot(void *object, int index, Args... args)
{
    void **table = *static_cast<void ***>(object);
    return reinterpret_cast<HRESULT (*)(void *, Args...)>(table[index])(object, args...);
}
enum Slot { PutFileName = 8, GetFileName = 9, GetNumberIcons = 10, ShowIconSlot = 11 };

QWidget *browserWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "Form1" && w->isVisible())
            return w;
    }
    return nullptr;
}

void closeBrowser()
{
    if (QWidget *w = browserWindow())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ScrabObject : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_scrabobject";
        static char *argv[] = {name, nullptr};
        s_app = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { s_app.reset(); }

    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", m_config.path().toUtf8().constData(), 1);
        ASSERT_TRUE(platform::registerServer(VINDLE_MODULE, false).ok());
        m_library = m_config.filePath("pe-three.dll").toStdString();
        ASSERT_TRUE(iconfixtures::writeFile(
            m_library, iconfixtures::buildModule(iconfixtures::plainModule(3))));
    }
    void TearDown() override
    {
        closeBrowser();
        unsetenv("XDG_CONFIG_HOME");
    }

    _CScrab *create()
    {
        _CScrab *scrab = nullptr;
        const auto status =
            platform::createInstance(CLSID_CScrab, IID__CScrab, reinterpret_cast<void **>(&scrab));
        EXPECT_TRUE(status.ok()) << status.message;
        return scrab;
    }

    // Invokes a member by name with the arguments given first to last.
    HRESULT invoke(_CScrab *scrab, const char *member, WORD flags, std::vector<VARIANT> args,
                   VARIANT *result = nullptr, EXCEPINFO *exception = nullptr,
                   UINT *argError = nullptr)
    {
        std::u16string name = platform::utf8ToUtf16(member);
        LPOLESTR names[] = {name.data()};
        DISPID id = 0;
        if (HRESULT s = scrab->GetIDsOfNames(IID_NULL, names, 1, 0x409, &id); FAILED(s))
            return s;
        std::reverse(args.begin(), args.end());
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        if (flags == DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        return scrab->Invoke(id, IID_NULL, 0x409, flags, &params, result, exception, argError);
    }

    static std::unique_ptr<QApplication> s_app;
    QTemporaryDir m_config;
    std::string m_library;
};
std::unique_ptr<QApplication> ScrabObject::s_app;

VARIANT text(BSTR value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = value;
    return v;
}

VARIANT number(VARTYPE type, LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    if (type == VT_I2)
        v.iVal = static_cast<SHORT>(value);
    else if (type == VT_UI1)
        v.bVal = static_cast<BYTE>(value);
    else
        v.lVal = value;
    return v;
}

VARIANT byRef(VARTYPE type, void *target)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = static_cast<VARTYPE>(type | VT_BYREF);
    v.byref = target;
    return v;
}

} // namespace

TEST_F(ScrabObject, SlotsFollowTheDispatchInterfaceInTheirFixedOrder)
{
    _CScrab *scrab = create();
    ASSERT_NE(scrab, nullptr);
    void *dispatch = nullptr;
    ASSERT_EQ(callSlot(scrab, 0, &IID_IDispatch, &dispatch), S_OK); // QueryInterface
    EXPECT_EQ(dispatch, scrab);
    EXPECT_EQ(callSlot(dispatch, 2), 1); // Release
    void *none = reinterpret_cast<void *>(1);
    EXPECT_EQ(callSlot(scrab, 0, &IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    BSTR path = platform::allocBstr(std::string_view(m_library));
    ASSERT_EQ(callSlot(scrab, PutFileName, path), S_OK);
    SysFreeString(path); // the object keeps its own copy
    LONG count = -1;
    ASSERT_EQ(callSlot(scrab, GetNumberIcons, &count), S_OK);
    EXPECT_EQ(count, 3);
    BSTR back = nullptr;
    ASSERT_EQ(callSlot(scrab, GetFileName, &back), S_OK);
    EXPECT_EQ(platform::utf16ToUtf8(platform::bstrText(back)), m_library);
    SysFreeString(back); // allocated by the module, freed by the caller

    void *module = dlopen(VINDLE_MODULE, RTLD_NOW | RTLD_NOLOAD);
    auto canUnloadNow = reinterpret_cast<HRESULT (*)()>(dlsym(module, "DllCanUnloadNow"));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(scrab->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
    dlclose(module);
}

TEST_F(ScrabObject, ShowIconFailsWithError9OnlyWhileASurfaceIsRegistered)
{
    _CScrab *browser = create();
    BSTR path = platform::allocBstr(std::string_view(m_library));
    BYTE modal = 0;
    BSTR index = nullptr;
    ASSERT_EQ(browser->vindle(&path, &modal, &index), S_OK); // the window registers its surface
    ASSERT_NE(browserWindow(), nullptr);
    EXPECT_EQ(platform::bstrText(index), u"0");
    SysFreeString(index);

    _CScrab *scrab = create();
    enmSizeIcon large = LargeIcon;
    EXPECT_EQ(callSlot(scrab, ShowIconSlot, LONG{0}, &large), error9); // no FileName yet
    scrab->put_FileName(path);
    EXPECT_EQ(callSlot(scrab, ShowIconSlot, LONG{3}, &large), S_OK); // the empty last slot
    EXPECT_EQ(callSlot(scrab, ShowIconSlot, LONG{4}, &large), error9);
    EXPECT_EQ(callSlot(scrab, ShowIconSlot, LONG{-1}, &large), error9);
    EXPECT_EQ(large, LargeIcon);

    EXCEPINFO exception{};
    LONG size = 16;
    EXPECT_EQ(invoke(scrab, "ShowIcon", DISPATCH_METHOD, {number(VT_I2, 7), byRef(VT_I4, &size)},
                     nullptr, &exception),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, error9);
    EXPECT_EQ(platform::utf16ToUtf8(platform::bstrText(exception.bstrDescription)),
              "Subscript out of range");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);

    closeBrowser(); // the surface goes with the window
    EXPECT_EQ(scrab->ShowIcon(0, &large), error91);
    SysFreeString(path);
    scrab->Release();
    browser->Release();
}

TEST_F(ScrabObject, DispatchFindsMembersByNameAndConvertsArguments)
{
    _CScrab *scrab = create();
    std::u16string member = u"showicon", parameter = u"SIZEICON", unknown = u"Nope";
    LPOLESTR names[] = {member.data(), parameter.data()};
    DISPID ids[2] = {};
    ASSERT_EQ(scrab->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_ShowIcon);
    EXPECT_EQ(ids[1], 1);
    names[0] = unknown.data();
    EXPECT_EQ(scrab->GetIDsOfNames(IID_NULL, names, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);

    // A script passes its variables as references to VARIANTs.
    VARIANT held = text(platform::allocBstr(std::string_view(m_library)));
    ASSERT_EQ(invoke(scrab, "FileName", DISPATCH_PROPERTYPUT, {byRef(VT_VARIANT, &held)}), S_OK);
    VariantClear(&held);
    VARIANT result;
    ASSERT_EQ(invoke(scrab, "numbericons", DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 3);
    ASSERT_EQ(invoke(scrab, "FILENAME", DISPATCH_PROPERTYGET, {}, &result), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(platform::utf16ToUtf8(platform::bstrText(result.bstrVal)), m_library);
    VariantClear(&result);

    BSTR bad = platform::allocBstr(std::string_view("abc"));
    UINT argError = 99;
    EXPECT_EQ(invoke(scrab, "ShowIcon", DISPATCH_METHOD, {text(bad), number(VT_UI1, 16)}, nullptr,
                     nullptr, &argError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 1u); // the first argument, last in the array
    SysFreeString(bad);
    EXPECT_EQ(invoke(scrab, "ShowIcon", DISPATCH_METHOD, {number(VT_I4, 0)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(scrab, "NumberIcons", DISPATCH_PROPERTYPUT, {number(VT_I4, 5)}),
              DISP_E_MEMBERNOTFOUND);
    DISPPARAMS missing{nullptr, nullptr, 2, 0}; // a count without the arguments
    EXPECT_EQ(scrab->Invoke(DISPID_ShowIcon, IID_NULL, 0, DISPATCH_METHOD, &missing, nullptr,
                            nullptr, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(invoke(scrab, "vindle", DISPATCH_METHOD, {number(VT_I4, 1), number(VT_I4, 256)},
                     nullptr, nullptr, &argError),
              DISP_E_OVERFLOW);
    EXPECT_EQ(argError, 0u);
    scrab->Release();
}

TEST_F(ScrabObject, ClientBrowseReturnsTheChoiceAndThenKeepsIt)
{
    QTimer::singleShot(0, [] {
        QWidget *window = browserWindow();
        ASSERT_NE(window, nullptr);
        auto *list = window->findChild<QAbstractItemView *>("ListView1_icons");
        list->setCurrentIndex(list->model()->index(2, 0));
        window->findChild<QPushButton *>("Command2")->click();
    });
    vindleclient::Result chosen = vindleclient::browse(m_library);
    EXPECT_TRUE(chosen.ok) << chosen.error;
    EXPECT_EQ(chosen.index, "2");

    QTimer::singleShot(0, [] { browserWindow()->close(); });
    chosen = vindleclient::browse(m_library);
    EXPECT_TRUE(chosen.ok);
    EXPECT_EQ(chosen.index, "2"); // closed without choosing: the thread's previous choice

    ASSERT_TRUE(platform::registerServer(VINDLE_MODULE, true).ok());
    chosen = vindleclient::browse(m_library);
    EXPECT_FALSE(chosen.ok);
    EXPECT_NE(chosen.error.find("class not registered"), std::string::npos) << chosen.error;
}
