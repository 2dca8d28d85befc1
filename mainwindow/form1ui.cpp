#include "mainwindow/form1ui.h"

#include "dialogs/windowfont.h"
#include "mainwindow/colourswatch.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/multilinebutton.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <qdrawutil.h>

#include <limits>

namespace
{

template <typename W> W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

// A frame drawn as the twip layout expects: its top border runs through the middle of the
// caption, clear of the controls placed under it (a style that puts the caption above the border
// would draw that border through the first row).
class Frame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const QRect border = rect().adjusted(0, metrics.height() / 2, 0, 0);
        qDrawShadeRect(&painter, border, palette(), true, 1, 0);
        if (title().isEmpty())
            return;
        const int gap = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;
        const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 2 * gap, metrics.height());
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
    }
};

QGroupBox *frame(QWidget *parent, const char *objectName, const QString &caption)
{
    return named(new Frame(caption, parent), objectName);
}

QPushButton *button(QWidget *parent, const char *objectName, const QString &caption)
{
    auto *b = named(new QPushButton(caption, parent), objectName);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *textBox(QWidget *parent, const char *objectName)
{
    auto *edit = named(new QLineEdit(parent), objectName);
    // Qt's 32,767 would cut a long value (and a surrogate pair with it) without a word.
    edit->setMaxLength(std::numeric_limits<int>::max());
    // Only the folder box takes dropped items.
    edit->setAcceptDrops(false);
    return edit;
}

QAction *item(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

QMenu *menu(QMenuBar *bar, const char *objectName, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(objectName));
    return m;
}

} // namespace

void Form1Ui::setupUi(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("Form1"));
    useWindowFont(window);
    client = named(new QWidget(window), "client");
    window->setCentralWidget(client);
    setupControls(client);
    setupMenus(window);
}

// Creation order is stacking order: the window's buttons drawn over a frame come after it.
void Form1Ui::setupControls(QWidget *c)
{
    Frame1 = frame(c, "Frame1", QStringLiteral("Путь к папке"));
    Text1 = named(new FolderBox(Frame1), "Text1");
    Command1 = button(c, "Command1", QStringLiteral("..."));
    Frame3 = frame(c, "Frame3", QStringLiteral("Иконки из"));
    Option1 = named(new QRadioButton(QStringLiteral("Файла"), c), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("Библиотеки"), c), "Option2");
    Option1->setChecked(true);
    Check2 = named(new QCheckBox(c), "Check2");
    Frame2 = frame(c, "Frame2", QStringLiteral("Путь к файлу иконки"));
    Text2 = textBox(Frame2, "Text2");
    Command2 = button(c, "Command2", QStringLiteral("..."));
    Label1_0 = named(new QLabel(QStringLiteral("Индекс"), Frame2), "Label1_0");
    Text3 = textBox(Frame2, "Text3");
    Text3->setText(QStringLiteral("0"));
    Text3->hide();
    Command6 = button(Frame2, "Command6", QStringLiteral("Иконки в библиотеке"));
    Check1 = named(new QCheckBox(c), "Check1");
    Frame4 = frame(c, "Frame4", QStringLiteral("Всплывающая подсказка"));
    Text4 = textBox(Frame4, "Text4");
    Check3 = named(new QCheckBox(c), "Check3");
    Frame8 = frame(c, "Frame8", QStringLiteral("Путь к файлу рисунку для фона"));
    Text5 = textBox(Frame8, "Text5");
    Command10 = button(c, "Command10", QStringLiteral("..."));
    Label1_1 = named(new QLabel(QStringLiteral("Цвет имен файлов и папок:"), Frame8), "Label1_1");
    // In Arial's metrics this caption is a pixel wider than its 2100 twips (MS Sans Serif is
    // narrower): the same face drawn 4% narrower keeps it whole.
    QFont narrower = Label1_1->font();
    narrower.setStretch(96);
    Label1_1->setFont(narrower);
    Picture1 = named(new ColourSwatch(Frame8), "Picture1");
    Command11 = button(c, "Command11", QStringLiteral("..."));
    Command3 = named(new MultiLineButton(QStringLiteral("Сделать:"), c), "Command3");
    Command3->setAutoDefault(false);
    Command4 = button(c, "Command4", QStringLiteral("Удалить иконку"));
    const std::initializer_list<QWidget *> overFrames = {Command1, Option1,   Option2,
                                                         Command2, Command10, Command11};
    for (QWidget *over : overFrames)
        over->raise();
}

void Form1Ui::setupMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    mnuFile = menu(bar, "mnuFile", QStringLiteral("Файл"));
    mnuFileSelfile = item(mnuFile, "mnuFileSelfile", QStringLiteral("Выбрать иконку"));
    mnuFileicoby = mnuFile->addMenu(QStringLiteral("Иконка из"));
    mnuFileicoby->setObjectName(QStringLiteral("mnuFileicoby"));
    mnuFileicobyFile = item(mnuFileicoby, "mnuFileicobyFile", QStringLiteral("Файла"));
    mnuFileicobyLib = item(mnuFileicoby, "mnuFileicobyLib", QStringLiteral("Библиотеки"));
    auto *ticks = new QActionGroup(window); // one tick at a time, and clicking it keeps it
    for (QAction *a : {mnuFileicobyFile, mnuFileicobyLib}) {
        a->setCheckable(true);
        ticks->addAction(a);
    }
    mnuFileicobyFile->setChecked(true);
    mnuFileCopyIcon = item(mnuFile, "mnuFileCopyIcon", QStringLiteral("Копировать иконку в папку"));
    mnuFileCopyIcon->setCheckable(true);

    mnuDir = menu(bar, "mnuDir", QStringLiteral("Папка"));
    mnuDirSeldir = item(mnuDir, "mnuDirSeldir", QStringLiteral("Выбрать папку..."));
    mnuDireditlist = item(mnuDir, "mnuDireditlist", QStringLiteral("Редактировать список..."));
    mnuPref = menu(bar, "mnuPref", QStringLiteral("Настройки"));
    mnuPrefOpt = item(mnuPref, "mnuPrefOpt", QStringLiteral("Опции"));
    mnuLng = menu(bar, "mnuLng", QStringLiteral("Язык(Language)"));
    mnuLngSel = item(mnuLng, "mnuLngSel", QStringLiteral("Сменить...(Change...)"));
    mnuHlp = menu(bar, "mnuHlp", QStringLiteral("Справка"));
    mnuAbout = item(mnuHlp, "mnuAbout", QStringLiteral("О программе..."));
}
