#include "ravo2flows.h"

#include "promptanswers.h"
#include "winui/controlids.h"

#include <fstream>
#include <string>
#include <vector>

namespace flows
{

namespace ids = winui::ids;
using remote::narrow;

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

// Option2 switches to the library layout: everything below the icon frame 360 twips lower, the
// index row shown; the browser (when registered) hands its chosen index to the index field.
void Flows::iconLibraryLayout()
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

} // namespace flows
