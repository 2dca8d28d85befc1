#pragma once

#include "forms/formprompts.h"
#include "forms/languagerows.h"

#include <string>
#include <vector>

namespace engine
{
class Settings;
}

namespace forms
{

// One entry of the language list: the language's name as shown, and its file (empty for Russian).
struct LanguageEntry {
    std::string name; // the file's first line, or its name without ".lng"; a path tells twins apart
    std::string path; // native path of the file
};

// What the language dialog needs from a front-end's window.
class Form5View : public FormPrompts
{
public:
    virtual void setEntries(const std::vector<LanguageEntry> &entries) = 0; // List1
    virtual int selectedRow() const = 0; // -1 when no entry is selected
    virtual void selectRow(int row) = 0;
    virtual void close() = 0;
};

// What the language dialog does: lists the language files, applies one, remembers the choice.
class Form5Logic
{
public:
    // `windows` are the six windows the texts go to; their texts now are the built-in Russian.
    Form5Logic(Form5View &view, LanguageTargets &windows, engine::Settings &settings);

    // Where language files are searched, in order: the current folder, then the installed data
    // folder (RAVO2_LANGUAGE_DIR when set); each existing folder once.
    static std::vector<std::string> languageFolders();
    // Russian first, then each folder's language files sorted by name.
    static std::vector<LanguageEntry> listLanguageFiles();

    void Form_Load(); // lists the files and applies the stored choice; later calls do nothing
    bool loadlanguage(int index); // List1's entry into List2; false (with a message) on failure
    void applylanguage();         // List2's texts onto every window
    void Command1_Click();        // "Установить": load and apply the selected entry
    void Command2_Click();        // "Отмена": store the selected position and hide
    const std::vector<std::string> &lines() const { return m_List2; }

private:
    Form5View &m_view;                  // the dialog's window
    LanguageTargets &m_windows;         // the texts' destinations
    engine::Settings &m_settings;       // holds "language"
    std::vector<LanguageEntry> m_List1; // what List1 lists
    std::vector<std::string> m_builtIn; // the texts the windows had before any language file
    std::vector<std::string> m_List2;   // lines of the file loaded last, in file order
    bool m_loaded = false;              // the load step runs on the first opening only
};

} // namespace forms
