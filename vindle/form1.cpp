#include "vindle/form1.h"

#include "dialogs/twips.h"
#include "dialogs/windowfont.h"
#include "vindle/componentservices.h"
#include "vindle/cscrab.h"
#include "vindle/cscrabinterface.h"
#include "vindle/iconlistview.h"
#include "vindle/imagelist.h"
#include "vindle/modulestate.h"
#include "vindle/picturebox.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

#include <QScreen>
#include <QWindow>

#include <limits>

namespace vindle
{
namespace
{

// The designed outer size is the client area (6015 × 4815) plus this frame, menu bar included:
// the resize rule then gives the list its designed size of 5775 × 3735.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 720;
constexpr int kGapTwips = 105; // between two neighbours of the bottom row, as designed

// The window's texts in the order of the host's "vindleTexts" (title, choose, refresh, index
// caption, the menus and items, the two columns); the host gives them in its language.
enum Text {
    Title,
    Choose,
    Refresh,
    IndexCaption,
    FileMenu,
    GetPath,
    ViewMenu,
    LargeIcons,
    ListMode,
    Table,
    IconColumn,
    IndexColumn,
    TextCount
};

QString text(Text which)
{
    static const char *const russian[TextCount] = {"Просмотр иконок в библиотеках",
                                                   "Выбрать иконку",
                                                   "Обновить",
                                                   "Индекс:",
                                                   "Файл",
                                                   "Указать путь",
                                                   "Вид",
                                                   "Большие иконки",
                                                   "Список",
                                                   "Таблица",
                                                   "Иконка",
                                                   "Индекс"};
    const QStringList given = QCoreApplication::instance()->property("vindleTexts").toStringList();
    const QString text = given.value(which);
    return text.isEmpty() ? QString::fromUtf8(russian[which]) : text;
}

} // namespace

Form1::Form1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    useWindowFont(this);
    setWindowTitle(text(Title));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    createMenus();
    // Form_Load
    ListView1->addColumn(text(IconColumn));
    ListView1->addColumn(text(IndexColumn));
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    resize(twips::toPixels(6015, dpiX),
           twips::toPixels(4815, dpiY) + menuBar()->sizeHint().height());
    fitCaptions();
    // Keeps the list's computed size positive and the bottom row from overlapping itself.
    const int row = Command3->geometry().right() + Label1->width() + Label2->width() +
                    twips::toPixels(2 * kGapTwips + 120, dpiX);
    setMinimumSize(std::max(twips::toPixels(3000, dpiX), row), twips::toPixels(2700, dpiY));
    Form_Resize();
}

void Form1::fitCaptions()
{
    const int gap = twips::toPixels(kGapTwips, logicalDpiX());
    Command2->resize(std::max(Command2->width(), Command2->sizeHint().width()), Command2->height());
    Command3->resize(std::max(Command3->width(), Command3->sizeHint().width()), Command3->height());
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());
    Command3->move(std::max(Command3->x(), Command2->geometry().right() + 1 + gap), Command3->y());
}

namespace
{

// The window the browser opens over: the active one; right after a message box has closed none
// is active yet, and the program's one visible window (its first) stands in.
QWidget *ownerOf(const QWidget *browser)
{
    QWidget *active = QApplication::activeWindow();
    if (active && active != browser)
        return active;
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != browser && modal->isVisible())
        return modal;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window != browser && window->isVisible() && !window->isMinimized() &&
            (type == Qt::Window || type == Qt::Dialog))
            return window;
    }
    return nullptr;
}

} // namespace

void Form1::placeOverOwner()
{
    QWidget *owner = ownerOf(this);
    if (owner && owner->windowHandle() && windowHandle())
        windowHandle()->setTransientParent(owner->windowHandle());
    QScreen *screen = owner ? owner->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QPoint centre = owner ? owner->frameGeometry().center() : area.center();
    // The window manager frames this window as it framed the owner, around the client area that
    // is placed here: the frame, title bar included, is what must stay on the screen.
    const QPoint frameCorner =
        owner ? owner->geometry().topLeft() - owner->frameGeometry().topLeft() : QPoint();
    const QSize outer =
        size() + (owner ? owner->frameGeometry().size() - owner->geometry().size() : QSize());
    QRect placed(QPoint(), outer);
    placed.moveCenter(centre);
    // Kept on the screen, its title bar first.
    placed.moveLeft(
        std::max(area.left(), std::min(placed.left(), area.right() + 1 - outer.width())));
    placed.moveTop(
        std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - outer.height())));
    // move() takes the frame's corner where Qt knows this window's frame already (offscreen) and
    // the client area's where it does not yet (X11 before the window manager framed it).
    const QPoint known = geometry().topLeft() - frameGeometry().topLeft();
    move(placed.topLeft() + frameCorner - known);
}

QPointer<Form1> &Form1::threadWindow()
{
    thread_local QPointer<Form1> window;
    return window;
}

std::unique_ptr<CScrab> &Form1::currentLibrary()
{
    thread_local std::unique_ptr<CScrab> library;
    return library;
}

std::function<QString(QWidget *)> &Form1::fileChooser()
{
    static std::function<QString(QWidget *)> chooser = [](QWidget *parent) {
        return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                            "*.dll;*.exe;*.ocx (*.dll *.exe *.ocx);;* (*)");
    };
    return chooser;
}

void Form1::createControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    const double dpi = logicalDpiX();
    auto place = [&](QWidget *w, const char *name, int left, int top, int width, int height) {
        w->setObjectName(name);
        w->setGeometry(twips::rect(left, top, width, height, dpi));
    };
    ListView1 = new IconListView(client);
    place(ListView1, "ListView1", 120, 120, 5775, 3735);
    Text1 = new QLineEdit(client);
    place(Text1, "Text1", 120, 3960, 5775, 285);
    Command2 = new QPushButton(text(Choose), client);
    place(Command2, "Command2", 120, 4320, 1455, 375);
    Command3 = new QPushButton(text(Refresh), client);
    place(Command3, "Command3", 1680, 4320, 1215, 375);
    Pictempicon = new PictureBox(client);
    place(Pictempicon, "Pictempicon", 5160, 3120, 615, 495);
    Pictempicon->setImage(style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32).toImage());
    Pictempicon->hide();
    Label1 = new QLabel(text(IndexCaption), client);
    place(Label1, "Label1", 4440, 4320, 615, 195);
    Label2 = new QLabel("0", client);
    place(Label2, "Label2", 5160, 4320, 90, 195);
    Label2->adjustSize();
    imgLargeIcon = new ImageList(this);
    imgLargeIcon->setObjectName("imgLargeIcon");
    imgSmalIcon = new ImageList(this);
    imgSmalIcon->setObjectName("imgSmalIcon");
    setTabOrder(ListView1, Text1);
    setTabOrder(Text1, Command2);
    setTabOrder(Command2, Command3);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::refresh);
    connect(ListView1, &IconListView::itemClick, this, &Form1::ListView1_ItemClick);
    // Command2 is the default button: Enter presses it wherever the focus is.
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, Command2,
                &QPushButton::click);
    // Escape closes without choosing, as the close box does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

void Form1::createMenus()
{
    auto addAction = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    QMenu *mnuFile = menuBar()->addMenu(text(FileMenu));
    mnuFile->setObjectName("mnuFile");
    connect(addAction(mnuFile, "mnuFileGetf", text(GetPath)), &QAction::triggered, this,
            &Form1::mnuFileGetf_Click);
    QMenu *mnuView = menuBar()->addMenu(text(ViewMenu));
    mnuView->setObjectName("mnuView");
    connect(addAction(mnuView, "mnuViewRedraw", text(Refresh)), &QAction::triggered, this,
            &Form1::refresh);
    mnuView->addSeparator()->setObjectName("mnuViewsep");
    const std::pair<const char *, QString> views[] = {{"mnuViewBig", text(LargeIcons)},
                                                      {"mnuViewList", text(ListMode)},
                                                      {"mnuViewTable", text(Table)}};
    const int modes[] = {IconListView::LargeIcons, IconListView::List, IconListView::Report};
    for (int i = 0; i < 3; ++i) {
        connect(addAction(mnuView, views[i].first, views[i].second), &QAction::triggered, this,
                [this, mode = modes[i]] { ListView1->setView(mode); });
    }
}

HRESULT Form1::readicons()
{
    const ComponentServices services = componentServices();
    auto library = std::make_unique<CScrab>(services.icons, services.browser);
    currentLibrary() = std::move(library); // releasing the previous one destroys its handles
    CScrab &scrab = *currentLibrary();
    SetDrawingSurface(Pictempicon);
    scrab.setFileName(Text1->text().toStdU16String());
    ListView1->clear();
    ListView1->setImageLists(nullptr, nullptr);
    imgLargeIcon->clear();
    imgSmalIcon->clear();
    const int count = scrab.numberIcons();
    if (count == 0)
        return S_OK;
    for (int i = 0; i < count; ++i) {
        for (const int size : {int(LargeIcon), int(SmallIcon)}) {
            if (const HRESULT status = scrab.showIcon(i, size); FAILED(status))
                return status;
            (size == LargeIcon ? imgLargeIcon : imgSmalIcon)->add(Pictempicon->image());
        }
    }
    ListView1->setImageLists(imgLargeIcon, imgSmalIcon);
    for (int k = 1; k <= count; ++k)
        ListView1->addItem(k, k, QString::number(k - 1));
    Label2->setText("0");
    Label2->adjustSize();
    return S_OK;
}

void Form1::showWith(unsigned char modal)
{
    if (!isVisible()) {
        create(); // the window handle takes the owner as its transient parent
        placeOverOwner();
    }
    if (!modal) {
        show();
        return;
    }
    if (isVisible() && !isModal())
        hide(); // modality changes only take effect on a hidden window
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
}

void Form1::refresh()
{
    const int position = ListView1->selectedPosition();
    readicons();
    if (position >= 1 && position <= ListView1->count()) {
        ListView1->select(position);
        Label2->setText(QString::number(position - 1));
    } else {
        // Nothing was selected, or the library shrank below that position.
        ListView1->select(0);
        Label2->setText("0");
    }
    Label2->adjustSize();
}

void Form1::Command2_Click()
{
    bool ok = false;
    const int index = Label2->text().toInt(&ok);
    if (!ok || index < std::numeric_limits<std::int16_t>::min() ||
        index > std::numeric_limits<std::int16_t>::max()) {
        QApplication::beep(); // ChosenIconIndex holds 16 bits: refuse rather than store a wrong one
        return;
    }
    ChosenIconIndex = static_cast<std::int16_t>(index);
    close();
}

void Form1::ListView1_ItemClick(int position)
{
    Label2->setText(QString::number(position - 1));
    Label2->adjustSize();
}

void Form1::mnuFileGetf_Click()
{
    const QString path = fileChooser()(this);
    if (path.isEmpty())
        return;
    Text1->setText(path);
    readicons();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

QSize Form1::outerTwips() const
{
    // Window managers' frames differ (none offscreen, thin or thick title bars): the layout keeps
    // the designed frame so it looks the same under any of them, from the first show on.
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const int menu = twips::fromPixels(menuBar()->sizeHint().height(), dpiY);
    return QSize(twips::fromPixels(width(), dpiX) + kFrameWidthTwips,
                 twips::fromPixels(height(), dpiY) - menu + kFrameHeightTwips);
}

// Positions follow the window's outer size H × W in twips.
void Form1::Form_Resize()
{
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const int h = outerTwips().height();
    const int w = outerTwips().width();
    auto x = [dpiX](int t) { return twips::toPixels(t, dpiX); };
    auto y = [dpiY](int t) { return twips::toPixels(t, dpiY); };
    Command2->move(x(120), y(h - 1200));
    // A button widened for its caption pushes its neighbour along.
    Command3->move(std::max(x(1680), Command2->geometry().right() + 1 + x(kGapTwips)), y(h - 1200));
    Text1->setGeometry(x(120), y(h - 1600), x(w - 360), Text1->height());
    ListView1->setGeometry(x(120), y(120), x(w - 360), y(h - 1800));
    Label2->move(x(w - 1100), y(h - 1200));
    // A caption wider than designed grows to the left, clear of the index it names.
    Label1->move(std::min(x(w - 1800), Label2->x() - x(kGapTwips) - Label1->width()), y(h - 1200));
}

} // namespace vindle
