#include "mainwindow/form1.h"

#include "dialogs/prompter.h"
#include "mainwindow/colourswatch.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/form1layout.h"
#include "mainwindow/singlecopy.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace
{

// The name colour as the request holds it: 0x00BBGGRR, red in the lowest byte.
std::uint32_t colourValue(const QColor &c)
{
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

QColor colourFromValue(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The program's icon for every window: the dialogs take their owner's, the icon browser (a window
// of its own) the application's.
void useProgramIcon()
{
    if (!QApplication::windowIcon().isNull())
        return;
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/ravo2/ravo2-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

} // namespace

Form1::Form1(QWidget *parent) : QMainWindow(parent)
{
    Q_INIT_RESOURCE(ravo2icons);
    useProgramIcon();
    m_ui.setupUi(this);
    m_dpi = logicalDpiY();
    form1layout::placeControls(m_ui, m_dpi);
    // The window follows the client area's size: it grows and shrinks with the layout.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    connectControls();
    connectMenus();
    // F10 opens the menu bar's first menu, as on Windows.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().value(0)); });
}

Form1::~Form1() = default;

bool Form1::load()
{
    m_singleCopy = new SingleCopy(this);
    // Where local sockets cannot be used at all (Unavailable), the program still starts.
    const bool another = m_singleCopy->claim() == SingleCopy::Claim::Later;
    if (!m_logic.load(another)) {
        m_singleCopy->askToActivate();
        return false;
    }
    if (another)
        m_singleCopy->follow(); // runs beside the first, and is found once the first has ended
    connect(m_singleCopy, &SingleCopy::activationRequested, this, &Form1::raiseFromOtherCopy);
    return true;
}

QString Form1::caption()
{
    return QString::fromStdString(forms::Form1Logic::caption());
}

QString Form1::aboutText()
{
    return QString::fromStdString(forms::Form1Logic::aboutText());
}

forms::Answer Form1::message(forms::MessageIcon icon, const std::string &title,
                             const std::string &text, forms::MessageButtons buttons)
{
    static const QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                               QMessageBox::Question, QMessageBox::Warning,
                                               QMessageBox::Critical};
    const auto answer = Prompter::instance().message(
        this, kIcons[static_cast<int>(icon)], QString::fromStdString(title),
        QString::fromStdString(text),
        buttons == forms::MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                : QMessageBox::Ok);
    if (answer == QMessageBox::Yes)
        return forms::Answer::Yes;
    if (answer == QMessageBox::No)
        return forms::Answer::No;
    return forms::Answer::Ok;
}

std::optional<std::string> Form1::openFile(const std::string &filter,
                                           const std::string &initialFile)
{
    const std::optional<QString> chosen = Prompter::instance().openFile(
        this, QString::fromStdString(filter), QString::fromStdString(initialFile));
    if (!chosen)
        return std::nullopt;
    return chosen->toStdString();
}

std::optional<std::uint32_t> Form1::chooseColour(std::uint32_t initial)
{
    const std::optional<QColor> chosen =
        Prompter::instance().chooseColour(this, colourFromValue(initial));
    if (!chosen)
        return std::nullopt;
    return colourValue(*chosen);
}

std::uint32_t Form1::nameColour() const
{
    return colourValue(m_ui.Picture1->colour());
}

void Form1::setNameColour(std::uint32_t colour)
{
    m_ui.Picture1->setColour(colourFromValue(colour));
}

void Form1::connectControls()
{
    forms::Form1Logic *logic = &m_logic;
    for (QCheckBox *box : {m_ui.Check1, m_ui.Check2, m_ui.Check3})
        connect(box, &QCheckBox::toggled, this, [logic] { logic->Check_Click(); });
    const auto changed = [logic](forms::Form1Text box) {
        return [logic, box] { logic->textChanged(box); };
    };
    connect(m_ui.Text2, &QLineEdit::textChanged, this, changed(forms::Form1Text::Text2));
    connect(m_ui.Text4, &QLineEdit::textChanged, this, changed(forms::Form1Text::Text4));
    connect(m_ui.Text5, &QLineEdit::textChanged, this, changed(forms::Form1Text::Text5));
    const auto selects = [logic](engine::IconSource source) {
        return [logic, source](bool on) {
            if (on)
                logic->selectIconSource(source);
        };
    };
    connect(m_ui.Option1, &QRadioButton::toggled, this, selects(engine::IconSource::File));
    connect(m_ui.Option2, &QRadioButton::toggled, this, selects(engine::IconSource::Library));
    connect(m_ui.Text1, &QComboBox::activated, this, [logic] { logic->Text1_Click(); });
    const std::pair<QPushButton *, void (forms::Form1Logic::*)()> buttons[] = {
        {m_ui.Command1, &forms::Form1Logic::Command1_Click},
        {m_ui.Command2, &forms::Form1Logic::Command2_Click},
        {m_ui.Command3, &forms::Form1Logic::Command3_Click},
        {m_ui.Command4, &forms::Form1Logic::Command4_Click},
        {m_ui.Command6, &forms::Form1Logic::Command6_Click},
        {m_ui.Command10, &forms::Form1Logic::Command10_Click},
        {m_ui.Command11, &forms::Form1Logic::Command11_Click},
    };
    for (const auto &[button, click] : buttons)
        connect(button, &QPushButton::clicked, this, [logic, click] { (logic->*click)(); });
}

void Form1::connectMenus()
{
    forms::Form1Logic *logic = &m_logic;
    connect(m_ui.mnuFileicobyFile, &QAction::triggered, this,
            [logic] { logic->selectIconSource(engine::IconSource::File); });
    connect(m_ui.mnuFileicobyLib, &QAction::triggered, this,
            [logic] { logic->selectIconSource(engine::IconSource::Library); });
    connect(m_ui.mnuFileCopyIcon, &QAction::triggered, this,
            [logic](bool on) { logic->copyIconClicked(on); });
    const std::pair<QAction *, void (forms::Form1Logic::*)()> items[] = {
        {m_ui.mnuFileSelfile, &forms::Form1Logic::Command2_Click},
        {m_ui.mnuDirSeldir, &forms::Form1Logic::Command1_Click},
        {m_ui.mnuDireditlist, &forms::Form1Logic::mnuDireditlist_Click},
        {m_ui.mnuPrefOpt, &forms::Form1Logic::mnuPrefOpt_Click},
        {m_ui.mnuAbout, &forms::Form1Logic::mnuAbout_Click},
        {m_ui.mnuLngSel, &forms::Form1Logic::mnuLngSel_Click},
    };
    for (const auto &[item, click] : items)
        connect(item, &QAction::triggered, this, [logic, click] { (logic->*click)(); });
}

void Form1::raiseFromOtherCopy()
{
    // A copy still filling its fields from the command line has no window to bring forward yet.
    if (!isVisible())
        return;
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
