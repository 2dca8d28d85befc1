#include "dialogs/form6.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/windowfont.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Form6::Form6(Delicon delicon, engine::Settings &settings, QWidget *parent)
    : QDialog(parent),
      Label1(new QLabel(
          QStringLiteral(
              "Был сформирован целый список папок с которых можно удалить иконки. Вы "
              "желаете удалить иконки со всего списка папок, или же можно удалить иконку "
              "только с выбранной папки."),
          this)),
      Command1(new QPushButton(QStringLiteral("Удалить со всех"), this)),
      Command2(new QPushButton(QStringLiteral("Удалить выбранную"), this)),
      Check1(new QCheckBox(QStringLiteral("Не показывать больше (настройки)"), this)),
      m_logic(std::make_unique<forms::Form6Logic>(*this, std::move(delicon), settings))
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

    connect(Command1, &QPushButton::clicked, this, [this] { m_logic->Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { m_logic->Command2_Click(); });
}

Form6::~Form6() = default;

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

bool Form6::isCheck1Ticked() const
{
    return Check1->isChecked();
}

void Form6::setCheck1Ticked(bool on)
{
    Check1->setChecked(on);
}

void Form6::showModal()
{
    exec();
}

void Form6::hideDialog()
{
    hide(); // ends exec(); nothing reads the dialog's result
}
