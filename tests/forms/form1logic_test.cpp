#include "forms/form1logic.h"
#include "forms/uitext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A language file's lines with only the count's text given (line N is lines[N - 1]).
std::vector<std::string> countLine(const std::string &text)
{
    std::vector<std::string> lines(static_cast<int>(UiText::FoldersDone));
    lines.back() = text;
    return lines;
}

} // namespace

// The words of a long run: the count and the report of a stopped one, in any language's order.
TEST(Form1Logic, CountAndStopReportFillTheMarkersInNumberOrder)
{
    const struct {
        const char *text; // line 76 of the language file; empty keeps the Russian one
        const char *count, *report;
    } cases[] = {
        {"", "Готово папок: 3 из 20", "Остановлено.\rГотово папок: 3 из 20"},
        {"%2 folders, %1 done (%1)", "20 folders, 3 done (3)",
         "Остановлено.\r20 folders, 3 done (3)"},
        {"%2 of %3", "3 of 20", "Остановлено.\r3 of 20"}, // the lowest marker takes the count
    };
    for (const auto &c : cases) {
        forms::setUiTexts(countLine(c.text));
        EXPECT_EQ(forms::Form1Logic::countText(3, 20), c.count) << c.text;
        EXPECT_EQ(forms::Form1Logic::stopReport({3, 20, true}), c.report) << c.text;
        EXPECT_EQ(forms::Form1Logic::stopReport({20, 20, false}), "") << c.text;
    }
    forms::setUiTexts({});
}
