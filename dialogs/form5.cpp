#include "form5.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/windowfont.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

Form5::Form5(LanguageWindows windows, engine::Settings &settings, QWidget *parent)
    : QDialog(parent), m_windows(windows), m_prompts(this)
{
    m_windows.windows().form5 = this;
    setObjectName("Form5");
    useWindowFont(this);
    setWindowTitle("Сменить язык интерфейса");
    m_List1 = new QListWidget(this);
    m_List1->setObjectName("List1");
    m_Command1 = new QPushButton("Установить", this);
    m_Command1->setObjectName("Command1");
    m_Command2 = new QPushButton("Отмена", this);
    m_Command2->setObjectName("Command2");

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_Command1);
    buttons->addWidget(m_Command2);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_List1, 1);
    layout->addLayout(buttons);
    resize(480, 240);
    prepareEachShowing(this, m_List1);

    // The logic takes the windows' texts now as the built-in Russian.
    m_logic = std::make_unique<forms::Form5Logic>(*this, m_windows, settings);

    connect(m_Command1, &QPushButton::clicked, this, [this] { m_logic->Command1_Click(); });
    connect(m_Command2, &QPushButton::clicked, this, [this] { m_logic->Command2_Click(); });
}

Form5::~Form5() = default;

int Form5::openDialog()
{
    m_logic->Form_Load();
    return exec();
}

bool Form5::loadlanguage(int index)
{
    return m_logic->loadlanguage(index);
}

void Form5::applylanguage()
{
    m_logic->applylanguage();
}

QStringList Form5::lines() const
{
    QStringList lines;
    for (const std::string &line : m_logic->lines())
        lines.append(QString::fromStdString(line));
    return lines;
}

QStringList Form5::languageFolders()
{
    QStringList folders;
    for (const std::string &folder : forms::Form5Logic::languageFolders())
        folders.append(QString::fromStdString(folder));
    return folders;
}

forms::Answer Form5::message(forms::MessageIcon icon, const std::string &title,
                             const std::string &text, forms::MessageButtons buttons)
{
    return m_prompts.message(icon, title, text, buttons);
}

std::optional<std::string> Form5::openFile(const std::string &filter,
                                           const std::string &initialFile)
{
    return m_prompts.openFile(filter, initialFile);
}

std::optional<std::uint32_t> Form5::chooseColour(std::uint32_t initial)
{
    return m_prompts.chooseColour(initial);
}

void Form5::setEntries(const std::vector<forms::LanguageEntry> &entries)
{
    m_List1->clear();
    for (const forms::LanguageEntry &entry : entries) {
        auto *item = new QListWidgetItem(QString::fromStdString(entry.name), m_List1);
        if (!entry.path.empty())
            item->setToolTip(QString::fromStdString(entry.path));
    }
}

int Form5::selectedRow() const
{
    // Focusing the list makes its first entry current (a focus outline) without selecting it.
    const QList<QListWidgetItem *> selected = m_List1->selectedItems();
    return selected.isEmpty() ? -1 : m_List1->row(selected.first());
}

void Form5::selectRow(int row)
{
    m_List1->setCurrentRow(row);
}

void Form5::close()
{
    reject();
}
