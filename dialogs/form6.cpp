#include "dialogs/form6.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/windowfont.h"
#include "engine/removechoice.h"
#include "engine/settings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Form6::Form6(Delicon delicon, engine::Settings &settings, QWidget *parent)
    : QDialog(parent), m_delicon(std::move(delicon)), m_settings(settings),
      Label1(new QLabel(
          QStringLiteral(
              "Был сформирован целый список папок с которых можно удалить иконки. Вы "
              "желаете удалить иконки со всего списка папок, или же можно удалить иконку "
              "только с выбранной папки."),
          this)),
      Command1(new QPushButton(QStringLiteral("Удалить со всех"), this)),
      Command2(new QPushButton(QStringLiteral("Удалить выбранную"), this)),
      Check1(new QCheckBox(QStringLiteral("Не показывать больше (настройки)"), this))
{
    setObjectName(QStringLiteral("Form6"));
    useWindowFont(this);
    setWindowTitle(QStringLiteral("Вопрос"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Label1->setWordWrap(true);
    buildLayout();
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Check1);
    prepareEachShowing(this, Command1);

    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form6::Command2_Click);
}

void Form6::buildLayout()
{
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    layout->addWidget(Check1);
    resize(420, 160);
}

void Form6::openForRemoval()
{
    switch (engine::removeChoiceFor(m_settings.delall())) {
    case engine::RemoveChoice::All:
        m_delicon("1");
        return;
    case engine::RemoveChoice::Selected:
        m_delicon("0");
        return;
    case engine::RemoveChoice::Ask:
        break;
    }
    // Each question starts unticked, as a freshly loaded dialog would.
    Check1->setChecked(false);
    exec();
}

void Form6::Command1_Click()
{
    m_delicon("1");
    if (Check1->isChecked())
        m_settings.setDelall(engine::delallFor(engine::RemoveChoice::All));
    accept();
}

void Form6::Command2_Click()
{
    m_delicon("0");
    if (Check1->isChecked())
        m_settings.setDelall(engine::delallFor(engine::RemoveChoice::Selected));
    accept();
}
