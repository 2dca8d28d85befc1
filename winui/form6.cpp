#include "winui/form6.h"

#include "winui/controlids.h"
#include "winui/modalloop.h"

namespace winui
{

Form6::Form6(HINSTANCE instance, HWND owner, forms::Form6Logic::Delicon delicon,
             engine::Settings &settings)
    : DialogWindow(instance, owner, L"Вопрос", 6300, 2160, false),
      Label1(add(L"STATIC",
                 L"Был сформирован целый список папок с которых можно удалить иконки. Вы "
                 L"желаете удалить иконки со всего списка папок, или же можно удалить иконку "
                 L"только с выбранной папки.",
                 SS_LEFT | SS_NOPREFIX, ids::dlgLabel1, "Label1")),
      Command1(add(L"BUTTON", L"Удалить со всех", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                   ids::dlgCommand1, "Command1")),
      Command2(add(L"BUTTON", L"Удалить выбранную", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand2,
                   "Command2")),
      Check1(add(L"BUTTON", L"Не показывать больше (настройки)", WS_TABSTOP | BS_AUTOCHECKBOX,
                 ids::dlgCheck1, "Check1"))
{
    m_logic.emplace(*this, std::move(delicon), settings);
    ready();
}

void Form6::showModal()
{
    SetFocus(Command1);
    runModal(hwnd(), owner());
}

void Form6::layout(int width, int height)
{
    const int margin = px(120);
    const int gap = px(120);
    const int buttonHeight = px(375);
    const int checkHeight = px(255);
    const int checkTop = height - margin - checkHeight;
    const int buttonTop = checkTop - gap - buttonHeight;
    const int inner = width - 2 * margin;
    // The question takes what the buttons leave; a language's longer text wraps within it.
    place(Label1, margin, margin, inner, buttonTop - gap - margin);
    const int buttonWidth = (inner - gap) / 2;
    place(Command1, margin, buttonTop, buttonWidth, buttonHeight);
    place(Command2, width - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    place(Check1, margin, checkTop, inner, checkHeight);
}

void Form6::command(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    if (id == ids::dlgCommand1)
        m_logic->Command1_Click();
    else if (id == ids::dlgCommand2)
        m_logic->Command2_Click();
    else if (id == IDCANCEL)
        hide(); // closed another way: nothing removed, nothing stored
}

bool Form6::isCheck1Ticked() const
{
    return SendMessageW(Check1, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form6::setCheck1Ticked(bool on)
{
    SendMessageW(Check1, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace winui
