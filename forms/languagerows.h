#pragma once

#include <array>
#include <string>
#include <vector>

namespace forms
{

// One text of a language file: its line, the window and control it goes to, and how it is set.
struct LanguageRow {
    enum class Target { WindowTitle, Caption, Selection };

    int line;               // 1-based line of the language file
    int window;             // 1 to 6: Form1 to Form6
    const char *objectName; // the control's name; empty for the window itself
    Target target;          // window title, caption (text or title), or List1's selection text
};

// The 52 rows in the order they are applied, line 6 first.
const std::array<LanguageRow, 52> &languageRows();

// The six windows as a front-end has them, reached by window number and control name. A window
// or control that does not exist is skipped: its methods do nothing and read as empty.
class LanguageTargets
{
public:
    virtual ~LanguageTargets() = default;
    virtual void setText(const LanguageRow &row, const std::string &text) = 0;
    virtual std::string text(const LanguageRow &row) const = 0; // what the row shows now
    // After a language was applied: what the front-end keeps beyond the 52 (the browser's texts).
    virtual void languageApplied(const std::vector<std::string> & /*lines*/) {}
};

// Sets the 52 texts from `lines` (line N is lines[N - 1]; missing lines give the empty text) on
// every window, open or not, then the program's further texts (line 58 on).
void applylanguage(LanguageTargets &windows, const std::vector<std::string> &lines);

// What the 52 rows show now, as the lines of a language file (lines 1 to 5 empty) that gives the
// windows back these texts when applied.
std::vector<std::string> shownLines(const LanguageTargets &windows);

} // namespace forms
