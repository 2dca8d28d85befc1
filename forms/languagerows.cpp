#include "forms/languagerows.h"

#include "forms/uitext.h"

namespace forms
{

namespace
{

using Target = LanguageRow::Target;

constexpr std::array<LanguageRow, 52> kRows{{
    {6, 1, "mnuAbout", Target::Caption},
    {7, 1, "mnuDir", Target::Caption},
    {8, 1, "mnuDireditlist", Target::Caption},
    {9, 1, "mnuDirSeldir", Target::Caption},
    {10, 1, "mnuFile", Target::Caption},
    {11, 1, "mnuFileicoby", Target::Caption},
    {12, 1, "mnuFileicobyFile", Target::Caption},
    {13, 1, "mnuFileicobyLib", Target::Caption},
    {14, 1, "mnuFileSelfile", Target::Caption},
    {15, 1, "mnuHlp", Target::Caption},
    {16, 1, "mnuLng", Target::Caption},
    {17, 1, "mnuLngSel", Target::Caption},
    {18, 1, "mnuPref", Target::Caption},
    {19, 1, "mnuPrefOpt", Target::Caption},
    {20, 1, "Frame1", Target::Caption},
    {21, 1, "Frame2", Target::Caption},
    {22, 1, "Frame3", Target::Caption},
    {23, 1, "Frame4", Target::Caption},
    {24, 1, "Frame8", Target::Caption},
    {25, 1, "Option1", Target::Caption},
    {26, 1, "Option2", Target::Caption},
    {27, 1, "Command3", Target::Caption},
    {28, 1, "Command4", Target::Caption},
    {29, 1, "Command6", Target::Caption},
    {30, 1, "Label1_0", Target::Caption},
    {31, 1, "Label1_1", Target::Caption},
    {32, 2, "", Target::WindowTitle},
    {33, 2, "Command1", Target::Caption},
    {34, 2, "Command2", Target::Caption},
    {35, 2, "Command3", Target::Caption},
    {36, 3, "", Target::WindowTitle},
    {37, 3, "Command1", Target::Caption},
    {38, 3, "Command2", Target::Caption},
    {39, 3, "Command3", Target::Caption},
    {40, 4, "", Target::WindowTitle},
    {41, 4, "Check1", Target::Caption},
    {42, 4, "Check2", Target::Caption},
    {43, 4, "Option1", Target::Caption},
    {44, 4, "Option2", Target::Caption},
    {45, 4, "Option3", Target::Caption},
    {46, 4, "Option4", Target::Caption},
    {47, 4, "Command2", Target::Caption},
    {48, 4, "Frame1", Target::Caption},
    {49, 5, "", Target::WindowTitle},
    {50, 5, "Command1", Target::Caption},
    {51, 5, "Command2", Target::Caption},
    {52, 5, "List1", Target::Selection},
    {53, 6, "", Target::WindowTitle},
    {54, 6, "Command1", Target::Caption},
    {55, 6, "Command2", Target::Caption},
    {56, 6, "Check1", Target::Caption},
    {57, 6, "Label1", Target::Caption},
}};

} // namespace

const std::array<LanguageRow, 52> &languageRows()
{
    return kRows;
}

void applylanguage(LanguageTargets &windows, const std::vector<std::string> &lines)
{
    for (const LanguageRow &row : kRows) {
        const auto index = static_cast<std::size_t>(row.line - 1);
        // A line the file lacks empties its caption rather than keeping the last one.
        windows.setText(row, index < lines.size() ? lines[index] : std::string());
    }
    setUiTexts(lines);
    windows.languageApplied(lines);
}

std::vector<std::string> shownLines(const LanguageTargets &windows)
{
    std::vector<std::string> lines;
    for (const LanguageRow &row : kRows) {
        lines.resize(static_cast<std::size_t>(row.line - 1));
        lines.push_back(windows.text(row));
    }
    return lines;
}

} // namespace forms
