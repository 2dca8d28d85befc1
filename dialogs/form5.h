#pragma once

#include "dialogs/applylanguage.h"
#include "dialogs/qtformprompts.h"
#include "forms/form5logic.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QListWidget;
class QPushButton;

namespace engine
{
class Settings;
}

// The language dialog: lists the language files, applies one on request, remembers the choice.
class Form5 : public QDialog, public forms::Form5View
{
    Q_OBJECT

public:
    Form5(LanguageWindows windows, engine::Settings &settings, QWidget *parent = nullptr);
    ~Form5() override;

    // Runs the load step on the first call only, then shows the dialog modally.
    int openDialog();

    // Reads the file of List1's entry `index` into List2 (entry 0, Russian, gives the built-in
    // texts); false (with a message when the file cannot be read) when there is no such entry or
    // the file cannot be read.
    bool loadlanguage(int index);
    // Sets the 52 texts from List2 on every window.
    void applylanguage();

    QStringList lines() const; // List2: the lines of the file loaded last

    // Where language files are searched, in order: the current directory, then the installed
    // data directory (RAVO2_LANGUAGE_DIR when set); each existing folder once.
    static QStringList languageFolders();

    forms::Answer message(forms::MessageIcon icon, const std::string &title,
                          const std::string &text, forms::MessageButtons buttons) override;
    std::optional<std::string> openFile(const std::string &filter,
                                        const std::string &initialFile) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    void setEntries(const std::vector<forms::LanguageEntry> &entries) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void close() override;

private:
    QtLanguageTargets m_windows; // the windows the texts go to, this one included
    QtFormPrompts m_prompts;     // the warning of a file that cannot be read
    QListWidget *m_List1;        // Russian, then the language files found
    QPushButton *m_Command1;     // "Установить": load and apply the selected file
    QPushButton *m_Command2;     // "Отмена": store the selected position and hide
    std::unique_ptr<forms::Form5Logic> m_logic; // made once the controls show their texts
};
