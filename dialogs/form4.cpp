#include "dialogs/form4.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/windowfont.h"
#include "engine/sysversion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Form4::Form4(QWidget *parent) : Form4(engine::detectedWindowsMode(), parent) {}

Form4::Form4(engine::WindowsMode detected, QWidget *parent)
    : QDialog(parent),
      Check1(new QCheckBox(QStringLiteral("Очистить список папок после установки иконок"), this)),
      Check2(new QCheckBox(QStringLiteral("Запускать одну копию программы"), this)),
      Option1(new QRadioButton(QStringLiteral("Поставить на все папки"), this)),
      Option2(new QRadioButton(QStringLiteral("Поставить на одну (выбранную)"), this)),
      Frame1(new QGroupBox(QStringLiteral("В чем Вы работаете?"), this)),
      Option3(new QRadioButton(QStringLiteral("Windows XP, ME, 2003 файловые менеджеры с иконками"),
                               Frame1)),
      Option4(new QRadioButton(
          QStringLiteral("Проводник под Windows 95, 98 и/или Wincmd версии <5"), Frame1)),
      Command1(new QPushButton(QStringLiteral("ОК"), this)),
      Command2(new QPushButton(QStringLiteral("Отмена"), this)),
      m_scopeGroup(new QButtonGroup(this)), m_familyGroup(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("Form4"));
    useWindowFont(this);
    setWindowTitle(QStringLiteral("Опции"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2->setObjectName(QStringLiteral("Check2"));
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option3->setObjectName(QStringLiteral("Option3"));
    Option4->setObjectName(QStringLiteral("Option4"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    m_scopeGroup->addButton(Option1);
    m_scopeGroup->addButton(Option2);
    m_familyGroup->addButton(Option3);
    m_familyGroup->addButton(Option4);
    m_logic = std::make_unique<forms::Form4Logic>(*this, detected);
    Command1->setDefault(true);
    buildLayout();
    prepareEachShowing(this, Check1);

    connect(Command1, &QPushButton::clicked, this, [this] { m_logic->Command1_Click(); });
    // Cancel, Esc and the close box only hide: what was changed stays in effect, unstored.
    connect(Command2, &QPushButton::clicked, this, [this] { m_logic->Command2_Click(); });
}

Form4::~Form4() = default;

void Form4::buildLayout()
{
    auto *family = new QVBoxLayout(Frame1);
    family->addWidget(Option3);
    family->addWidget(Option4);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Check1);
    layout->addWidget(Check2);
    layout->addWidget(Option1);
    layout->addWidget(Option2);
    layout->addWidget(Frame1);
    layout->addStretch();
    layout->addLayout(buttons);
}

QAbstractButton *Form4::button(forms::Form4Tick control) const
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
        break;
    }
    return Option4;
}

bool Form4::isTicked(forms::Form4Tick control) const
{
    return button(control)->isChecked();
}

void Form4::setTicked(forms::Form4Tick control, bool on)
{
    button(control)->setChecked(on);
}

void Form4::hideDialog()
{
    // Hiding ends exec() as well; nothing reads the dialog's result.
    hide();
}
