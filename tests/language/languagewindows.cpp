#include "languagewindows.h"

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/form5.h"
#include "dialogs/form6.h"
#include "mainwindow/form1.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSet>

RunWindows::RunWindows() : form1(std::make_unique<Form1>())
{
    auto *folderBox = form1->findChild<QComboBox *>("Text1");
    form2 = new Form2(
        folderBox, [this] { actions << "readfolderini"; }, form1.get());
    form2->setObjectName("Form2");
    form3 = new Form3(folderBox, form1.get());
    form3->setObjectName("Form3");
    form4 = form1->options();
    auto delicon = [this](const std::string &scope) { actions << QString::fromStdString(scope); };
    form6 = new Form6(delicon, form1->settings(), form1.get());
    form6->setObjectName("Form6");
    form5 = new Form5(windows(), form1->settings(), form1.get());
}

RunWindows::~RunWindows() = default;

LanguageWindows RunWindows::windows() const
{
    return {form1.get(), form2, form3, form4, form5, form6};
}

QString shownText(QObject *object)
{
    if (auto *action = qobject_cast<QAction *>(object))
        return action->menu<QMenu *>() ? QString() : action->text();
    if (auto *menu = qobject_cast<QMenu *>(object))
        return menu->title();
    if (auto *frame = qobject_cast<QGroupBox *>(object))
        return frame->title();
    if (auto *button = qobject_cast<QAbstractButton *>(object))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(object))
        return label->text();
    return {};
}

QHash<QString, int> shownTexts(const LanguageWindows &windows)
{
    const QList<QWidget *> all{windows.form1, windows.form2, windows.form3,
                               windows.form4, windows.form5, windows.form6};
    QHash<QString, int> counts;
    QSet<QObject *> seen(all.begin(), all.end());
    for (QWidget *window : all) {
        if (!window)
            continue;
        ++counts[window->windowTitle()];
        for (QObject *object : window->findChildren<QObject *>()) {
            if (!seen.contains(object))
                ++counts[shownText(object)];
            seen.insert(object);
        }
    }
    counts.remove(QString());
    return counts;
}

QStringList taggedLines(const QString &tag, int count)
{
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines.append(n == 52 ? QString() : tag + QString::number(n));
    return lines;
}
