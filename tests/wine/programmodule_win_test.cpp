// The loader's failure as the program prints it: the system's text on one line.
#include "platform/programmodule.h"

#include <gtest/gtest.h>

TEST(ProgramModuleWin, AMissingModuleReadsAsOneLineNamingIt)
{
    platform::ProgramModule missing("ravo2-no-such-module");
    ASSERT_FALSE(missing.load());
    const std::string &error = missing.error();
    EXPECT_EQ(error.rfind("ravo2-no-such-module.dll: ", 0), 0u) << error;
    EXPECT_GT(error.size(), std::string("ravo2-no-such-module.dll: ").size()) << "no system text";
    EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos) << error;
}
