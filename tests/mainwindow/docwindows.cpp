#include "docwindows.h"

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/form6.h"
#include "engine/settings.h"
#include "iconfixtures.h"
#include "mainwindow/form1.h"
#include "vindle/componentservices.h"
#include "vindle/form1.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace
{

void fillExample(Form1 &form, const QString &folder)
{
    auto *text1 = form.findChild<QComboBox *>("Text1");
    text1->addItem(folder);
    text1->setEditText(folder);
    form.findChild<QLineEdit *>("Text2")->setText(QStringLiteral("C:\\Icons\\folder.ico"));
    form.findChild<QLineEdit *>("Text4")->setText(QStringLiteral("Фотографии с дачи"));
}

} // namespace

bool showDocWindows(const std::function<bool(const QString &, QWidget *)> &each)
{
    QTemporaryDir config; // the windows never touch the user's settings
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // A fixed example folder keeps the pictures the same from run to run.
    const QDir scratch(QDir::tempPath() + QStringLiteral("/ravo2-screenshots"));
    QDir example(scratch.filePath(QStringLiteral("Фото отпуска")));
    example.mkpath(QStringLiteral("."));
    const QString library = scratch.filePath(QStringLiteral("icons.dll"));
    iconfixtures::writeFile(library.toStdString(),
                            iconfixtures::buildModule(iconfixtures::plainModule(5)));

    Form1 form;
    form.load();
    fillExample(form, QDir::toNativeSeparators(example.path()) + QDir::separator());
    bool ok = each(QStringLiteral("form1-file.png"), &form);
    form.findChild<QRadioButton *>("Option2")->setChecked(true);
    form.findChild<QLineEdit *>("Text3")->setText(QStringLiteral("3"));
    ok = ok && each(QStringLiteral("form1-library.png"), &form);

    const auto dialog = [&](const QString &picture, QWidget *window) {
        ok = ok && each(picture, window);
        window->hide();
    };
    // The picker shows system folders, the same on every machine, after a go-to.
    form.picker()
        ->findChild<QLineEdit *>(QStringLiteral("Text1"))
        ->setText(QStringLiteral("/usr/share"));
    form.picker()->findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    dialog(QStringLiteral("form2-folder-picker.png"), form.picker());
    form.folderList()->buildList();
    dialog(QStringLiteral("form3-folder-list.png"), form.folderList());
    dialog(QStringLiteral("form4-options.png"), form.options());
    dialog(QStringLiteral("form6-remove-choice.png"), form.removeChoice());

    const vindle::ComponentServices services = vindle::componentServices();
    if (ok && SUCCEEDED(services.browser.open(library.toStdU16String(), 0)))
        dialog(QStringLiteral("vindle-browser-linux.png"), vindle::Form1::threadWindow());
    else
        ok = false;
    if (vindle::Form1::threadWindow())
        vindle::Form1::threadWindow()->close();
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QDir(scratch).removeRecursively();
    return ok;
}
