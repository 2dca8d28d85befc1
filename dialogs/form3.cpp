#include "dialogs/form3.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/drawfileicon.h"
#include "dialogs/windowfont.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

constexpr int kSliceMs = 15; // icons drawn per turn of the event loop: the window stays responsive

} // namespace

Form3::Form3(QComboBox *folderBox, QWidget *parent)
    : QDialog(parent), m_folderBox(folderBox), m_logic(*this, m_folderBox),
      m_scratch(kStandardIconSize, kStandardIconSize, QImage::Format_ARGB32_Premultiplied),
      List1(new QListWidget(this)), Command1(new QPushButton(QStringLiteral("Удалить"), this)),
      Command2(new QPushButton(QStringLiteral("Выход"), this)),
      Command3(new QPushButton(QStringLiteral("Очистить"), this))
{
    setObjectName(QStringLiteral("Form3"));
    useWindowFont(this);
    setWindowTitle(QStringLiteral("Список папок для изменения на них иконок"));
    List1->setObjectName(QStringLiteral("List1"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    List1->setViewMode(QListView::ListMode);
    List1->setIconSize(QSize(kStandardIconSize, kStandardIconSize));
    List1->setUniformItemSizes(true);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_scratch.fill(Qt::transparent);
    m_blank = QIcon(QPixmap::fromImage(m_scratch));
    m_iconTimer.setInterval(0);
    connect(&m_iconTimer, &QTimer::timeout, this, &Form3::drawSomeIcons);
    buildLayout();
    prepareEachShowing(this, List1);

    connect(Command1, &QPushButton::clicked, this, [this] { m_logic.Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command3, &QPushButton::clicked, this, [this] { m_logic.Command3_Click(); });
}

void Form3::buildLayout()
{
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(520, 360);
}

int Form3::openList()
{
    buildList();
    return exec();
}

void Form3::buildList()
{
    m_logic.buildList();
}

void Form3::setEntries(const std::vector<std::string> &folders)
{
    List1->clear();
    QStringList paths;
    paths.reserve(static_cast<qsizetype>(folders.size()));
    for (const std::string &folder : folders)
        paths << QString::fromStdString(folder);
    List1->addItems(paths);
    for (int i = 0; i < List1->count(); ++i)
        List1->item(i)->setIcon(m_blank);
    m_nextIcon = 0;
    if (isVisible() && iconsPending())
        m_iconTimer.start();
    else if (!iconsPending())
        m_iconTimer.stop();
}

void Form3::removeEntry(int row)
{
    delete List1->takeItem(row);
    if (row < m_nextIcon)
        --m_nextIcon; // the icons still to draw keep their folders
}

int Form3::selectedRow() const
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.first());
}

bool Form3::iconsPending() const
{
    return m_nextIcon < List1->count();
}

void Form3::drawSomeIcons()
{
    QElapsedTimer slice;
    slice.start();
    while (iconsPending() && slice.elapsed() < kSliceMs) {
        QListWidgetItem *item = List1->item(m_nextIcon++);
        m_scratch.fill(Qt::transparent);
        int width = 0;
        int height = 0;
        drawfileicon(&m_scratch, 0, 0, item->text(), width, height);
        // A folder without an icon gets the blank image and is still listed.
        item->setIcon(QIcon(QPixmap::fromImage(m_scratch)));
    }
    if (!iconsPending())
        m_iconTimer.stop();
}

void Form3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (iconsPending())
        m_iconTimer.start();
}

void Form3::hideEvent(QHideEvent *event)
{
    m_iconTimer.stop(); // nobody sees the icons now; showing again goes on with them
    QDialog::hideEvent(event);
}
