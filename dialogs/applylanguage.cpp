#include "applylanguage.h"

#include "dialogs/uitexts.h"

#include <QLabel>
#include <QListWidget>
#include <QQueue>

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

QWidget *windowOf(const LanguageWindows &windows, int window)
{
    const std::array<QWidget *, 6> all{windows.form1, windows.form2, windows.form3,
                                       windows.form4, windows.form5, windows.form6};
    return window >= 1 && window <= 6 ? all[window - 1] : nullptr;
}

// Finds the shallowest descendant named `name`, never looking inside another of the six windows
// (a dialog parented to the main window has its own Command1, Option1 …).
QObject *findControl(QWidget *window, const QString &name, const LanguageWindows &windows)
{
    QQueue<QObject *> pending;
    pending.enqueue(window);
    while (!pending.isEmpty()) {
        for (QObject *child : pending.dequeue()->children()) {
            bool isOtherWindow = false;
            for (int w = 1; w <= 6; ++w)
                isOtherWindow |= child != window && child == windowOf(windows, w);
            if (isOtherWindow)
                continue;
            if (child->objectName() == name)
                return child;
            pending.enqueue(child);
        }
    }
    return nullptr;
}

// Buttons, actions and labels have "text"; menus and frames have "title".
const char *captionProperty(const QObject *control)
{
    return control->metaObject()->indexOfProperty("text") >= 0 ? "text" : "title";
}

void setCaption(QObject *control, const QString &text)
{
    // Language texts are verbatim, never markup.
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setTextFormat(Qt::PlainText);
    const char *property = captionProperty(control);
    if (control->metaObject()->indexOfProperty(property) >= 0)
        control->setProperty(property, text);
}

void selectEntry(QObject *control, const QString &text)
{
    auto *list = qobject_cast<QListWidget *>(control);
    if (!list)
        return;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == text) {
            list->setCurrentRow(row);
            return;
        }
    }
}

} // namespace

const std::array<LanguageRow, 52> &languageRows()
{
    return kRows;
}

void applylanguage(const LanguageWindows &windows, const QStringList &lines)
{
    for (const LanguageRow &row : kRows) {
        QWidget *window = windowOf(windows, row.window);
        if (!window)
            continue;
        const QString text = lines.value(row.line - 1);
        if (row.target == Target::WindowTitle) {
            window->setWindowTitle(text);
            continue;
        }
        QObject *control = findControl(window, QString::fromLatin1(row.objectName), windows);
        if (!control)
            continue;
        if (row.target == Target::Selection)
            selectEntry(control, text);
        else
            setCaption(control, text);
    }
    setUiTexts(lines);
}

QStringList shownLines(const LanguageWindows &windows)
{
    QStringList lines;
    for (const LanguageRow &row : kRows) {
        while (lines.size() < row.line - 1)
            lines.append(QString());
        QWidget *window = windowOf(windows, row.window);
        QObject *control =
            window ? findControl(window, QString::fromLatin1(row.objectName), windows) : nullptr;
        if (window && row.target == Target::WindowTitle) {
            lines.append(window->windowTitle());
        } else if (auto *list = qobject_cast<QListWidget *>(control)) {
            const QList<QListWidgetItem *> selected = list->selectedItems();
            lines.append(selected.isEmpty() ? QString() : selected.first()->text());
        } else {
            lines.append(control ? control->property(captionProperty(control)).toString()
                                 : QString());
        }
    }
    return lines;
}
