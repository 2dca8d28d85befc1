#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>

// The six windows whose texts a language file replaces; any may be null (its rows are skipped).
struct LanguageWindows {
    QPointer<QWidget> form1; // main window
    QPointer<QWidget> form2; // folder picker
    QPointer<QWidget> form3; // folder list
    QPointer<QWidget> form4; // options
    QPointer<QWidget> form5; // language dialog
    QPointer<QWidget> form6; // remove choice
};

// One text of a language file: its line, the window and control it goes to, and how it is set.
struct LanguageRow {
    enum class Target { WindowTitle, Caption, Selection };

    int line;               // 1-based line of the language file
    int window;             // 1 to 6: Form1 to Form6
    const char *objectName; // the control's objectName; empty for the window itself
    Target target;          // window title, caption (text or title), or List1's selection text
};

// The 52 rows in the order they are applied, line 6 first.
const std::array<LanguageRow, 52> &languageRows();

// Sets the 52 texts from `lines` (line N is lines[N - 1]; missing lines give the empty text) on
// every window, open or not, without showing any; a control that cannot be found is skipped.
void applylanguage(const LanguageWindows &windows, const QStringList &lines);

// What the 52 rows show now, as the lines of a language file (lines 1 to 5 empty) that gives the
// windows back these texts when applied.
QStringList shownLines(const LanguageWindows &windows);
