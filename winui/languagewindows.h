#pragma once

#include "forms/languagerows.h"

#include <string>

namespace winui
{

class Form1;

// The six Win32 windows as the language files reach them: window titles, control captions, the
// main window's menus by name and the language dialog's List1 selection. A dialog not yet made is
// made hidden, so a text set before it is first opened shows when it is.
class LanguageWindows final : public forms::LanguageTargets
{
public:
    explicit LanguageWindows(Form1 &main) : m_main(main) {}

    void setText(const forms::LanguageRow &row, const std::string &text) override;
    std::string text(const forms::LanguageRow &row) const override;

private:
    Form1 &m_main; // owns the other five windows
};

} // namespace winui
