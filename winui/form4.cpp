#include "winui/form4.h"

#include "winui/controlids.h"
#include "winui/modalloop.h"

namespace winui
{

Form4::Form4(HINSTANCE instance, HWND owner, engine::WindowsMode detected)
    : DialogWindow(instance, owner, L"Опции", 6600, 3330, false),
      Check1(add(L"BUTTON", L"Очистить список папок после установки иконок",
                 WS_TABSTOP | BS_AUTOCHECKBOX, ids::dlgCheck1, "Check1")),
      Check2(add(L"BUTTON", L"Запускать одну копию программы", WS_TABSTOP | BS_AUTOCHECKBOX,
                 ids::dlgCheck2, "Check2")),
      // Two groups of option buttons: a group starts at WS_GROUP and runs to the next one.
      Option1(add(L"BUTTON", L"Поставить на все папки", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                  ids::dlgOption1, "Option1")),
      Option2(add(L"BUTTON", L"Поставить на одну (выбранную)", BS_AUTORADIOBUTTON, ids::dlgOption2,
                  "Option2")),
      Frame1(
          add(L"BUTTON", L"В чем Вы работаете?", WS_GROUP | BS_GROUPBOX, ids::dlgFrame1, "Frame1")),
      Option3(add(L"BUTTON", L"Windows XP, ME, 2003 файловые менеджеры с иконками",
                  WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, ids::dlgOption3, "Option3")),
      Option4(add(L"BUTTON", L"Проводник под Windows 95, 98 и/или Wincmd версии <5",
                  BS_AUTORADIOBUTTON, ids::dlgOption4, "Option4")),
      Command1(add(L"BUTTON", L"ОК", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, ids::dlgCommand1,
                   "Command1")),
      Command2(add(L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand2, "Command2"))
{
    m_logic.emplace(*this, detected);
    ready();
}

void Form4::showModal()
{
    SetFocus(Check1);
    runModal(hwnd(), owner());
}

void Form4::layout(int width, int)
{
    const int margin = px(120);
    const int row = px(360);
    const int line = px(255);
    const int inner = width - 2 * margin;
    place(Check1, margin, margin, inner, line);
    place(Check2, margin, margin + row, inner, line);
    place(Option1, margin, margin + 2 * row, inner, line);
    place(Option2, margin, margin + 3 * row, inner, line);
    // The frame's options stand inside it, measured from its corner.
    const int frameTop = margin + 4 * row + px(60);
    place(Frame1, margin, frameTop, inner, px(1080));
    place(Option3, margin + px(180), frameTop + px(300), inner - px(300), line);
    place(Option4, margin + px(180), frameTop + px(660), inner - px(300), line);
    const int buttonWidth = px(1215);
    const int buttonTop = frameTop + px(1080) + px(120);
    place(Command2, width - margin - buttonWidth, buttonTop, buttonWidth, px(375));
    place(Command1, width - margin - 2 * buttonWidth - px(120), buttonTop, buttonWidth, px(375));
}

void Form4::command(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    if (id == ids::dlgCommand1)
        m_logic->Command1_Click();
    else if (id == ids::dlgCommand2 || id == IDCANCEL)
        m_logic->Command2_Click(); // Esc and the close box: as "Отмена", nothing stored
}

HWND Form4::button(forms::Form4Tick control) const
{
    switch (control) {
    case forms::Form4Tick::Check1:
        return Check1;
    case forms::Form4Tick::Check2:
        return Check2;
    case forms::Form4Tick::Option1:
        return Option1;
    case forms::Form4Tick::Option2:
        return Option2;
    case forms::Form4Tick::Option3:
        return Option3;
    case forms::Form4Tick::Option4:
        return Option4;
    }
    return nullptr;
}

bool Form4::isTicked(forms::Form4Tick control) const
{
    return SendMessageW(button(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form4::setTicked(forms::Form4Tick control, bool on)
{
    const HWND target = button(control);
    SendMessageW(target, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!on)
        return;
    // An option button unticks the other of its group.
    HWND other = nullptr;
    switch (control) {
    case forms::Form4Tick::Option1:
        other = Option2;
        break;
    case forms::Form4Tick::Option2:
        other = Option1;
        break;
    case forms::Form4Tick::Option3:
        other = Option4;
        break;
    case forms::Form4Tick::Option4:
        other = Option3;
        break;
    default:
        break;
    }
    if (other != nullptr)
        SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
}

} // namespace winui
