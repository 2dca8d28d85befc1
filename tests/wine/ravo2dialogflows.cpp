#include "ravo2flows.h"

#include "promptanswers.h"
#include "winui/controlids.h"

#include <string>
#include <vector>

namespace flows
{

namespace ids = winui::ids;
using remote::narrow;

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

} // namespace flows
