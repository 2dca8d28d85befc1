// A client of the built component: registers it into a temporary XDG_CONFIG_HOME, creates CScrab
// by class identifier alone and drives it through its table of operations.
#include "iconfixtures.h"
#include "platform/componentruntime.h"
#include "platform/componentstrings.h"
#include "vindle/cscrabinterface.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>

namespace
{

const HRESULT notRegistered = static_cast<HRESULT>(0x80040154);

class ComponentRuntime : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_config.isValid());
        setenv("XDG_CONFIG_HOME", m_config.path().toUtf8().constData(), 1);
        m_library = m_config.filePath("pe-three.dll").toStdString();
        ASSERT_TRUE(iconfixtures::writeFile(
            m_library, iconfixtures::buildModule(iconfixtures::plainModule(3))));
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    _CScrab *create()
    {
        _CScrab *scrab = nullptr;
        const auto status =
            platform::createInstance(CLSID_CScrab, IID__CScrab, reinterpret_cast<void **>(&scrab));
        EXPECT_TRUE(status.ok()) << status.message;
        return scrab;
    }
    std::string recordFile() const
    {
        return m_config.filePath("ravo2/components/{8214DF6F-3AD9-48FC-B62D-474DC46911FB}.ini")
            .toStdString();
    }

    QTemporaryDir m_config;
    std::string m_library;
};

} // namespace

TEST(ComponentStrings, GuidsReadAndPrintInTheBracedForm)
{
    const std::string text = "{8214DF6F-3AD9-48FC-B62D-474DC46911FB}";
    const auto guid = platform::parseGuid(text);
    ASSERT_TRUE(guid);
    EXPECT_TRUE(*guid == CLSID_CScrab);
    EXPECT_EQ(platform::guidToString(CLSID_CScrab), text);
    EXPECT_TRUE(platform::parseGuid("{4f448b3c-bfc9-446f-aa4d-525c6fcf25ea}").value() ==
                IID__CScrab);
    for (const char *bad :
         {"8214DF6F-3AD9-48FC-B62D-474DC46911FB", "{8214DF6F-3AD9-48FC-B62D-474DC46911FG}",
          "{8214DF6F-3AD9-48FC-B62D474DC46911FB0}", ""})
        EXPECT_FALSE(platform::parseGuid(bad)) << bad;
}

TEST(ComponentStrings, BstrCarriesItsLengthAndConvertsToAndFromUtf8)
{
    BSTR text = platform::allocBstr(std::string_view("Иконка 😀"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 9u); // the emoji takes two UTF-16 units
    EXPECT_EQ(reinterpret_cast<const std::uint32_t *>(text)[-1], 18u);
    EXPECT_EQ(text[9], 0);
    EXPECT_EQ(platform::utf16ToUtf8(platform::bstrText(text)), "Иконка 😀");
    SysFreeString(text);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_TRUE(platform::bstrText(nullptr).empty());
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(platform::utf8ToUtf16("a\xff"
                                    "b"),
              u"a\uFFFDb");
    EXPECT_EQ(platform::utf16ToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
}

TEST_F(ComponentRuntime, RegistrationWritesTheRecordAndCreationNeedsIt)
{
    void *object = nullptr;
    auto status = platform::createInstance(CLSID_CScrab, IID__CScrab, &object);
    EXPECT_EQ(status.code, notRegistered);
    EXPECT_NE(status.message.find("class not registered"), std::string::npos);
    EXPECT_EQ(object, nullptr);

    ASSERT_TRUE(platform::registerServer(VINDLE_MODULE, false).ok());
    ASSERT_TRUE(std::filesystem::exists(recordFile()));
    const auto record = platform::readClassRecord(CLSID_CScrab);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->serverPath, std::filesystem::canonical(VINDLE_MODULE).string());
    EXPECT_EQ(record->progId, "vindle.CScrab");
    EXPECT_EQ(record->threadingModel, "Apartment");
    _CScrab *scrab = create();
    ASSERT_NE(scrab, nullptr);
    EXPECT_EQ(scrab->Release(), 0u);

    ASSERT_TRUE(platform::registerServer(VINDLE_MODULE, true).ok());
    EXPECT_FALSE(std::filesystem::exists(recordFile()));
    EXPECT_EQ(platform::createInstance(CLSID_CScrab, IID__CScrab, &object).code, notRegistered);
}

TEST_F(ComponentRuntime, LoaderAndInterfaceFailuresComeBackWithAMessage)
{
    const CLSID other = {0x11111111, 0x2222, 0x3333, {4, 4, 5, 5, 6, 6, 7, 7}};
    void *object = nullptr;
    ASSERT_TRUE(
        platform::writeClassRecord({other, "/nonexistent/libnothing.so", "x.y", "Apartment"}).ok());
    auto status = platform::createInstance(other, IID__CScrab, &object);
    EXPECT_EQ(status.code, static_cast<HRESULT>(0x8007007E));
    EXPECT_NE(status.message.find("libnothing.so"), std::string::npos) << status.message;

    ASSERT_TRUE(platform::writeClassRecord({other, VINDLE_REGSVR, "x.y", "Apartment"}).ok());
    status = platform::createInstance(other, IID__CScrab, &object);
    EXPECT_TRUE(FAILED(status.code));

    ASSERT_TRUE(platform::writeClassRecord({other, VINDLE_MODULE, "x.y", "Apartment"}).ok());
    EXPECT_EQ(platform::createInstance(other, IID__CScrab, &object).code,
              static_cast<HRESULT>(0x80040111)); // the module serves CScrab only

    ASSERT_TRUE(platform::registerServer(VINDLE_MODULE, false).ok());
    status = platform::createInstance(CLSID_CScrab, other, &object);
    EXPECT_EQ(status.code, E_NOINTERFACE);
    EXPECT_NE(status.message.find("no such interface"), std::string::npos);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ComponentRuntime, RegistrationToolRegistersAndUnregisters)
{
    const std::string tool = VINDLE_REGSVR;
    EXPECT_EQ(std::system((tool + " " VINDLE_MODULE " >/dev/null").c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(recordFile()));
    EXPECT_EQ(std::system((tool + " /u " VINDLE_MODULE " >/dev/null").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(recordFile()));
    EXPECT_EQ(WEXITSTATUS(std::system((tool + " /nonexistent.so 2>/dev/null").c_str())), 3);
    EXPECT_EQ(WEXITSTATUS(std::system((tool + " 2>/dev/null").c_str())), 1);
}
