// The texts the Win32 windows hand to the system: chooser filters and line breaks.
#include "winui/prompttext.h"

#include <gtest/gtest.h>

namespace
{

struct FilterCase {
    const char *filter;
    std::wstring expected;
};

TEST(PromptText, FiltersBecomeNulSeparatedPairsEndedByTwoNuls)
{
    using namespace std::string_literals;
    const FilterCase cases[] = {
        // The start filter: one entry whose text leaves out jpg and gif, its patterns do not.
        {"*.ico;*.cur;*.ani;*.bmp;*.wmf;*.emf|*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|",
         L"*.ico;*.cur;*.ani;*.bmp;*.wmf;*.emf\0*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf\0\0"s},
        {"*.dll;*.exe;*.ocx|*.dll;*.exe;*.ocx|", L"*.dll;*.exe;*.ocx\0*.dll;*.exe;*.ocx\0\0"s},
        // Without the last bar, and with two entries.
        {"Icons|*.ico|All|*.*", L"Icons\0*.ico\0All\0*.*\0\0"s},
        // Cyrillic descriptions arrive as UTF-16, not as their UTF-8 bytes.
        {"Иконки|*.ico|", L"\u0418\u043a\u043e\u043d\u043a\u0438\0*.ico\0\0"s},
        // A description without patterns would end the list at its empty part: it is dropped.
        {"Icons||All|*.*|", L"All\0*.*\0\0"s},
        {"Icons", L""s},
        {"", L""s},
    };
    for (const FilterCase &c : cases)
        EXPECT_EQ(winui::dialogFilter(c.filter), c.expected) << c.filter;
}

TEST(PromptText, LoneCrBreaksLinesAndReadsBackAsLoneCr)
{
    const struct {
        const char *program;
        const wchar_t *shown;
    } cases[] = {
        {"Сделать:\rиконку\rподсказку\r", L"Сделать:\r\nиконку\r\nподсказку\r\n"},
        {"a\r\nb", L"a\r\nb"}, // already a line break: not doubled
        {"a\nb", L"a\nb"},     // a lone LF stays text, as language files keep it
        {"\r\r", L"\r\n\r\n"},
        {"", L""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(winui::displayText(c.program), c.shown) << c.program;
        if (std::string_view(c.program) != "a\r\nb") {
            EXPECT_EQ(winui::programText(winui::displayText(c.program)), c.program) << c.program;
        }
    }
}

} // namespace
