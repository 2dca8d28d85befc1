// The main window's input fields: the apply button's caption, the icon source, the choosers,
// the library browser and the folder box's entries.
#include "mainwindow/form1.h"

#include "dialogs/prompter.h"
#include "dialogs/uitexts.h"
#include "engine/folderpaths.h"
#include "mainwindow/colourswatch.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/form1layout.h"
#include "vindle/client/vindleclient.h"

#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void Form1::Check_Click()
{
    QString made;
    if (m_ui.Check2->isChecked())
        made += uiText(UiText::MakeIcon) + '\r';
    if (m_ui.Check1->isChecked())
        made += uiText(UiText::MakeTip) + '\r';
    if (m_ui.Check3->isChecked())
        made += uiText(UiText::MakeBackground);
    m_ui.Command3->setText(uiText(UiText::MakeHead) + '\r' + made);
}

void Form1::selectIconSource(engine::IconSource source)
{
    // Checking the option runs Option_Click through its signal; an option already selected
    // changes nothing, but the menu tick that Qt may have moved is put back.
    if (source == engine::IconSource::Library)
        m_ui.Option2->setChecked(true);
    else
        m_ui.Option1->setChecked(true);
    m_ui.mnuFileicobyFile->setChecked(iconSource() == engine::IconSource::File);
    m_ui.mnuFileicobyLib->setChecked(iconSource() == engine::IconSource::Library);
}

void Form1::Option_Click(engine::IconSource source)
{
    form1layout::applyLayout(m_ui, source, m_dpi);
    layout()->activate(); // the window takes its new size now, shown or not
    m_CD1.filter = source == engine::IconSource::Library ? kLibraryFilter : kPictureFilter;
}

// Both file choices share the chooser's file name and filter; a cancel changes nothing.
static std::optional<QString> chooseFile(QWidget *parent, ChooserState &cd)
{
    std::optional<QString> chosen = Prompter::instance().openFile(parent, cd.filter, cd.fileName);
    if (chosen)
        cd.fileName = *chosen;
    return chosen;
}

void Form1::Command2_Click()
{
    if (const auto chosen = chooseFile(this, m_CD1)) {
        m_ui.Text2->setText(*chosen);
        m_ui.Check2->setChecked(true);
    }
}

void Form1::Command10_Click()
{
    if (const auto chosen = chooseFile(this, m_CD1)) {
        m_ui.Text5->setText(*chosen);
        m_ui.Check3->setChecked(true);
    }
}

void Form1::Command11_Click()
{
    if (const auto chosen = Prompter::instance().chooseColour(this, m_CD1.colour)) {
        m_CD1.colour = *chosen;
        m_ui.Picture1->setColour(*chosen);
    }
}

void Form1::Command6_Click()
{
    if (!engine::fileexists(m_ui.Text2->text().toStdString())) {
        const auto answer = Prompter::instance().message(
            this, QMessageBox::NoIcon, QStringLiteral("ravo2"),
            uiText(UiText::NoLibrary) + '\r' + uiText(UiText::ChooseAnother),
            QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes)
            Command2_Click();
    }
    browseLibrary();
}

void Form1::browseLibrary()
{
    // The component is loaded at run time; when it cannot be, the window stays as it was.
    const vindleclient::Result browsed = vindleclient::browse(m_ui.Text2->text().toStdString());
    if (browsed.ok) {
        m_ui.Text3->setText(QString::fromStdString(browsed.index));
        return;
    }
    // The Russian sentence first; the technical detail on a line of its own for a report.
    Prompter::instance().message(this, QMessageBox::Critical, QStringLiteral("ravo2"),
                                 uiText(UiText::BrowserFailed) +
                                     QString::fromStdString(browsed.reason) + QLatin1Char('\r') +
                                     QString::fromStdString(browsed.error),
                                 QMessageBox::Ok);
}

void Form1::Text1_Click()
{
    const QString folder = m_ui.Text1->currentText();
    applyFolderIni(engine::readfolderini(folder.toStdString(), m_ui.Text3->text().toStdString()));
}

void Form1::applyFolderIni(const engine::FolderIniOutcome &outcome)
{
    if (outcome.iconPath)
        m_ui.Text2->setText(QString::fromStdString(*outcome.iconPath));
    if (outcome.iconIndex)
        m_ui.Text3->setText(QString::fromStdString(*outcome.iconIndex));
    if (outcome.infoTip) {
        m_ui.Text4->setText(QString::fromStdString(*outcome.infoTip));
        m_ui.Check1->setChecked(true);
    }
    if (outcome.iconSource)
        selectIconSource(*outcome.iconSource);
}
