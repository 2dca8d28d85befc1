#include "applylanguage.h"

#include "dialogs/uitexts.h"

#include <QLabel>
#include <QListWidget>
#include <QQueue>

#include <algorithm>
#include <array>

namespace
{

using Target = forms::LanguageRow::Target;

// Finds the shallowest descendant named `name`, never looking inside another of the six windows
// (a dialog parented to the main window has its own Command1, Option1 …).
QObject *findControl(QWidget *window, const QString &name, const std::array<QWidget *, 6> &all)
{
    QQueue<QObject *> pending;
    pending.enqueue(window);
    while (!pending.isEmpty()) {
        for (QObject *child : pending.dequeue()->children()) {
            if (child != window && std::find(all.begin(), all.end(), child) != all.end())
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

std::vector<std::string> toStd(const QStringList &lines)
{
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString &line : lines)
        result.push_back(line.toStdString());
    return result;
}

QStringList toQt(const std::vector<std::string> &lines)
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string &line : lines)
        result.append(QString::fromStdString(line));
    return result;
}

} // namespace

QWidget *QtLanguageTargets::window(int number) const
{
    const std::array<QPointer<QWidget>, 6> all{m_windows.form1, m_windows.form2, m_windows.form3,
                                               m_windows.form4, m_windows.form5, m_windows.form6};
    return number >= 1 && number <= 6 ? all[number - 1].data() : nullptr;
}

QObject *QtLanguageTargets::control(const forms::LanguageRow &row) const
{
    QWidget *own = window(row.window);
    if (!own)
        return nullptr;
    std::array<QWidget *, 6> all{};
    for (int number = 1; number <= 6; ++number)
        all[number - 1] = window(number);
    return findControl(own, QString::fromLatin1(row.objectName), all);
}

void QtLanguageTargets::setText(const forms::LanguageRow &row, const std::string &text)
{
    QWidget *own = window(row.window);
    if (!own)
        return;
    const QString shown = QString::fromStdString(text);
    if (row.target == Target::WindowTitle) {
        own->setWindowTitle(shown);
        return;
    }
    QObject *found = control(row);
    if (!found)
        return;
    if (row.target == Target::Selection)
        selectEntry(found, shown);
    else
        setCaption(found, shown);
}

std::string QtLanguageTargets::text(const forms::LanguageRow &row) const
{
    QWidget *own = window(row.window);
    if (own && row.target == Target::WindowTitle)
        return own->windowTitle().toStdString();
    QObject *found = control(row);
    if (auto *list = qobject_cast<QListWidget *>(found)) {
        const QList<QListWidgetItem *> selected = list->selectedItems();
        return selected.isEmpty() ? std::string() : selected.first()->text().toStdString();
    }
    return found ? found->property(captionProperty(found)).toString().toStdString() : std::string();
}

void QtLanguageTargets::languageApplied(const std::vector<std::string> &lines)
{
    setUiTexts(toQt(lines));
}

void applylanguage(const LanguageWindows &windows, const QStringList &lines)
{
    QtLanguageTargets targets(windows);
    forms::applylanguage(targets, toStd(lines));
}

QStringList shownLines(const LanguageWindows &windows)
{
    return toQt(forms::shownLines(QtLanguageTargets(windows)));
}
