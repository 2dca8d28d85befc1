#include "dialogs/form2.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/drawfileicon.h"
#include "dialogs/folderview.h"
#include "dialogs/picturebox.h"
#include "dialogs/windowfont.h"
#include "engine/folderpaths.h"
#include "platform/filesystem.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form2::Form2(QComboBox *folderBox, std::function<void()> readfolderini, QWidget *parent)
    : QDialog(parent), m_folderBox(folderBox), m_readfolderini(std::move(readfolderini)),
      FolderView1(new FolderView(this)), Label1(new QLabel(this)),
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

    connect(FolderView1, &FolderView::folderSelected, this, &Form2::FolderView1_SelectionChange);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    // Closing only hides the picker: the tree, path and preview stay for the next visit.
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
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
    if (!FolderView1->selectedPath().isEmpty())
        return;
    // A fresh tree starts at the folder the main window names, or at home.
    const QString chosen = m_folderBox->currentText();
    FolderView1->goTo(!chosen.isEmpty() && QFileInfo(chosen).isDir() ? chosen : QDir::homePath());
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

void Form2::FolderView1_SelectionChange()
{
    Label1->setText(FolderView1->selectedPath());
    image1->clear();
    int width = 0;
    int height = 0;
    drawfileicon(&image1->image(), 0, 0, Label1->text(), width, height);
    image1->update();
}

void Form2::Command1_Click()
{
    const QString selected = Label1->text();
    if (selected.isEmpty())
        return; // nothing selected yet: the bare separator would name a drive root
    const QChar separator = QLatin1Char(platform::nativeSeparator());
    const QString path = selected.endsWith(separator) ? selected : selected + separator;
    if (!engine::fileexists(path.toStdString()))
        return;
    m_folderBox->addItem(path);
    if (m_folderBox->isEditable())
        m_folderBox->setEditText(path);
    else
        m_folderBox->setCurrentIndex(m_folderBox->count() - 1);
    if (m_readfolderini)
        m_readfolderini();
}

void Form2::Command3_Click()
{
    FolderView1->goTo(Text1->text());
}
