#pragma once

#include "forms/languagerows.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// The six windows whose texts a language file replaces; any may be null (its rows are skipped).
struct LanguageWindows {
    QPointer<QWidget> form1; // main window
    QPointer<QWidget> form2; // folder picker
    QPointer<QWidget> form3; // folder list
    QPointer<QWidget> form4; // options
    QPointer<QWidget> form5; // language dialog
    QPointer<QWidget> form6; // remove choice
};

// The six Qt windows as the language rows reach them: a control by its objectName, looked up in
// its own window only.
class QtLanguageTargets : public forms::LanguageTargets
{
public:
    explicit QtLanguageTargets(const LanguageWindows &windows) : m_windows(windows) {}

    void setText(const forms::LanguageRow &row, const std::string &text) override;
    std::string text(const forms::LanguageRow &row) const override;
    // The program's own texts and the browser's, which reads them from the application.
    void languageApplied(const std::vector<std::string> &lines) override;

    LanguageWindows &windows() { return m_windows; }

private:
    QWidget *window(int number) const;
    QObject *control(const forms::LanguageRow &row) const;

    LanguageWindows m_windows; // the windows the texts go to
};

// Sets the 52 texts from `lines` (line N is lines[N - 1]; missing lines give the empty text) on
// every window, open or not, without showing any; a control that cannot be found is skipped.
void applylanguage(const LanguageWindows &windows, const QStringList &lines);

// What the 52 rows show now, as the lines of a language file (lines 1 to 5 empty) that gives the
// windows back these texts when applied.
QStringList shownLines(const LanguageWindows &windows);
