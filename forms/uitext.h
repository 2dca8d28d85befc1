#pragma once

#include <string>
#include <vector>

// Texts of the program that are no caption of the 52: the words the apply button's caption is
// composed of, message boxes, the about box and the icon browser. A language file carries them
// from line 58 on, in this order; a line the file lacks, or leaves empty, keeps the Russian text.
enum class UiText {
    MakeHead = 58,  // "Сделать:", the composed caption's first line
    MakeIcon,       // "иконку"
    MakeTip,        // "подсказку"
    MakeBackground, // "фон папки"
    ErrorTitle,     // "Ошибка"
    NoIconPath,
    NoPicturePath,
    NoInfoTip,
    NoLibrary,       // first line of the question
    ChooseAnother,   // its second line
    BrowserFailed,   // followed by the reason
    AboutProgram,    // the about box's first line
    AboutVersion,    // followed by the revision
    AboutNewVersion, // followed by the web site
    AboutFeedback,   // followed by the address
    MoreFolders,     // "... и ещё папок: ", followed by a count
    StopButton,      // the progress window's button
    Stopped,         // first line of the report of a stopped run
    FoldersDone,     // "Готово папок: %1 из %2"
    BrowserTitle,
    BrowserChoose,
    BrowserRefresh, // the button and the menu item
    BrowserIndex,   // the caption before the index
    BrowserFileMenu,
    BrowserGetPath,
    BrowserViewMenu,
    BrowserLargeIcons,
    BrowserList,
    BrowserTable,
    BrowserIconColumn,
    BrowserIndexColumn,
    Last = BrowserIndexColumn,
};

namespace forms
{

// The text shown now for `id` (of the program's own, before BrowserTitle), UTF-8.
std::string uiText(UiText id);

// Takes the texts from a language file's lines (line N is lines[N - 1]).
void setUiTexts(const std::vector<std::string> &lines);

// The icon browser's texts in order, from the lines last given; an empty one keeps its own.
std::vector<std::string> browserTexts();

} // namespace forms
