// Grabs the main window in both layouts and each dialog into PNG files for the documentation.
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/form6.h"
#include "engine/settings.h"
#include "mainwindow/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>

namespace
{

bool save(QWidget *window, const QString &folder, const QString &name)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    QTest::qWait(200);
    const QString path = QDir(folder).filePath(name);
    const bool saved = window->grab().save(path);
    std::cout << qPrintable(path) << (saved ? "" : " (failed)") << '\n';
    return saved;
}

void fillExample(Form1 &form, const QString &folder)
{
    auto *text1 = form.findChild<QComboBox *>("Text1");
    text1->addItem(folder);
    text1->setEditText(folder);
    form.findChild<QLineEdit *>("Text2")->setText(QStringLiteral("C:\\Icons\\folder.ico"));
    form.findChild<QLineEdit *>("Text4")->setText(QStringLiteral("Фотографии с дачи"));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir config; // the grabs never touch the user's settings
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QDir().mkpath(out);

    // A fixed example folder keeps the pictures the same from run to run.
    QDir example(QDir::tempPath() + QStringLiteral("/ravo2-screenshots/Фото отпуска"));
    example.mkpath(QStringLiteral("."));
    Form1 form;
    form.load();
    fillExample(form, QDir::toNativeSeparators(example.path()) + QDir::separator());
    bool ok = save(&form, out, QStringLiteral("form1-file.png"));
    form.findChild<QRadioButton *>("Option2")->setChecked(true);
    form.findChild<QLineEdit *>("Text3")->setText(QStringLiteral("3"));
    ok = save(&form, out, QStringLiteral("form1-library.png")) && ok;

    auto *text1 = form.findChild<QComboBox *>("Text1");
    Form2 picker(
        text1, [] {}, &form);
    ok = save(&picker, out, QStringLiteral("form2-folder-picker.png")) && ok;
    picker.hide();
    Form3 list(text1, &form);
    list.buildList();
    ok = save(&list, out, QStringLiteral("form3-folder-list.png")) && ok;
    list.hide();
    ok = save(form.options(), out, QStringLiteral("form4-options.png")) && ok;
    form.options()->hide();
    engine::Settings settings;
    Form6 choice([](const std::string &) {}, settings, &form);
    ok = save(&choice, out, QStringLiteral("form6-remove-choice.png")) && ok;
    QDir(QDir::tempPath() + QStringLiteral("/ravo2-screenshots")).removeRecursively();
    return ok ? 0 : 1;
}
