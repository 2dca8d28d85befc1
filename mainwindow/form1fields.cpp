// The main window's fields as forms::Form1View shows them to the logic. A setter never reaches the
// logic again: it blocks the control's signals, and the logic performs the follow-ups itself.
#include "mainwindow/form1.h"

#include "mainwindow/folderbox.h"
#include "mainwindow/form1layout.h"

#include <QAction>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

QLineEdit *Form1::lineEdit(forms::Form1Text box) const
{
    switch (box) {
    case forms::Form1Text::Text2:
        return m_ui.Text2;
    case forms::Form1Text::Text3:
        return m_ui.Text3;
    case forms::Form1Text::Text4:
        return m_ui.Text4;
    case forms::Form1Text::Text5:
        break;
    }
    return m_ui.Text5;
}

QCheckBox *Form1::checkBox(forms::Form1Tick tick) const
{
    switch (tick) {
    case forms::Form1Tick::Check1:
        return m_ui.Check1;
    case forms::Form1Tick::Check2:
        return m_ui.Check2;
    case forms::Form1Tick::Check3:
        return m_ui.Check3;
    case forms::Form1Tick::mnuFileCopyIcon:
        break;
    }
    return nullptr;
}

std::string Form1::text(forms::Form1Text box) const
{
    return lineEdit(box)->text().toStdString();
}

void Form1::setText(forms::Form1Text box, const std::string &text)
{
    QLineEdit *edit = lineEdit(box);
    const QSignalBlocker blocker(edit);
    edit->setText(QString::fromStdString(text));
}

bool Form1::isTicked(forms::Form1Tick tick) const
{
    if (QCheckBox *box = checkBox(tick))
        return box->isChecked();
    return m_ui.mnuFileCopyIcon->isChecked();
}

void Form1::setTicked(forms::Form1Tick tick, bool on)
{
    if (QCheckBox *box = checkBox(tick)) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
        return;
    }
    m_ui.mnuFileCopyIcon->setChecked(on); // only a click is stored, and this is none
}

void Form1::setApplyCaption(const std::string &caption)
{
    m_ui.Command3->setText(QString::fromStdString(caption));
}

void Form1::setCaption(const std::string &caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void Form1::showIconSource(engine::IconSource source)
{
    {
        const QSignalBlocker file(m_ui.Option1), library(m_ui.Option2);
        (source == engine::IconSource::Library ? m_ui.Option2 : m_ui.Option1)->setChecked(true);
    }
    form1layout::applyLayout(m_ui, source, m_dpi); // the menu ticks too
    layout()->activate(); // the window takes its new size now, shown or not
}

void Form1::focusInfoTip()
{
    m_ui.Text4->setFocus();
}

std::string Form1::aboutMenuCaption() const
{
    return m_ui.mnuAbout->text().toStdString();
}

std::vector<std::string> Form1::folders() const
{
    std::vector<std::string> list;
    for (int i = 0; i < m_ui.Text1->count(); ++i)
        list.push_back(m_ui.Text1->itemText(i).toStdString());
    return list;
}

std::string Form1::currentFolder() const
{
    return m_ui.Text1->currentText().toStdString();
}

void Form1::addFolder(const std::string &path)
{
    const QString folder = QString::fromStdString(path);
    m_ui.Text1->addItem(folder);
    m_ui.Text1->setEditText(folder);
}

void Form1::removeFolder(int index)
{
    const QString editText = m_ui.Text1->currentText();
    m_ui.Text1->removeItem(index);
    m_ui.Text1->setEditText(editText);
}

void Form1::clearFolders()
{
    m_ui.Text1->clear();
    m_ui.Text1->clearEditText();
}
