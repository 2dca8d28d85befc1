// Plays a user at ravo2.exe's windows from another process, through the windows' own messages:
// folders chosen with the picker, the icon from a file and from a library, the info tip, the
// background and its colour, apply, read back, remove with the remove choice, options, the folder
// list, the about box and a language file. Prints one line per check ("ok" or "FAIL").
//   ravo2windows_driver RAVO2EXE WORKFOLDER REVISION BROWSER [SHOTFOLDER]
// WORKFOLDER holds run\ (the program's current folder, with its language files), pics\folder.ico,
// pics\sky.bmp and the empty folders a\ and b\. BROWSER 1: the component is registered and its
// browser is played too. The desktop.ini files written are copied to written\<case>.ini and their
// requests listed in written\requests.txt for the comparison with the Linux build; many\0 ...
// many\1499 make a run long enough to show its progress.
#include "promptanswers.h"
#include "ravo2session.h"
#include "remotewindows.h"
#include "winui/controlids.h"

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace ids = winui::ids;
using remote::narrow;

namespace
{

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\ravo2";
constexpr wchar_t kTip[] = L"Фото за 2024 год";
constexpr wchar_t kLibrary[] = L"C:\\windows\\system32\\shell32.dll";
constexpr int kManyFolders = 1500; // the script makes many\0 ... many\1499

// A caption as set, with the CR LF a multi-line control may need read back as the lone CR.
std::wstring caption(HWND control)
{
    std::wstring text = remote::text(control);
    for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
        text.erase(at + 1, 1);
    return text;
}

bool waitCaption(HWND control, const std::wstring &want, int milliseconds = 5000)
{
    return remote::waitUntil([&] { return caption(control) == want; }, milliseconds);
}

bool waitChecked(HWND button, bool want, int milliseconds = 3000)
{
    return remote::waitUntil([&] { return remote::isChecked(button) == want; }, milliseconds);
}

bool exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool waitExists(const std::wstring &path, bool want, int milliseconds = 10000)
{
    return remote::waitUntil([&] { return exists(path) == want; }, milliseconds);
}

std::string quoted(const std::wstring &text)
{
    return "\"" + narrow(text) + "\"";
}

class Flows
{
public:
    Flows(Ravo2Session &session, std::wstring revision, bool browser)
        : s(session), m_revision(std::move(revision)), m_browser(browser)
    {
    }
    void startState();
    void fieldsTickTheirBoxes();
    void chooseFolders();
    void iconFileTipPictureColour();
    void apply(const std::string &name, const std::wstring &icon, bool nt9x);
    void readBack();
    void missingIconAsksAndChooses();
    void libraryLayout();
    void options9x();
    void folderList();
    void removeChoice();
    void progressAndClear();
    void aboutBox();
    void singleCopy();
    void language();

private:
    HWND c(int id) const { return s.mainControl(id); }
    bool chooseFile(int button, const std::wstring &file, HWND field);
    void faceColoured(HWND window, const Screenshot &shot, std::initializer_list<int> controls);
    void record(const std::string &name, const std::wstring &icon, bool nt9x);

    Ravo2Session &s;
    std::wstring m_revision;
    bool m_browser;
    int m_pixelsPerTwips360 = 24;
    Screenshot m_fileLayout;          // the main window in the file layout, filled in
    std::string m_libraryIndex = "0"; // what the index field holds
};

void Flows::startState()
{
    s.check(remote::text(s.main()) == L"Ravo ver. 2.0." + m_revision,
            "the title is " + quoted(remote::text(s.main())));
    s.check(waitChecked(c(ids::Option1), true) && !remote::isChecked(c(ids::Option2)),
            "the icon comes from a file at start");
    for (const int id : {ids::Check1, ids::Check2, ids::Check3})
        s.check(!remote::isChecked(c(id)), "make box " + std::to_string(id) + " unticked at start");
    s.check(!remote::isVisible(c(ids::Text3)) && remote::text(c(ids::Text3)) == L"0",
            "the index field is hidden and holds 0");
    const std::pair<int, const wchar_t *> captions[] = {
        {ids::Frame1, L"Путь к папке"},
        {ids::Frame2, L"Путь к файлу иконки"},
        {ids::Frame3, L"Иконки из"},
        {ids::Frame4, L"Всплывающая подсказка"},
        {ids::Frame8, L"Путь к файлу рисунку для фона"},
        {ids::Option1, L"Файла"},
        {ids::Option2, L"Библиотеки"},
        {ids::Command3, L"Сделать:"},
        {ids::Command4, L"Удалить иконку"},
        {ids::Command6, L"Иконки в библиотеке"},
        {ids::Label1_0, L"Индекс"},
        {ids::Label1_1, L"Цвет имен файлов и папок:"},
    };
    for (const auto &[id, text] : captions)
        s.check(caption(c(id)) == text, "control " + std::to_string(id) + " reads " + quoted(text) +
                                            ": " + quoted(caption(c(id))));
    HDC screen = GetDC(nullptr);
    m_pixelsPerTwips360 = MulDiv(360, GetDeviceCaps(screen, LOGPIXELSY), 1440);
    ReleaseDC(nullptr, screen);
}

// Each text field ticks its make box while it holds text; the apply caption lists the boxes in
// their fixed order; a ticked box is drawn differently from an unticked one.
void Flows::fieldsTickTheirBoxes()
{
    struct Row {
        int field;
        int box;
        const wchar_t *word;
    };
    const Row rows[] = {
        {ids::Text2, ids::Check2, L"иконку\r"},
        {ids::Text4, ids::Check1, L"подсказку\r"},
        {ids::Text5, ids::Check3, L"фон папки"},
    };
    std::wstring all = L"Сделать:\r";
    for (const Row &row : rows) {
        const Screenshot unticked = s.shoot(c(row.box));
        remote::setText(c(row.field), L"x");
        s.check(waitChecked(c(row.box), true),
                "text in " + std::to_string(row.field) + " ticks box " + std::to_string(row.box));
        s.check(s.shoot(c(row.box)).differing(unticked) > 0,
                "box " + std::to_string(row.box) + " looks ticked");
        all += row.word;
    }
    s.check(waitCaption(c(ids::Command3), all),
            "the apply button reads " + quoted(all) + ": " + quoted(caption(c(ids::Command3))));
    for (const Row &row : rows) {
        remote::setText(c(row.field), L"");
        s.check(waitChecked(c(row.box), false), "emptying " + std::to_string(row.field) +
                                                    " unticks box " + std::to_string(row.box));
    }
    s.check(waitCaption(c(ids::Command3), L"Сделать:\r"), "the apply button reads the word alone");
}

// The picker's go-to field and "Выбрать" add each folder with its backslash and make it current.
void Flows::chooseFolders()
{
    remote::click(c(ids::Command1));
    HWND picker = s.waitDialog(L"Выбор папки...");
    if (!s.check(picker != nullptr, "\"...\" opens the folder picker"))
        return;
    // A fresh picker starts at the user's folder inside the prefix: the same picture everywhere.
    HWND label = remote::control(picker, ids::dlgLabel1);
    s.check(remote::waitUntil([&] { return !remote::text(label).empty(); }),
            "the picker starts at " + quoted(remote::text(label)));
    s.shoot(picker, L"windows-form2-folder-picker");
    HWND folderBox = c(ids::Text1);
    int added = 0;
    for (const wchar_t *name : {L"a", L"b"}) {
        const std::wstring folder = s.path(name);
        remote::setText(remote::control(picker, ids::dlgText1), folder);
        remote::click(remote::control(picker, ids::dlgCommand3));
        const bool selected = remote::waitUntil([&] {
            return CompareStringOrdinal(remote::text(label).c_str(), -1, folder.c_str(), -1,
                                        TRUE) == CSTR_EQUAL;
        });
        s.check(selected,
                "\"Перейти к...\" selects " + narrow(folder) + ": " + quoted(remote::text(label)));
        remote::click(remote::control(picker, ids::dlgCommand1));
        ++added;
        s.check(
            remote::waitUntil([&] { return int(remote::comboEntries(folderBox).size()) == added; }),
            "\"Выбрать\" adds entry " + std::to_string(added));
        const auto entries = remote::comboEntries(folderBox);
        s.check(!entries.empty() && entries.back() == folder + L"\\" &&
                    waitCaption(folderBox, folder + L"\\"),
                "the folder box lists and shows " + narrow(folder) + "\\");
    }
    HWND preview = remote::control(picker, ids::dlgImage1);
    const Screenshot icon = s.shoot(preview);
    s.check(icon.countOf(icon.at(0, 0)) < std::size_t(icon.width() * icon.height()),
            "the preview shows the folder's icon");
    remote::click(remote::control(picker, ids::dlgCommand2));
    s.check(remote::waitHidden(picker), "\"Закрыть\" hides the picker");
}

// Opens the chooser with `button`, answers it with `file`, which `field` must then show.
bool Flows::chooseFile(int button, const std::wstring &file, HWND field)
{
    remote::click(c(button));
    HWND chooser = remote::waitPrompt(s.pid(), remote::PromptKind::FileChooser);
    if (!s.check(chooser != nullptr,
                 "button " + std::to_string(button) + " opens the file chooser"))
        return false;
    remote::answerFileChooser(chooser, file);
    return s.check(waitCaption(field, file), "the chosen file " + narrow(file) + " is in field " +
                                                 std::to_string(GetDlgCtrlID(field)));
}

void Flows::iconFileTipPictureColour()
{
    if (chooseFile(ids::Command2, s.path(L"pics\\folder.ico"), c(ids::Text2)))
        s.check(waitChecked(c(ids::Check2), true), "choosing the icon ticks its box");
    remote::setText(c(ids::Text4), kTip);
    s.check(waitChecked(c(ids::Check1), true), "typing the tip ticks its box");
    if (chooseFile(ids::Command10, s.path(L"pics\\sky.bmp"), c(ids::Text5)))
        s.check(waitChecked(c(ids::Check3), true), "choosing the picture ticks its box");

    HWND swatch = c(ids::Picture1);
    const Screenshot black = s.shoot(swatch);
    const std::size_t area = std::size_t(black.width() * black.height());
    s.check(black.countOf(0x000000) > area / 2, "the swatch is black at start");
    remote::click(c(ids::Command11));
    HWND chooser = remote::waitPrompt(s.pid(), remote::PromptKind::ColourChooser);
    if (!s.check(chooser != nullptr, "\"...\" beside the swatch opens the colour chooser"))
        return;
    remote::answerColourChooser(chooser, RGB(255, 0, 0));
    s.check(remote::waitUntil([&] { return s.shoot(swatch).countOf(0xFF0000) > area / 2; }),
            "the swatch shows the chosen red");
    s.waitOnlyMain();
    m_fileLayout = s.shoot(s.main(), L"windows-form1-file");
    s.check(remote::isChecked(c(ids::Option1)), "the file source is still selected");
    faceColoured(s.main(), m_fileLayout, {ids::Option1, ids::Option2, ids::Label1_1});
}

// Labels, option and check buttons show the window's face colour around their text, not black
// or what lay there before.
void Flows::faceColoured(HWND window, const Screenshot &shot, std::initializer_list<int> controls)
{
    const RECT outer = remote::screenRect(window);
    for (const int id : controls) {
        RECT r = remote::screenRect(remote::control(window, id));
        OffsetRect(&r, -outer.left, -outer.top);
        const Screenshot part = shot.part(r);
        const std::size_t face = part.countOf(Screenshot::rgb(GetSysColor(COLOR_BTNFACE)));
        s.check(face * 2 > std::size_t(part.width() * part.height()),
                narrow(remote::text(window)) + ": control " + std::to_string(id) +
                    " drawn on the face colour (" + std::to_string(face) + " of " +
                    std::to_string(part.width() * part.height()) + " pixels)");
    }
}

// Pressing "Сделать:" dresses both listed folders with `icon` and the fields set before; the file
// must be what the Linux build writes for the same request, the attributes the Windows mode's.
void Flows::apply(const std::string &name, const std::wstring &icon, bool nt9x)
{
    for (const wchar_t *folder : {L"a", L"b"})
        DeleteFileW((s.path(folder) + L"\\desktop.ini").c_str());
    remote::click(c(ids::Command3));
    for (const wchar_t *folder : {L"a", L"b"}) {
        const std::wstring ini = s.path(folder) + L"\\desktop.ini";
        if (!s.check(waitExists(ini, true), name + ": desktop.ini written in " + narrow(folder)))
            continue;
        s.waitOnlyMain();
        const DWORD file = GetFileAttributesW(ini.c_str());
        const DWORD dir = GetFileAttributesW(s.path(folder).c_str());
        s.check(file & FILE_ATTRIBUTE_HIDDEN, name + ": desktop.ini is hidden");
        // Wine keeps hidden and system only: the read-only bit of the xp mode cannot be seen.
        s.check(bool(dir & FILE_ATTRIBUTE_SYSTEM) == nt9x,
                name + ": folder " + narrow(folder) + (nt9x ? " is" : " is not") + " system");
    }
    CopyFileW((s.path(L"a") + L"\\desktop.ini").c_str(),
              (s.path(L"written\\") + remote::widen(name) + L".ini").c_str(), FALSE);
    record(name, icon, nt9x);
}

// One line of written\requests.txt: what folderprobe dresses a Linux folder with for comparison.
void Flows::record(const std::string &name, const std::wstring &icon, bool nt9x)
{
    std::ofstream out(s.path(L"written\\requests.txt").c_str(), std::ios::app | std::ios::binary);
    out << name << '|' << (nt9x ? "9x" : "xp") << '|' << narrow(icon) << '|' << m_libraryIndex
        << '|' << narrow(kTip) << '|' << narrow(s.path(L"pics\\sky.bmp")) << '|' << RGB(255, 0, 0)
        << '\n';
}

// Picking a listed folder fills the fields from its desktop.ini.
void Flows::readBack()
{
    remote::setText(c(ids::Text2), L"");
    remote::setText(c(ids::Text4), L"");
    remote::pickComboEntry(c(ids::Text1), 0);
    s.check(waitCaption(c(ids::Text1), s.path(L"a") + L"\\"), "picking entry 1 makes it current");
    s.check(waitCaption(c(ids::Text2), s.path(L"pics\\folder.ico")), "read back: the icon file");
    s.check(waitCaption(c(ids::Text4), kTip),
            "read back: the tip " + quoted(caption(c(ids::Text4))));
    s.check(remote::isChecked(c(ids::Check1)) && remote::isChecked(c(ids::Check2)),
            "read back: the icon and tip boxes ticked");
}

// A missing icon file is named in a message box titled "Ошибка"; the chooser follows.
void Flows::missingIconAsksAndChooses()
{
    remote::setText(c(ids::Text2), s.path(L"pics\\missing.ico"));
    remote::click(c(ids::Command3));
    HWND box = remote::waitPrompt(s.pid(), remote::PromptKind::Message);
    if (!s.check(box != nullptr, "a missing icon file is reported"))
        return;
    const remote::MessageSeen seen = remote::readMessage(box);
    s.check(seen.title == L"Ошибка" && seen.text == L"Укажите путь к иконке" &&
                seen.buttons.size() == 1,
            "the message reads " + quoted(seen.text) + " titled " + quoted(seen.title));
    s.shoot(box, L"windows-message");
    remote::answerMessage(box, IDOK);
    HWND chooser = remote::waitPrompt(s.pid(), remote::PromptKind::FileChooser);
    if (s.check(chooser != nullptr, "the icon chooser follows the message"))
        remote::answerFileChooser(chooser, s.path(L"pics\\folder.ico"));
    s.check(s.waitOnlyMain(), "nothing else is asked (picture and tip are there)");
    s.check(waitCaption(c(ids::Text2), s.path(L"pics\\folder.ico")), "the icon chosen again");
}

} // namespace

namespace
{

// Option2 switches to the library layout: everything below the icon frame 360 twips lower, the
// index row shown; the browser (when registered) hands its chosen index to the index field.
void Flows::libraryLayout()
{
    const RECT window = remote::screenRect(s.main());
    const RECT frame4 = remote::screenRect(c(ids::Frame4));
    remote::click(c(ids::Option2));
    s.check(remote::waitUntil([&] { return remote::isVisible(c(ids::Text3)); }),
            "\"Библиотеки\" shows the index field");
    s.check(remote::isChecked(c(ids::Option2)) && !remote::isChecked(c(ids::Option1)),
            "the icon comes from a library");
    const RECT grown = remote::screenRect(s.main());
    s.check((grown.bottom - grown.top) - (window.bottom - window.top) == m_pixelsPerTwips360,
            "the window grows by 360 twips: " +
                std::to_string((grown.bottom - grown.top) - (window.bottom - window.top)) + " px");
    s.check(remote::screenRect(c(ids::Frame4)).top - frame4.top == m_pixelsPerTwips360,
            "the tip frame moves down by 360 twips");
    remote::setText(c(ids::Text2), kLibrary);
    s.waitOnlyMain();
    const Screenshot library = s.shoot(s.main(), L"windows-form1-library");
    // The second row of the icon frame, where the file layout showed the tip frame.
    RECT row = remote::screenRect(c(ids::Command6));
    OffsetRect(&row, -grown.left, -grown.top);
    const Screenshot shown = library.part(row);
    s.check(shown.countOf(Screenshot::rgb(GetSysColor(COLOR_BTNTEXT))) > 0 &&
                shown.differing(m_fileLayout.part(row)) > 0,
            "the library button is drawn where the file layout had none");
    if (!m_browser) {
        m_libraryIndex = "7";
        remote::setText(c(ids::Text3), remote::widen(m_libraryIndex));
        return;
    }
    remote::click(c(ids::Command6));
    HWND browser = s.waitDialog(L"Просмотр иконок в библиотеках", 20000);
    if (!s.check(browser != nullptr, "\"Иконки в библиотеке\" opens the component's browser"))
        return;
    HWND list = FindWindowExW(browser, nullptr, L"SysListView32", nullptr);
    HWND index = nullptr; // the label beside "Индекс:"
    for (HWND label = nullptr; (label = FindWindowExW(browser, label, L"Static", nullptr));)
        index = remote::text(label) != L"Индекс:" ? label : index;
    PostMessageW(list, WM_KEYDOWN, VK_END, 1);
    PostMessageW(list, WM_KEYUP, VK_END, 0xC0000001);
    remote::waitUntil([&] { return remote::text(index) != L"0"; }, 5000);
    const std::wstring chosen = remote::text(index);
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(list, WM_KEYUP, VK_RETURN, 0xC0000001);
    s.check(remote::waitHidden(browser), "Enter closes the browser");
    s.check(chosen != L"0" && waitCaption(c(ids::Text3), chosen),
            "the index field receives the browser's " + narrow(chosen));
    m_libraryIndex = narrow(caption(c(ids::Text3)));
}

// The options dialog: the NT family detected, its boxes drawn as they are, and the 9x mode chosen.
void Flows::options9x()
{
    remote::command(s.main(), ids::mnuPrefOpt);
    HWND options = s.waitDialog(L"Опции");
    if (!s.check(options != nullptr, "\"Опции\" opens the options dialog"))
        return;
    const auto ticked = [&](int id) { return remote::isChecked(remote::control(options, id)); };
    s.check(ticked(ids::dlgOption1) && ticked(ids::dlgOption3) && !ticked(ids::dlgOption4),
            "all folders and the NT family at start");
    HWND box = remote::control(options, ids::dlgCheck1);
    const Screenshot unticked = s.shoot(box);
    remote::click(box);
    s.check(waitChecked(box, true) && s.shoot(box).differing(unticked) > 0,
            "a ticked option box looks different");
    remote::click(box);
    s.check(waitChecked(box, false) && s.shoot(box).differing(unticked) == 0,
            "unticked again, it looks as before");
    remote::click(remote::control(options, ids::dlgOption4));
    s.check(waitChecked(remote::control(options, ids::dlgOption4), true) &&
                !ticked(ids::dlgOption3) && ticked(ids::dlgOption1),
            "the 9x mode leaves the one-or-all choice alone");
    faceColoured(options, s.shoot(options, L"windows-form4-options"),
                 {ids::dlgCheck1, ids::dlgOption1, ids::dlgOption3, ids::dlgOption4});
    remote::click(remote::control(options, ids::dlgCommand1));
    s.check(remote::waitHidden(options), "\"ОК\" hides the options");
    wchar_t stored[8] = L"";
    DWORD size = sizeof(stored);
    RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kSettingsKey) + L"\\Options").c_str(),
                 L"clearlistoffolders", RRF_RT_REG_SZ, nullptr, stored, &size);
    s.check(std::wstring(stored) == L"0", "\"ОК\" stores clearlistoffolders 0");
}

// The folder list shows the folder box's entries, in order.
void Flows::folderList()
{
    remote::command(s.main(), ids::mnuDireditlist);
    HWND list = s.waitDialog(L"Список папок для изменения на них иконок");
    if (!s.check(list != nullptr, "\"Редактировать список...\" opens the folder list"))
        return;
    const auto items = remote::listViewTexts(remote::control(list, ids::dlgList1));
    s.check(items == remote::comboEntries(c(ids::Text1)) && items.size() == 2,
            "the folder list shows the " + std::to_string(items.size()) + " listed folders");
    s.shoot(list, L"windows-form3-folder-list");
    remote::click(remote::control(list, ids::dlgCommand2));
    s.check(remote::waitHidden(list), "\"Выход\" hides the folder list");
}

// "Удалить иконку": the remove choice asks; "Удалить выбранную" undresses the current folder only,
// "Удалить со всех" with "Не показывать больше" every folder, and the answer is stored.
void Flows::removeChoice()
{
    const std::wstring a = s.path(L"a"), b = s.path(L"b");
    for (const bool all : {false, true}) {
        remote::click(c(ids::Command4));
        HWND choice = s.waitDialog(L"Вопрос");
        if (!s.check(choice != nullptr, "\"Удалить иконку\" asks from where"))
            return;
        if (!all)
            faceColoured(choice, s.shoot(choice, L"windows-form6-remove-choice"),
                         {ids::dlgLabel1, ids::dlgCheck1});
        else
            remote::click(remote::control(choice, ids::dlgCheck1));
        remote::click(remote::control(choice, all ? ids::dlgCommand1 : ids::dlgCommand2));
        s.check(remote::waitHidden(choice), "the remove choice closes");
        const std::string what = all ? "from all: " : "from the selected: ";
        s.check(waitExists(a + L"\\desktop.ini", false), what + "a's desktop.ini removed");
        s.check(waitExists(b + L"\\desktop.ini", !all),
                what + "b's desktop.ini " + (all ? "removed" : "kept"));
        s.check(!(GetFileAttributesW(a.c_str()) & FILE_ATTRIBUTE_SYSTEM) &&
                    bool(GetFileAttributesW(b.c_str()) & FILE_ATTRIBUTE_SYSTEM) == !all,
                what + "folder attributes reset where removed");
    }
    wchar_t stored[8] = L"";
    DWORD size = sizeof(stored);
    RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kSettingsKey) + L"\\Options").c_str(), L"delall",
                 RRF_RT_REG_SZ, nullptr, stored, &size);
    s.check(std::wstring(stored) == L"1", "\"Не показывать больше\" stores delall 1");
}

// A long run shows its count in a box whose button stops it, and the stop is reported; "Очистить"
// in the folder list then empties the folder box.
void Flows::progressAndClear()
{
    HWND folderBox = c(ids::Text1);
    for (int i = 0; i < kManyFolders; ++i)
        remote::addComboEntry(folderBox, s.path(L"many\\" + std::to_wstring(i) + L"\\"));
    remote::click(c(ids::Command3));
    HWND progress = remote::waitWindow(s.pid(), L"ravo2.RunProgress", L"", 5000);
    if (s.check(progress != nullptr,
                "a run over " + std::to_string(kManyFolders + 2) + " folders shows its progress")) {
        HWND count = remote::control(progress, 1001);
        s.check(remote::text(count).rfind(L"Готово папок: ", 0) == 0,
                "the box counts: " + quoted(remote::text(count)));
        s.shoot(progress, L"windows-progress", false);
        remote::click(remote::control(progress, IDCANCEL));
        HWND box = remote::waitPrompt(s.pid(), remote::PromptKind::Message);
        const remote::MessageSeen seen = remote::readMessage(box);
        s.check(box != nullptr && seen.text.find(L" из " + std::to_wstring(kManyFolders + 2)) !=
                                      std::wstring::npos,
                "the stopped run is reported: " + quoted(seen.text));
        if (box != nullptr)
            remote::answerMessage(box, IDOK);
        s.check(!exists(s.path(L"many\\") + std::to_wstring(kManyFolders - 1) + L"\\desktop.ini"),
                "the stopped run left the last folder alone");
    }
    s.waitOnlyMain(60000);
    remote::command(s.main(), ids::mnuDireditlist);
    HWND list = s.waitDialog(L"Список папок для изменения на них иконок", 30000);
    if (!s.check(list != nullptr, "the folder list opens again"))
        return;
    remote::click(remote::control(list, ids::dlgCommand3));
    s.check(remote::waitUntil([&] {
                return remote::comboEntries(folderBox).empty() && remote::text(folderBox).empty();
            }),
            "\"Очистить\" empties the folder box, list and line");
    s.check(remote::listViewTexts(remote::control(list, ids::dlgList1)).empty(),
            "\"Очистить\" empties the folder list");
    remote::click(remote::control(list, ids::dlgCommand2));
    s.check(remote::waitHidden(list), "\"Выход\" hides the folder list");
}

// With "Запускать одну копию программы" stored, a second start says so and ends showing nothing.
void Flows::singleCopy()
{
    remote::command(s.main(), ids::mnuPrefOpt);
    HWND options = s.waitDialog(L"Опции");
    if (!s.check(options != nullptr, "the options open again"))
        return;
    remote::click(remote::control(options, ids::dlgCheck2));
    waitChecked(remote::control(options, ids::dlgCheck2), true);
    remote::click(remote::control(options, ids::dlgCommand1));
    s.check(remote::waitHidden(options), "\"ОК\" stores the single-copy option");
    const PROCESS_INFORMATION second = s.startAnother();
    if (!s.check(second.hProcess != nullptr, "a second copy starts"))
        return;
    HWND box = remote::waitPrompt(second.dwProcessId, remote::PromptKind::Message, 20000);
    const remote::MessageSeen seen = box ? remote::readMessage(box) : remote::MessageSeen{};
    s.check(seen.title == L"ravo2" && seen.text == L"Программа уже запущена.",
            "the second copy says " + quoted(seen.text) + " titled " + quoted(seen.title));
    bool mainShown = false;
    for (HWND window : remote::topLevelWindows(second.dwProcessId))
        mainShown = mainShown || remote::text(window).rfind(L"Ravo ver.", 0) == 0;
    if (box != nullptr)
        remote::answerMessage(box, IDOK);
    const bool ended = WaitForSingleObject(second.hProcess, 10000) == WAIT_OBJECT_0;
    s.check(ended && !mainShown, "the second copy ends without a main window");
    if (!ended)
        TerminateProcess(second.hProcess, 1);
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
}

void Flows::aboutBox()
{
    remote::command(s.main(), ids::mnuAbout);
    HWND box = remote::waitPrompt(s.pid(), remote::PromptKind::Message);
    if (!s.check(box != nullptr, "\"О программе...\" shows the about box"))
        return;
    const remote::MessageSeen seen = remote::readMessage(box);
    std::vector<std::wstring> lines(1);
    for (const wchar_t ch : seen.text) {
        if (ch == L'\r')
            lines.emplace_back();
        else if (ch != L'\n')
            lines.back().push_back(ch);
    }
    s.check(seen.title == L"О программе..." && lines.size() == 7 &&
                lines[0] == L"Программа для изменения иконок на папках" &&
                lines[3] == L"Версия 2.0." + m_revision,
            "the about box: " + quoted(seen.title) + ", " + std::to_string(lines.size()) +
                " lines, " + quoted(lines.size() > 3 ? lines[3] : L""));
    s.shoot(box, L"windows-about");
    remote::answerMessage(box, IDOK);
    s.check(s.waitOnlyMain(), "OK closes the about box");
}

// A language file from the program's folder, applied with "Установить", changes the captions of
// the open and the hidden windows, and the menu bar is drawn anew.
void Flows::language()
{
    RECT client{};
    GetClientRect(s.main(), &client);
    POINT origin{0, 0};
    ClientToScreen(s.main(), &origin);
    const RECT window = remote::screenRect(s.main());
    const RECT menuBar{0, origin.y - window.top - GetSystemMetrics(SM_CYMENU),
                       window.right - window.left, origin.y - window.top};
    const Screenshot russian = s.shoot(s.main()).part(menuBar);

    remote::command(s.main(), ids::mnuLngSel);
    HWND dialog = s.waitDialog(L"Сменить язык интерфейса");
    if (!s.check(dialog != nullptr, "\"Сменить...(Change...)\" opens the language dialog"))
        return;
    HWND list = remote::control(dialog, ids::dlgList1);
    const auto entries = remote::listEntries(list);
    int english = -1;
    for (std::size_t i = 0; i < entries.size(); ++i)
        english = entries[i].find(L"English") != std::wstring::npos ? int(i) : english;
    if (!s.check(english > 0, "the dialog lists english.lng after Russian (" +
                                  std::to_string(entries.size()) + " entries)"))
        return;
    remote::pickListEntry(list, english);
    s.shoot(dialog, L"windows-form5-language");
    remote::click(remote::control(dialog, ids::dlgCommand1));
    s.check(waitCaption(c(ids::Frame1), L"Folder path"), "\"Установить\" applies the file");
    const std::pair<HWND, const wchar_t *> captions[] = {
        {c(ids::Command4), L"Remove icon"},
        {c(ids::Option1), L"File"},
        {c(ids::Label1_1), L"Colour of names:"},
        {dialog, L"Change interface language"},
        {remote::control(dialog, ids::dlgCommand2), L"Cancel"},
    };
    for (const auto &[control, text] : captions)
        s.check(caption(control) == text,
                "now reads " + quoted(text) + ": " + quoted(caption(control)));
    remote::click(remote::control(dialog, ids::dlgCommand2));
    s.check(remote::waitHidden(dialog), "\"Cancel\" hides the language dialog");
    s.check(s.shoot(s.main()).part(menuBar).differing(russian) > 0,
            "the menu bar shows the new captions");
    remote::command(s.main(), ids::mnuPrefOpt);
    HWND options = s.waitDialog(L"Options");
    s.check(options != nullptr, "the hidden options dialog got its English title");
    if (options)
        remote::click(remote::control(options, ids::dlgCommand2));
}

// The program's settings from an earlier run would change what the windows start with.
void forgetSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

// Wine draws the windows' frames itself when no window manager runs: the pictures show captions.
class WineFrames
{
public:
    WineFrames()
    {
        DWORD size = sizeof(m_old);
        m_had = RegGetValueW(HKEY_CURRENT_USER, kKey, L"Decorated", RRF_RT_REG_SZ, nullptr, m_old,
                             &size) == ERROR_SUCCESS;
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated", REG_SZ, L"N", 4);
    }
    ~WineFrames()
    {
        if (m_had)
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated", REG_SZ, m_old,
                            DWORD((wcslen(m_old) + 1) * sizeof(wchar_t)));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated");
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\X11 Driver";
    bool m_had = false;
    wchar_t m_old[16] = L"";
};

} // namespace

int main()
{
    int count = 0;
    wchar_t **args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 5) {
        std::puts("usage: ravo2windows_driver RAVO2EXE WORKFOLDER REVISION BROWSER [SHOTFOLDER]");
        return 2;
    }
    const std::wstring work = args[2];
    forgetSettings();
    const WineFrames frames;
    CreateDirectoryW((work + L"\\written").c_str(), nullptr);
    Ravo2Session session(args[1], work, count > 5 ? args[5] : L"");
    if (!session.start())
        return 1;
    Flows flows(session, args[3], std::wstring(args[4]) == L"1");
    const std::function<void()> steps[] = {
        [&] { flows.startState(); },
        [&] { flows.fieldsTickTheirBoxes(); },
        [&] { flows.chooseFolders(); },
        [&] { flows.iconFileTipPictureColour(); },
        [&] { flows.apply("file", session.path(L"pics\\folder.ico"), false); },
        [&] { flows.readBack(); },
        [&] { flows.missingIconAsksAndChooses(); },
        [&] { flows.folderList(); },
        [&] { flows.aboutBox(); },
        [&] { flows.libraryLayout(); },
        [&] { flows.options9x(); },
        [&] { flows.apply("library", kLibrary, true); },
        [&] { flows.removeChoice(); },
        [&] { flows.progressAndClear(); },
        [&] { flows.singleCopy(); },
        [&] { flows.language(); },
    };
    for (const auto &step : steps) {
        step();
        session.closeStray();
    }
    session.stop();
    LocalFree(args);
    std::printf("%d failures\n", session.failures());
    return session.failures() == 0 ? 0 : 1;
}
