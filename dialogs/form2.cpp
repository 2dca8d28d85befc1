#include "dialogs/form2.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/drawfileicon.h"
#include "dialogs/folderview.h"
#include "dialogs/picturebox.h"
#include "dialogs/windowfont.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form2::Form2(QComboBox *folderBox, std::function<void()> readfolderini, QWidget *parent)
    : QDialog(parent), m_folderBox(folderBox),
      m_logic(*this, m_folderBox, std::move(readfolderini)), FolderView1(new FolderView(this)),
      Label1(new QLabel(this)),
      image1(new PictureBox(QSize(kStandardIconSize, kStandardIconSize), this)),
      Command1(new QPushButton(QStringLiteral("Выбрать"), this)),
      Command2(new QPushButton(QStringLiteral("Закрыть"), this)),
      Command3(new QPushButton(QStringLiteral("Перейти к..."), this)), Text1(new QLineEdit(this))
{
    setObjectName(QStringLiteral("Form2"));
    useWindowFont(this);
    setWindowTitle(QStringLiteral("Выбор папки..."));
    FolderView1->setObjectName(QStringLiteral("FolderView1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    image1->setObjectName(QStringLiteral("image1"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Command1->setDefault(true);
    buildLayout();
    prepareEachShowing(this, FolderView1);
    Text1->installEventFilter(this);

    connect(FolderView1, &FolderView::folderSelected, this, [this] {
        m_logic.FolderView1_SelectionChange(FolderView1->selectedPath().toStdString());
    });
    connect(Command1, &QPushButton::clicked, this, [this] { m_logic.Command1_Click(); });
    // Closing only hides the picker: the tree, path and preview stay for the next visit.
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command3, &QPushButton::clicked, this, [this] { m_logic.Command3_Click(); });
}

void Form2::buildLayout()
{
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(image1);
    buttons->addStretch();

    auto *goTo = new QHBoxLayout;
    goTo->addWidget(Command3);
    goTo->addWidget(Text1, 1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(FolderView1, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addWidget(Label1, 1, 0, 1, 2);
    grid->addLayout(goTo, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    resize(480, 400);
}

void Form2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_logic.shown();
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the go-to field goes to the typed path; everywhere else it presses "Выбрать".
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Command3->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::string Form2::selectedLabel() const
{
    return Label1->text().toStdString();
}

void Form2::setSelectedLabel(const std::string &path)
{
    Label1->setText(QString::fromStdString(path));
}

void Form2::showPreview(const std::string &path)
{
    image1->clear();
    int width = 0;
    int height = 0;
    drawfileicon(&image1->image(), 0, 0, QString::fromStdString(path), width, height);
    image1->update();
}

std::string Form2::goToText() const
{
    return Text1->text().toStdString();
}

void Form2::goTo(const std::string &path)
{
    FolderView1->goTo(QString::fromStdString(path));
}

bool Form2::treeHasSelection() const
{
    return !FolderView1->selectedPath().isEmpty();
}
