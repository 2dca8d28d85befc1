// The main window's other windows: the five dialogs, each made hidden on first use.
#include "engine/sysversion.h"
#include "winui/form1.h"
#include "winui/form2.h"
#include "winui/form3.h"
#include "winui/form4.h"
#include "winui/form5.h"
#include "winui/form6.h"

namespace winui
{

forms::Form4Logic &Form1::optionsLogic()
{
    if (!m_form4)
        m_form4 = std::make_unique<Form4>(m_instance, m_window, engine::detectedWindowsMode());
    return m_form4->logic();
}

forms::Form6Logic &Form1::removeChoiceLogic()
{
    if (!m_form6)
        m_form6 = std::make_unique<Form6>(
            m_instance, m_window, [this](const std::string &scope) { m_logic.delicon(scope); },
            m_settings);
    return m_form6->logic();
}

void Form1::openPicker()
{
    window(2);
    m_form2->showModal();
}

void Form1::openFolderList()
{
    window(3);
    m_form3->openList();
}

void Form1::openOptions()
{
    optionsLogic();
    m_form4->showModal();
}

void Form1::openLanguages()
{
    window(5);
    m_form5->openDialog();
}

Window *Form1::window(int number)
{
    switch (number) {
    case 1:
        return this;
    case 2:
        if (!m_form2)
            m_form2 = std::make_unique<Form2>(m_instance, m_window, *this,
                                              [this] { m_logic.Text1_Click(); });
        return m_form2.get();
    case 3:
        if (!m_form3)
            m_form3 = std::make_unique<Form3>(m_instance, m_window, *this);
        return m_form3.get();
    case 4:
        optionsLogic();
        return m_form4.get();
    case 5:
        // Its logic reads the six windows' texts: while it is being made, it is not one of them.
        if (!m_form5 && !m_makingForm5) {
            m_makingForm5 = true;
            m_form5 = std::make_unique<Form5>(m_instance, m_window, m_languages, m_settings);
            m_makingForm5 = false;
        }
        return m_form5.get();
    case 6:
        removeChoiceLogic();
        return m_form6.get();
    default:
        return nullptr;
    }
}

} // namespace winui
