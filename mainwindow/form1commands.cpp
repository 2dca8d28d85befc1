// The main window's dialogs and the long runs' box: the run's other windows, created hidden on
// first use, as forms::Form1View offers them to the logic.
#include "mainwindow/form1.h"

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/form5.h"
#include "dialogs/form6.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/runprogress.h"

Form4 *Form1::options()
{
    m_logic.options(); // loads the stored options into a new dialog
    return m_form4;
}

forms::Form4Logic &Form1::optionsLogic()
{
    if (!m_form4) {
        m_form4 = new Form4(this);
        m_form4->setObjectName(QStringLiteral("Form4"));
    }
    return m_form4->logic();
}

Form2 *Form1::picker()
{
    if (!m_form2) {
        m_form2 = new Form2(
            m_ui.Text1, [this] { Text1_Click(); }, this);
        m_form2->setObjectName(QStringLiteral("Form2"));
    }
    return m_form2;
}

Form3 *Form1::folderList()
{
    if (!m_form3) {
        m_form3 = new Form3(m_ui.Text1, this);
        m_form3->setObjectName(QStringLiteral("Form3"));
    }
    return m_form3;
}

Form6 *Form1::removeChoice()
{
    if (!m_form6)
        m_form6 = new Form6([this](const std::string &scope) { delicon(scope); }, m_settings, this);
    return m_form6;
}

forms::Form6Logic &Form1::removeChoiceLogic()
{
    return removeChoice()->logic();
}

void Form1::openPicker()
{
    picker()->exec();
}

void Form1::openFolderList()
{
    folderList()->openList();
}

void Form1::openLanguages()
{
    // A language reaches every window, so all of them exist (hidden) before it is applied.
    if (!m_form5)
        m_form5 = new Form5({this, picker(), folderList(), options(), nullptr, removeChoice()},
                            m_settings, this);
    m_form5->openDialog();
}

void Form1::openOptions()
{
    options()->exec();
}

std::unique_ptr<forms::RunProgressView> Form1::startProgress()
{
    return std::make_unique<RunProgress>(this);
}
