#pragma once

#include "applylanguage.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace engine
{
class Settings;
}

// The language dialog: lists the language files, applies one on request, remembers the choice.
class Form5 : public QDialog
{
    Q_OBJECT

public:
    Form5(LanguageWindows windows, engine::Settings &settings, QWidget *parent = nullptr);

    // Runs the load step on the first call only, then shows the dialog modally.
    int openDialog();

    // Reads the file of List1's entry `index` into List2 (entry 0, Russian, gives the built-in
    // texts); false (with a message when the file cannot be read) when there is no such entry or
    // the file cannot be read.
    bool loadlanguage(int index);
    // Sets the 52 texts from List2 on every window.
    void applylanguage();

    const QStringList &lines() const { return m_List2; }

    // Where language files are searched, in order: the current directory, then the installed
    // data directory (RAVO2_LANGUAGE_DIR when set); each existing folder once.
    static QStringList languageFolders();

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void listLanguageFiles();
    int selectedRow() const; // the selected entry of List1; -1 when none is

    LanguageWindows m_windows;    // the windows the texts go to, this one included
    engine::Settings &m_settings; // holds "language"
    bool m_loaded = false;        // the load step runs on the first opening only
    QStringList m_builtIn;        // the texts the windows had before any language file
    QListWidget *m_List1;         // Russian, then the language files found, by language name
    QPushButton *m_Command1;      // "Установить": load and apply the selected file
    QPushButton *m_Command2;      // "Отмена": store the selected position and hide
    QStringList m_List2;          // lines of the file loaded last, in file order
};
