// The main window's commands: apply, remove, the dialogs and the about box.
#include "mainwindow/form1.h"

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/form5.h"
#include "dialogs/form6.h"
#include "dialogs/prompter.h"
#include "dialogs/uitexts.h"
#include "engine/folderpaths.h"
#include "engine/startup.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/runprogress.h"

#include <QCheckBox>
#include <QLineEdit>

engine::MakeIconResult Form1::makeicon()
{
    options(); // the one-or-all choice and the Windows mode live in the options dialog
    const engine::CustomisationRequest r = request();
    engine::SystemFolderIo io;
    engine::MakeIconResult result;
    {
        RunProgress progress(this);
        result = engine::makeicon(r, io, progress.callback());
        progress.reportStop(result.pass);
    }
    showPathWarnings(result.pathWarnings);
    return result;
}

// The folders are dressed all the same; the user learns which ones the share's clients see bare.
void Form1::showPathWarnings(const std::vector<std::string> &warnings)
{
    if (warnings.empty())
        return;
    constexpr std::size_t kShownWarnings = 15;
    QStringList lines;
    for (std::size_t i = 0; i < warnings.size() && i < kShownWarnings; ++i)
        lines << QString::fromStdString(warnings[i]);
    if (warnings.size() > kShownWarnings)
        lines << uiText(UiText::MoreFolders) + QString::number(warnings.size() - kShownWarnings);
    Prompter::instance().message(this, QMessageBox::Warning, QStringLiteral("ravo2"),
                                 lines.join(QLatin1Char('\r')), QMessageBox::Ok);
}

void Form1::delicon(const std::string &scope)
{
    const engine::CustomisationRequest r = request();
    engine::SystemFolderIo io;
    RunProgress progress(this);
    progress.reportStop(engine::delicon(r, scope, io, progress.callback()));
}

void Form1::showError(const QString &text)
{
    Prompter::instance().message(this, QMessageBox::Question, uiText(UiText::ErrorTitle), text,
                                 QMessageBox::Ok);
}

// The three tests, always all three in order; a failed one gives its message and follow-up.
bool Form1::confirmInputs()
{
    int passed = 0;
    if (!m_ui.Check2->isChecked() || engine::fileexists(m_ui.Text2->text().toStdString())) {
        ++passed;
    } else {
        showError(uiText(UiText::NoIconPath));
        Command2_Click();
    }
    if (!m_ui.Check3->isChecked() || engine::fileexists(m_ui.Text5->text().toStdString())) {
        ++passed;
    } else {
        showError(uiText(UiText::NoPicturePath));
        Command10_Click();
    }
    if (!m_ui.Check1->isChecked() || !m_ui.Text4->text().isEmpty()) {
        ++passed;
    } else {
        showError(uiText(UiText::NoInfoTip));
        m_ui.Text4->setFocus();
    }
    return passed == 3;
}

void Form1::Command3_Click()
{
    if (m_ui.Text1->count() == 0) {
        Command1_Click();
        return;
    }
    const bool inputsGood = confirmInputs();
    // The boxes are read again: a chooser may have ticked one meanwhile.
    const bool anything =
        m_ui.Check1->isChecked() || m_ui.Check2->isChecked() || m_ui.Check3->isChecked();
    if (!inputsGood || !anything)
        return;
    if (applyWithReport() && options()->clearListOfFolders()) {
        m_ui.Text1->clear();
        m_ui.Text1->clearEditText();
    }
}

// Runs makeicon; a failure it passes on is shown and the window stays usable.
bool Form1::applyWithReport()
{
    const engine::MakeIconResult result = makeicon();
    if (result.pass.cancelled)
        return false; // a stopped run keeps the list for the folders it did not reach
    if (!result.failed)
        return true;
    const std::string text =
        engine::startupFailureMessage(result.failedFolder, result.failure.message);
    Prompter::instance().message(this, QMessageBox::Critical, QStringLiteral("ravo2"),
                                 QString::fromStdString(text), QMessageBox::Ok);
    return false;
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

void Form1::Command1_Click()
{
    picker()->exec();
}

void Form1::Command4_Click()
{
    removeChoice()->openForRemoval();
}

void Form1::mnuDireditlist_Click()
{
    folderList()->openList();
}

void Form1::mnuLngSel_Click()
{
    // A language reaches every window, so all of them exist (hidden) before it is applied.
    if (!m_form5)
        m_form5 = new Form5({this, picker(), folderList(), options(), nullptr, removeChoice()},
                            m_settings, this);
    m_form5->openDialog();
}

void Form1::mnuPrefOpt_Click()
{
    options()->exec();
}

QString Form1::aboutText()
{
    const QStringList lines = {
        uiText(UiText::AboutProgram),
        QStringLiteral("ravo2 developers, 2026"),
        QString(),
        uiText(UiText::AboutVersion) + QString::number(engine::kRevision),
        QString(),
        uiText(UiText::AboutNewVersion) + QStringLiteral(RAVO2_HOMEPAGE_URL),
        uiText(UiText::AboutFeedback) + QStringLiteral(RAVO2_FEEDBACK_EMAIL),
    };
    return lines.join(QLatin1Char('\r'));
}

void Form1::mnuAbout_Click()
{
    // The about box is titled as the menu item that opens it, in whatever language it shows.
    Prompter::instance().message(this, QMessageBox::Information, m_ui.mnuAbout->text(), aboutText(),
                                 QMessageBox::Ok);
}
